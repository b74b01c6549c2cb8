// The stand-in driver's request handling, as the kernel hands it requests: any
// control code, input and output lengths and bytes, and typed command lines.
// A request may write only the first outLen bytes of its buffer, and nothing
// unless it succeeds.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "tests/fuzz/fuzz_support.h"
#include "tools/standin/si_standin.h"

namespace {

const uint32_t kCodes[] = {TP_REQUEST_PORT_LIST, TP_REQUEST_COUNTER_READ, TP_REQUEST_TRACE};

const char* const kWords[] = {"help",  "ports", "stats", "fail", "reset", "cd",
                              "burst", "count", "flood", "on",   "off",   "auto"};

// Any text, or words the stand-in knows with numbers and names, so that its
// commands are reached and change later replies.
std::string CommandText(FuzzedDataProvider& input) {
    if (input.ConsumeBool()) {
        return input.ConsumeRandomLengthString(300);
    }
    std::string text = input.PickValueInArray(kWords);
    for (int words = input.ConsumeIntegralInRange(0, 3); words > 0; --words) {
        switch (input.ConsumeIntegralInRange(0, 2)) {
            case 0: text += " " + std::to_string(input.ConsumeIntegralInRange<int64_t>(-1, 20000)); break;
            case 1: text += std::string(" ") + input.PickValueInArray(kWords); break;
            default: text += " COM" + std::to_string(input.ConsumeIntegralInRange(0, 300)); break;
        }
    }
    return text;
}

// A trace request whose text is a command line, as the viewer sends a typed one.
std::vector<uint8_t> CommandRequest(FuzzedDataProvider& input) {
    std::vector<uint8_t> request(TP_HEADER_SIZE, 0);
    const uint32_t code = TP_REQUEST_TRACE;
    std::memcpy(request.data(), &code, sizeof code);
    const std::string text = CommandText(input) + "\r";
    request.insert(request.end(), text.begin(), text.end());
    if (input.ConsumeBool()) {
        request.push_back('\0');
    }
    return request;
}

std::vector<uint8_t> AnyRequest(FuzzedDataProvider& input) {
    std::vector<uint8_t> request = input.ConsumeBytes<uint8_t>(input.ConsumeIntegralInRange<uint32_t>(0, 64));
    if (request.size() >= 4 && input.ConsumeBool()) {
        const uint32_t code = input.PickValueInArray(kCodes);
        std::memcpy(request.data(), &code, sizeof code);
    }
    return request;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    static SiConfig config;
    si_config_defaults(&config);
    si_config_set_ports(&config, input.ConsumeIntegralInRange<uint32_t>(0, SI_MAX_PORTS + 1));
    static SiStandIn standIn;
    uint64_t nowMs = input.ConsumeIntegral<uint32_t>();
    si_standin_start(&standIn, &config, nowMs);

    while (input.remaining_bytes() > 0) {
        const std::vector<uint8_t> request = input.ConsumeBool() ? CommandRequest(input) : AnyRequest(input);
        const auto inLen = static_cast<uint32_t>(request.size());
        const uint32_t outLen =
            input.ConsumeBool() ? input.ConsumeIntegralInRange<uint32_t>(0, 4096) : TP_TRACE_EXCHANGE_SIZE;
        // Exactly as large as the kernel's buffer, so a write beyond it trips ASan.
        std::vector<uint8_t> buffer(std::max(inLen, outLen), 0xA5);
        std::copy(request.begin(), request.end(), buffer.begin());
        const std::vector<uint8_t> before = buffer;

        // A viewer polls every few hundred milliseconds; long pauses only slow the run.
        nowMs += input.ConsumeIntegralInRange<uint32_t>(0, 2500);
        uint32_t written = 0xFFFFFFFFu;
        const SiResult result = si_standin_request(&standIn, buffer.data(), inLen, outLen, nowMs, &written);

        if (result == SI_OK) {
            fuzz::Require(written <= outLen, "reply within the output length");
            fuzz::Require(std::equal(buffer.begin() + outLen, buffer.end(), before.begin() + outLen),
                          "nothing written past the output length");
        } else {
            fuzz::Require(written == 0, "a refused request writes no reply length");
            fuzz::Require(buffer == before, "a refused request leaves the buffer as it was");
        }
    }
    return 0;
}
