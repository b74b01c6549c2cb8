// The trace viewer's work: a poll every timer tick, typed command lines, and
// the disk log of everything the driver returns.
#pragma once

#include <cstdio>
#include <functional>
#include <string>

#include "common/alerts.h"
#include "tracer/trace_channel.h"
#include "tracer/trace_screen.h"
#include "tracer/tracer_state.h"

namespace vizo {

// 122 typed characters, the carriage return and the terminator.
constexpr int kTypedLineSize = 124;
constexpr int kTypedLimit = kTypedLineSize - 2;
// A full reply means the driver may hold more: the tick asks again at once, up
// to this many exchanges, so that a driver writing 100 KB a second is emptied
// (one a tick carries at most 40 KB a second).
constexpr int kPollsPerTick = 8;

class TraceCycle {
public:
    // `console` takes the "Error %d" lines of failed polls; `alerts` the one
    // box of a run that says the log could not be written.
    TraceCycle(TraceChannel& channel, TraceBuffer& buffer, TraceScreen& screen, bool tickTrace, std::FILE* console,
               common::Alerts& alerts)
        : channel_(channel),
          buffer_(buffer),
          screen_(screen),
          tickTrace_(tickTrace),
          console_(console),
          alerts_(alerts) {}

    // While logging is chosen but the log is closed (it failed), opens it
    // again before polling. Polls again while the replies are full.
    void OnTraceTick(TracerState& state);

    // Runs before the first reply after a lost driver is back, so that the log
    // shows where its gap was.
    void OnReconnect(std::function<void(TracerState&)> marker) { onReconnect_ = std::move(marker); }

    // Echoes the character and collects it; Enter sends the line at once.
    // Characters beyond the 122 the line holds are neither echoed nor kept.
    void OnTypedChar(TracerState& state, char c);

    std::string TypedLine() const { return std::string(typed_, static_cast<size_t>(typedLength_)); }

private:
    // One exchange with an empty request; true when its reply was full.
    bool Poll(TracerState& state);
    void SendTypedLine(TracerState& state);
    void ShowReply(TracerState& state, int result, uint32_t returned);
    // Only once the reply is shown: the box's message loop runs ticks, which
    // reuse the buffer.
    void SayLogFailure(TracerState& state);

    TraceChannel& channel_;
    TraceBuffer& buffer_;
    TraceScreen& screen_;
    const bool tickTrace_;
    std::FILE* console_;
    common::Alerts& alerts_;
    std::function<void(TracerState&)> onReconnect_;
    int ticks_ = 0;
    char typed_[kTypedLineSize] = {};
    int typedLength_ = 0;
    // On while a typed line is in the buffer, so that a tick delivered by an
    // error box does not overwrite it.
    bool busy_ = false;
    bool logFailureSaid_ = false;
};

// Opens or closes vizo.log. LogToDisk keeps the user's choice even when the
// log cannot be opened, so that vizo.ini does not turn logging off for the
// next start; false then, for the caller to say so.
bool SetDiskLog(TracerState& state, bool on);

// Empties vizo.log; logging, if on, goes on into the empty file. False when
// the file could not be emptied.
bool ClearDiskLog(TracerState& state);

// One line marking a program start in the log, if the log is open.
void WriteStartBanner(TracerState& state, const std::string& date, const std::string& time);

}  // namespace vizo
