// Names Windows will not give a file.
#pragma once

#include <string>

namespace zorvel {

// "COM5" for ...\com5.csv: the device name that the file name is, with any
// extension (CON, PRN, AUX, NUL, COM1-COM9, LPT1-LPT9); empty for any other name.
std::string ReservedDeviceName(const std::string& path);

}  // namespace zorvel
