#include "monitor/stats/sampling_cycle.h"

namespace zorvel {

bool SamplingCycle::Fail(const char* text) {
    closing_ = true;
    errorBoxOpen_ = true;
    host_.ShowDriverError(text);
    errorBoxOpen_ = false;
    host_.CloseProgram();
    return false;
}

bool SamplingCycle::Tick() {
    // A tick arriving while an earlier tick's error box is open would only pile
    // up more boxes for the same lost driver.
    if (errorBoxOpen_ || closing_) {
        return !closing_;
    }
    if (!connected_) {
        connected_ = true;
        if (source_.Request(kRequestPortList) != kStatusOk) {
            return Fail(kConnectErrorText);
        }
    }
    if (source_.Request(kRequestCounterRead) != kStatusOk) {
        return Fail(kCommErrorText);
    }
    return true;
}

}  // namespace zorvel
