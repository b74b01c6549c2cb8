// Fabricated ports for running the monitor without the board (-F).
#pragma once

#include <cstdint>

#include "monitor/stats/port_source.h"
#include "monitor/stats/port_tables.h"

namespace zorvel {

// The C runtime's classic generator, never seeded: the same traffic on every run
// and in every build.
class ClassicRandom {
public:
    int Next() {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<int>((state_ >> 16) & 0x7FFF);
    }

private:
    uint32_t state_ = 1;
};

class SimulatedSource : public PortSource {
public:
    static constexpr int kPorts = 32;
    static constexpr int kBusyPorts = 24;

    explicit SimulatedSource(PortTables& tables) : tables_(tables) {}
    int Request(int kind) override;

private:
    void ListPorts();
    void AdvanceCounters();

    PortTables& tables_;
    ClassicRandom random_;
    uint32_t counter_ = 0;
};

}  // namespace zorvel
