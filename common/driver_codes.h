// Where both programs find the board's driver and the control codes it answers.
#pragma once

#include <cstdint>

namespace common {

// dwPlatformId of Windows NT; every other platform is treated as Windows 95.
constexpr uint32_t kPlatformNt = 2;

constexpr const char* kNtDevicePath = "\\\\.\\tarnel";
constexpr const char* kKorvexDevicePath = "\\\\.\\korvexa";
constexpr uint32_t kNtControlCode = 0x1B2010;  // serial port type, function 0x804, buffered
constexpr const char* kWin95DevicePath = "\\\\.\\tarnelpt.vxd";
constexpr uint32_t kWin95ControlCode = 0x101;
// The Windows 95 driver wants this port opened around its own open.
constexpr const char* kWin95SerialPath = "\\\\.\\COM5";

}  // namespace common
