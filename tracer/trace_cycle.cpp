#include "tracer/trace_cycle.h"

#include <cstring>

#include "common/write_outcome.h"

namespace vizo {

void TraceCycle::OnTraceTick(TracerState& state) {
    ++ticks_;
    if (tickTrace_) {
        char mark[24];
        std::snprintf(mark, sizeof mark, ticks_ % 8 == 7 ? "tick-%d \n" : "tick-%d ", ticks_);
        screen_.Append(mark, 0);
        screen_.Refresh(false);
    }
    if (busy_) {
        return;
    }
    if (state.LogToDisk != 0 && !state.Log.IsOpen()) {
        state.Log.Open();
    }
    bool full = true;
    for (int exchange = 0; full && exchange < kPollsPerTick; ++exchange) {
        full = Poll(state);
    }
    SayLogFailure(state);
}

bool TraceCycle::Poll(TracerState& state) {
    buffer_.SetRequest("");
    uint32_t returned = 0;
    const int result = channel_.Exchange(buffer_, returned);
    if (result != kExchangeOk) {
        std::fprintf(console_, "Error %d\n", result);
        std::fflush(console_);
        return false;
    }
    ShowReply(state, result, returned);
    return buffer_.ReplyCount() == kTextLimit;
}

void TraceCycle::OnTypedChar(TracerState& state, char c) {
    const bool ends = c == '\r';
    const bool erases = c == '\b';
    if (!ends && !erases && typedLength_ >= kTypedLimit) {
        return;
    }
    screen_.Append(&c, 1);
    screen_.Refresh(false);

    // Saved and restored: a character can arrive through an error box's own
    // message loop while an earlier one is still being handled.
    const bool wasBusy = busy_;
    busy_ = true;
    typed_[typedLength_++] = c;
    typed_[typedLength_] = '\0';
    if (ends) {
        SendTypedLine(state);
    } else if (erases) {
        typed_[--typedLength_] = '\0';
        if (typedLength_ > 0) {
            typed_[--typedLength_] = '\0';
        }
    }
    busy_ = wasBusy;
    SayLogFailure(state);
}

void TraceCycle::SendTypedLine(TracerState& state) {
    buffer_.SetRequest(typed_);
    typedLength_ = 0;
    typed_[0] = '\0';
    uint32_t returned = 0;
    const int result = channel_.Exchange(buffer_, returned);
    ShowReply(state, result, returned);
    buffer_.SetRequest("");
}

void TraceCycle::ShowReply(TracerState& state, int result, uint32_t returned) {
    if (result == kExchangeOk && channel_.TakeReconnected() && onReconnect_) {
        onReconnect_(state);
    }
    const char* text = buffer_.Text();
    if (result != kExchangeOk || returned == 0 || text[0] == '\0') {
        return;
    }
    screen_.Append(text, 0);
    screen_.Refresh(false);
    // The log takes the count the driver gave, bounded, NULs and all.
    state.Log.Write(text, buffer_.ReplyCount());
}

void TraceCycle::SayLogFailure(TracerState& state) {
    if (!state.Log.TakeFailure() || logFailureSaid_) {
        return;
    }
    logFailureSaid_ = true;
    common::ReportWriteOutcome(common::WriteResult::WriteFailed, kLogFileName, alerts_);
}

bool SetDiskLog(TracerState& state, bool on) {
    state.LogToDisk = on ? 1 : 0;
    if (!on) {
        state.Log.Close();
        return true;
    }
    return state.Log.Open();
}

bool ClearDiskLog(TracerState& state) {
    return state.Log.Recreate(state.LogToDisk != 0);
}

void WriteStartBanner(TracerState& state, const std::string& date, const std::string& time) {
    if (!state.Log.IsOpen()) {
        return;
    }
    const std::string banner = "===========> " + date + " " + time + " <==========\r\n";
    state.Log.Write(banner.data(), banner.size());
}

}  // namespace vizo
