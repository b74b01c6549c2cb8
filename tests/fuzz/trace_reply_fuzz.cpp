// Trace replies of any bytes and any claimed count, through polls and typed
// command lines, onto the screen and into the disk log.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "common/driver_codes.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/unit/fake_device.h"
#include "tracer/trace_cycle.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static std::FILE* const console = std::fopen("/dev/null", "w");
    FuzzedDataProvider input(data, size);

    FakeOpener opener;
    opener.Reply = [&input](uint8_t* buffer, uint32_t outSize) {
        const std::vector<uint8_t> reply =
            input.ConsumeBytes<uint8_t>(input.ConsumeIntegralInRange<uint32_t>(0, outSize));
        std::copy(reply.begin(), reply.end(), buffer);
    };
    opener.Returned = [&input](uint32_t) { return input.ConsumeIntegral<uint32_t>(); };
    fuzz::QuietAlerts alerts;
    vizo::TraceChannel channel(opener, common::kPlatformNt, vizo::kKindTarnel, alerts);
    vizo::TraceBuffer buffer;
    vizo::TraceScreen screen;
    vizo::TraceCycle cycle(channel, buffer, screen, input.ConsumeBool(), console, alerts);
    vizo::TracerState state(fuzz::ScratchPath("vizo.log"));
    vizo::SetDiskLog(state, true);

    while (input.remaining_bytes() > 0) {
        opener.ControlFails = input.ConsumeProbability<float>() < 0.05f;
        if (input.ConsumeBool()) {
            cycle.OnTraceTick(state);
        } else {
            cycle.OnTypedChar(state, input.ConsumeIntegral<char>());
        }
        fuzz::Require(std::memchr(buffer.Text(), '\0', vizo::kTextLimit + 1) != nullptr, "reply text terminated");
    }
    return 0;
}
