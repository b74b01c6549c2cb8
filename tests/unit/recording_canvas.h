// A canvas that records what the trace screen draws, one line per call.
#pragma once

#include <string>
#include <vector>

#include "tracer/trace_screen.h"

struct RecordingCanvas : vizo::TraceCanvas {
    std::vector<std::string> Drawn;
    bool Begin() override { return true; }
    void End() override {}
    void Blank(int left, int top, int right, int bottom) override {
        Drawn.push_back("blank " + std::to_string(left) + "," + std::to_string(top) + " " + std::to_string(right) +
                        "," + std::to_string(bottom));
    }
    void Text(int x, int y, const char* text) override {
        Drawn.push_back("text " + std::to_string(x) + "," + std::to_string(y) + " " + text);
    }
    // The texts in the order drawn: bottom row first.
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const auto& d : Drawn) {
            if (d.rfind("text ", 0) == 0) {
                texts.push_back(d.substr(d.find(' ', 5) + 1));
            }
        }
        return texts;
    }
};
