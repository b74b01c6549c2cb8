// The trace viewer's work on a full trace reply, against copying its bytes.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "tracer/trace_screen.h"

namespace {

constexpr int kReplyBytes = 10084;

// The stand-in's burst: bytes 1 to 255 over and over, so control bytes and
// bytes from 0x80 up, each shown as "<%xH>", make up most of it.
std::vector<char> BurstReply() {
    std::vector<char> reply(kReplyBytes);
    for (int i = 0; i < kReplyBytes; ++i) {
        reply[i] = static_cast<char>(1 + i % 255);
    }
    return reply;
}

// Counts what would be drawn, so that the refresh is not optimised away.
class CountingCanvas : public vizo::TraceCanvas {
public:
    bool Begin() override { return true; }
    void End() override {}
    void Blank(int, int, int, int) override { ++calls; }
    void Text(int, int, const char* text) override { calls += static_cast<int>(std::strlen(text)); }
    int calls = 0;
};

void TraceAppendRefresh10084(benchmark::State& state) {
    const std::vector<char> reply = BurstReply();
    CountingCanvas canvas;
    vizo::TraceScreen screen;
    screen.Attach(&canvas);
    // A window tall enough to show all 35 lines.
    screen.Resize(640, (vizo::kScreenLines + 1) * vizo::kRowPitch + 4);
    for (auto _ : state) {
        screen.Append(reply.data(), kReplyBytes);
        screen.Refresh(false);
        benchmark::DoNotOptimize(canvas.calls);
    }
    state.SetBytesProcessed(state.iterations() * kReplyBytes);
}
BENCHMARK(TraceAppendRefresh10084);

void CopyTraceBufferBaseline(benchmark::State& state) {
    const std::vector<char> reply = BurstReply();
    std::vector<char> copy(kReplyBytes);
    for (auto _ : state) {
        std::memcpy(copy.data(), reply.data(), kReplyBytes);
        benchmark::DoNotOptimize(copy.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * kReplyBytes);
}
BENCHMARK(CopyTraceBufferBaseline);

}  // namespace
