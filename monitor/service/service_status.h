// What a running service publishes after every tick, in a block of shared
// memory named after the service: its state for the status command, and its
// settings and tables for a window that shows its figures.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "monitor/history/history.h"
#include "monitor/program_settings.h"
#include "monitor/service/published_block.h"
#include "monitor/stats/port_tables.h"

namespace zorvel {

struct ServiceStatus {
    uint32_t ProcessId;
    uint32_t PeriodMs;
    int64_t LastSample;  // Unix seconds of the last counter read; 0 before the first
    uint32_t DriverUp;   // 1 while the driver answers
    uint32_t Ports;
};
static_assert(sizeof(ServiceStatus) == 24, "the same layout in 32-bit and 64-bit programs");

// A spawn command line's room: the settings file's 100 characters and a terminator.
constexpr size_t kSpawnRoom = 104;

struct PublishedSettings {
    int32_t UpdateTime;
    int32_t HourSingle;
    int32_t HourMulti;
    int32_t DaySingle;
    int32_t DayMulti;
    char HourSpawn[kSpawnRoom];
    char DaySpawn[kSpawnRoom];
};
static_assert(sizeof(PublishedSettings) == 228, "the same layout in 32-bit and 64-bit programs");

struct Publication {
    ServiceStatus Status;
    uint32_t Running;  // 0 once the service has saved and is stopping
    uint32_t Reserved;
    PublishedSettings Settings;
    PortNameTable Names;
    CounterTable Counters;
    StatsRecord Records[kPortSlots];
};
static_assert(offsetof(Publication, Settings) == 32, "the same layout in 32-bit and 64-bit programs");
static_assert(offsetof(Publication, Names) == 260, "the same layout in 32-bit and 64-bit programs");
static_assert(sizeof(Publication) % 8 == 0, "the same layout in 32-bit and 64-bit programs");

using PublicationBlock = PublishedBlock<Publication>;

// The block's name, after its namespace.
std::string PublicationName(const std::string& serviceName);

// The service's history is published on its own, at its minute ends only.
using HistoryBlock = PublishedBlock<HistoryTables>;
std::string HistoryPublicationName(const std::string& serviceName);

PublishedSettings PublishSettings(const ProgramSettings& settings);
// The published settings into `settings`, keeping its [metrics] section.
void TakeSettings(const PublishedSettings& published, ProgramSettings& settings);

// What the status command prints: the service's state and folder, and from a
// running service's block (none when it publishes none) its last sample, with
// `lastSampleText` the sample's local time, and whether the driver answers.
std::string StatusReport(const std::string& name, const std::string& state, const std::string& folder,
                         const ServiceStatus* status, const std::string& lastSampleText);

}  // namespace zorvel
