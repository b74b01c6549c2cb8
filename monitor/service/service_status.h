// What a running service tells the status command and other readers, in a
// block of shared memory named after the service.
#pragma once

#include <cstdint>
#include <string>

#include "monitor/service/published_block.h"

namespace zorvel {

struct ServiceStatus {
    uint32_t ProcessId;
    uint32_t PeriodMs;
    int64_t LastSample;  // Unix seconds of the last counter read; 0 before the first
    uint32_t DriverUp;   // 1 while the driver answers
    uint32_t Ports;
};
static_assert(sizeof(ServiceStatus) == 24, "the same layout in 32-bit and 64-bit programs");

using StatusBlock = PublishedBlock<ServiceStatus>;
static_assert(sizeof(StatusBlock) == 32, "the same layout in 32-bit and 64-bit programs");

// The block's name, after its namespace.
std::string StatusBlockName(const std::string& serviceName);

// What the status command prints: the service's state and folder, and from a
// running service's block (none when it publishes none) its last sample, with
// `lastSampleText` the sample's local time, and whether the driver answers.
std::string StatusReport(const std::string& name, const std::string& state, const std::string& folder,
                         const ServiceStatus* status, const std::string& lastSampleText);

}  // namespace zorvel
