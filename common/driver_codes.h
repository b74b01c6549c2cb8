// Where both programs find the board's driver and the control codes it answers.
#pragma once

#include <cstdint>

#include "common/driver_wire.h"

namespace common {

// dwPlatformId of Windows NT; every other platform is treated as Windows 95.
constexpr uint32_t kPlatformNt = 2;

constexpr const char* kNtDevicePath = "\\\\.\\tarnel";
constexpr const char* kKorvexDevicePath = "\\\\.\\korvexa";
constexpr uint32_t kNtControlCode = TP_CONTROL_CODE_NT;  // serial port type, function 0x804, buffered
constexpr const char* kWin95DevicePath = "\\\\.\\tarnelpt.vxd";
constexpr uint32_t kWin95ControlCode = TP_CONTROL_CODE_95;
// The Windows 95 driver wants this port opened around its own open.
constexpr const char* kWin95SerialPath = "\\\\.\\COM5";

}  // namespace common
