#include "monitor/program_settings.h"

namespace zorvel {

uint32_t SampleIntervalMs(int updateTime) {
    constexpr int kLongest = 2147483;  // seconds whose milliseconds still fit a 32-bit int
    if (updateTime < 1) {
        return 1000;
    }
    return static_cast<uint32_t>(updateTime > kLongest ? kLongest : updateTime) * 1000u;
}

}  // namespace zorvel
