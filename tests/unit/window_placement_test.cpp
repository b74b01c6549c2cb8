#include "common/window_placement.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

using common::ScreenArea;
using common::WindowRectangle;
using common::WindowShow;

std::string Text(const WindowRectangle& r) {
    return std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Width) + "," +
           std::to_string(r.Height);
}

TEST(RectangleToRecord, AMinimisedOrMaximisedWindowKeepsItsRestoredRectangle) {
    const ScreenArea restored{40, 30, 540, 330};
    const ScreenArea parked{-32000, -32000, -31840, -31976};
    struct Case {
        const char* what;
        WindowShow show;
        ScreenArea outer;
        int offsetX;
        int offsetY;
        const char* expected;
    };
    const Case cases[] = {
        {"normal: the rectangle it has", WindowShow::Normal, {60, 70, 700, 570}, 0, 30, "60,70,640,500"},
        {"minimised", WindowShow::Minimised, parked, 0, 0, "40,30,500,300"},
        {"minimised, taskbar at the left", WindowShow::Minimised, parked, 60, 0, "100,30,500,300"},
        {"maximised, taskbar at the top", WindowShow::Maximised, {-8, 22, 1288, 1002}, 0, 30, "40,60,500,300"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.expected, Text(common::RectangleToRecord({c.show, c.outer, restored, c.offsetX, c.offsetY})))
            << c.what;
    }
}

TEST(RectangleToApply, AVisibleRectangleStaysAndOneOffEveryScreenComesBack) {
    const std::vector<ScreenArea> one{{0, 0, 1280, 1024}};
    // A taskbar along the bottom of the first monitor, a second monitor to its right.
    const std::vector<ScreenArea> two{{0, 0, 1280, 984}, {1280, 0, 2560, 1024}};
    const std::vector<ScreenArea> leftOfPrimary{{0, 0, 1280, 1024}, {-1280, 0, 0, 1024}};
    struct Case {
        const char* what;
        WindowRectangle remembered;
        std::vector<ScreenArea> areas;
        const char* expected;
    };
    const Case cases[] = {
        {"visible", {40, 30, 500, 300}, one, "40,30,500,300"},
        {"partly off the left edge", {-400, 30, 500, 300}, one, "-400,30,500,300"},
        {"one column on the screen", {1279, 10, 500, 300}, one, "1279,10,500,300"},
        {"on a monitor at negative positions", {-1000, 100, 500, 300}, leftOfPrimary, "-1000,100,500,300"},
        {"touching the right edge from outside", {1280, 10, 500, 300}, one, "780,10,500,300"},
        {"the minimised parking place", {-32000, -32000, 160, 24}, one, "0,0,160,39"},
        {"off-screen and larger than the screen", {5000, 5000, 2000, 1500}, one, "0,0,1280,1024"},
        {"visible but lower than the smallest window", {10, 10, 160, 24}, one, "10,10,160,39"},
        {"negative size", {100, 100, -50, -50}, one, "100,100,136,39"},
        {"sums beyond 32 bits", {INT_MAX, INT_MAX, INT_MAX, INT_MAX}, one, "0,0,1280,1024"},
        {"right of the second monitor", {3000, 100, 500, 300}, two, "2060,100,500,300"},
        {"in the taskbar strip: work areas count", {100, 990, 500, 300}, two, "100,684,500,300"},
        {"no monitor known: as remembered", {-32000, -32000, 160, 24}, {}, "-32000,-32000,160,24"},
        {"no width: the default place", {-32000, -32000, 0, 300}, one, "none"},
        {"no height: the default place", {10, 20, 500, 0}, one, "none"},
    };
    for (const Case& c : cases) {
        const auto applied = common::RectangleToApply(c.remembered, c.areas, 136, 39);
        EXPECT_EQ(c.expected, applied ? Text(*applied) : "none") << c.what;
    }
}

}  // namespace
