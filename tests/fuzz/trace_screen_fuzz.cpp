// The trace screen fed by a script of appends, refreshes, resizes and clears.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstring>
#include <vector>

#include "tracer/trace_screen.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

struct CheckingCanvas : vizo::TraceCanvas {
    bool Drawable = true;
    bool Begin() override { return Drawable; }
    void End() override {}
    void Blank(int, int, int, int) override {}
    void Text(int, int, const char* text) override {
        fuzz::Require(std::strlen(text) <= vizo::kLineWidth + 1, "a drawn line fits its slot");
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    vizo::TraceScreen screen;
    CheckingCanvas canvas;
    screen.Attach(&canvas);
    while (input.remaining_bytes() > 0) {
        switch (input.ConsumeIntegralInRange<int>(0, 5)) {
            case 0: {
                // Exactly as long as told, so that a read past the length is caught.
                const std::vector<char> text = input.ConsumeBytes<char>(input.ConsumeIntegralInRange<size_t>(1, 400));
                if (!text.empty()) {
                    screen.Append(text.data(), static_cast<int>(text.size()));
                }
                break;
            }
            case 1: {
                std::vector<char> text = input.ConsumeBytes<char>(input.ConsumeIntegralInRange<size_t>(0, 400));
                text.push_back('\0');
                screen.Append(text.data(), 0);
                break;
            }
            case 2: screen.Refresh(input.ConsumeBool()); break;
            case 3: screen.Resize(input.ConsumeIntegral<int16_t>(), input.ConsumeIntegral<int16_t>()); break;
            case 4: screen.Clear(); break;
            default: canvas.Drawable = !canvas.Drawable; break;
        }
        fuzz::Require(screen.CurrentLine() >= 0 && screen.CurrentLine() < vizo::kScreenLines,
                      "current line in the ring");
        fuzz::Require(screen.Column() >= 0 && screen.Column() <= vizo::kLineWidth + 1, "column within a line");
    }
    return 0;
}
