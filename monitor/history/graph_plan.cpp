#include "monitor/history/graph_plan.h"

#include <algorithm>
#include <cstdio>

#include "monitor/stats/cell_text.h"

namespace zorvel {
namespace {

constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// The smallest 1, 2 or 5 times a power of ten at or above `rate`, at least 10.
uint32_t RoundTop(uint32_t rate) {
    uint64_t step = 10;
    for (;;) {
        for (uint64_t factor : {1u, 2u, 5u}) {
            if (step * factor >= rate) {
                return static_cast<uint32_t>(std::min<uint64_t>(step * factor, 0xFFFFFFFFu));
            }
        }
        step *= 10;
    }
}

std::string Clock(const common::LocalTime& time) {
    char text[16];
    std::snprintf(text, sizeof text, "%02u:%02u", time.Hour, time.Minute);
    return text;
}

std::string Date(const common::LocalTime& time) {
    const char* month = time.Month >= 1 && time.Month <= 12 ? kMonths[time.Month - 1] : "?";
    return std::string(month) + " " + std::to_string(time.Day);
}

// Where local time crosses a round mark of the range: every 10 minutes,
// 3 hours, day or week (Mondays are not known here: every 7th day of the
// month from the 1st).
bool IsMark(GraphRange range, const common::LocalTime& time) {
    switch (range) {
        case GraphRange::Hour: return time.Minute % 10 == 0;
        case GraphRange::Day: return time.Minute == 0 && time.Hour % 3 == 0;
        case GraphRange::Week: return time.Hour == 0;
        case GraphRange::Month: return time.Hour == 0 && time.Day % 7 == 1;
    }
    return false;
}

std::string MarkText(GraphRange range, const common::LocalTime& time) {
    return range == GraphRange::Hour || range == GraphRange::Day ? Clock(time) : Date(time);
}

}  // namespace

RangeShape ShapeOf(GraphRange range) {
    switch (range) {
        case GraphRange::Hour: return {60, 60};
        case GraphRange::Day: return {kMinuteBuckets, 60};
        case GraphRange::Week: return {7 * 24, 3600};
        case GraphRange::Month: return {kHourBuckets, 3600};
    }
    return {60, 60};
}

std::vector<GraphPoint> GraphPoints(const HistoryTables& history, int port, GraphRange range, int64_t unixNow) {
    const RangeShape shape = ShapeOf(range);
    const bool minutes = shape.BucketSeconds == 60;
    const int64_t last = unixNow / shape.BucketSeconds - 1;
    std::vector<GraphPoint> points(static_cast<size_t>(shape.Points));
    for (int i = 0; i < shape.Points; ++i) {
        const int64_t bucket = last - (shape.Points - 1) + i;
        GraphPoint& point = points[static_cast<size_t>(i)];
        point = {bucket * shape.BucketSeconds, false, 0, 0, 0, false};
        if (bucket <= 0 || port < 0 || port >= kHistoryPorts) {
            continue;
        }
        const uint32_t stamp = static_cast<uint32_t>(bucket);
        if (minutes) {
            const int at = static_cast<int>(stamp % kMinuteBuckets);
            const MinuteBucket& b = history.Minutes[at][port];
            if (history.MinuteStamps[at] == stamp && (b.Flags & kBucketSampled) != 0) {
                point = {point.Time, true, b.Tx / 60, b.Rx / 60, b.Errors, (b.Flags & kBucketCarrier) != 0};
            }
        } else {
            const int at = static_cast<int>(stamp % kHourBuckets);
            const HourBucket& b = history.Hours[at][port];
            if (history.HourStamps[at] == stamp && (b.Flags & kBucketSampled) != 0) {
                point = {point.Time, true, b.Tx / 3600, b.Rx / 3600, b.Errors, (b.Flags & kBucketCarrier) != 0};
            }
        }
    }
    return points;
}

GraphPlan PlanGraph(const std::vector<GraphPoint>& points, GraphRange range, const PlotArea& area,
                    const LocalTimeOf& local) {
    GraphPlan plan;
    const size_t count = points.size();
    const int width = std::max(1, area.Right - area.Left);
    const int height = std::max(1, area.Bottom - area.Top);
    uint32_t highest = 0;
    for (const GraphPoint& point : points) {
        if (point.Data) {
            highest = std::max({highest, point.Tx, point.Rx});
        }
    }
    plan.TopRate = RoundTop(highest);
    const auto x = [&](size_t i) {
        return area.Left + static_cast<int>(count > 1 ? static_cast<int64_t>(i) * (width - 1) / (count - 1) : 0);
    };
    const auto y = [&](uint32_t rate) {
        return area.Bottom - 1 - static_cast<int>(static_cast<uint64_t>(rate) * (height - 1) / plan.TopRate);
    };
    // A span's edges halfway to the neighbouring points.
    const auto left = [&](size_t i) { return i == 0 ? area.Left : (x(i - 1) + x(i) + 1) / 2; };
    const auto right = [&](size_t i) { return i + 1 == count ? area.Right : (x(i) + x(i + 1) + 1) / 2; };
    const auto addBand = [&](size_t i, BandKind kind) {
        if (!plan.Bands.empty() && plan.Bands.back().Kind == kind) {
            plan.Bands.back().Right = right(i);
        } else {
            plan.Bands.push_back({left(i), right(i), kind});
        }
    };
    bool inRun = false;
    for (size_t i = 0; i < count; ++i) {
        const GraphPoint& point = points[i];
        if (!point.Data) {
            inRun = false;
            addBand(i, BandKind::Gap);
            continue;
        }
        addBand(i, point.Carrier ? BandKind::Carrier : BandKind::NoCarrier);
        if (!inRun) {
            plan.Tx.emplace_back();
            plan.Rx.emplace_back();
            inRun = true;
        }
        plan.Tx.back().push_back({x(i), y(point.Tx)});
        plan.Rx.back().push_back({x(i), y(point.Rx)});
        if (point.Errors > 0) {
            plan.ErrorMarks.push_back(x(i));
        }
    }
    for (size_t i = 0; i < count; ++i) {
        const common::LocalTime time = local(points[i].Time);
        if (IsMark(range, time)) {
            plan.TimeLabels.push_back({x(i), MarkText(range, time)});
        }
    }
    for (uint32_t quarter = 0; quarter <= 4; ++quarter) {
        const uint32_t rate = static_cast<uint32_t>(static_cast<uint64_t>(plan.TopRate) * quarter / 4);
        plan.RateLabels.push_back({y(rate), RateText(rate)});
    }
    return plan;
}

int PointAt(size_t points, const PlotArea& area, int x) {
    if (points == 0 || x < area.Left || x >= area.Right) {
        return -1;
    }
    const int width = std::max(1, area.Right - area.Left);
    if (points == 1) {
        return 0;
    }
    const int64_t nearest = (static_cast<int64_t>(x - area.Left) * (points - 1) + (width - 1) / 2) / (width - 1);
    return static_cast<int>(std::min<int64_t>(nearest, static_cast<int64_t>(points) - 1));
}

std::string RateText(uint32_t rate) {
    std::string text;
    FormatCell(rate, kTypeScaled, text);
    text.erase(0, text.find_first_not_of(' '));
    return text;
}

std::string StampText(const common::LocalTime& time) {
    char text[32];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u", time.Year, time.Month, time.Day, time.Hour,
                  time.Minute);
    return text;
}

std::string PointsAsText(const std::vector<GraphPoint>& points, const LocalTimeOf& local) {
    std::string text = "Time\tTransmit\tReceive\tErrors\tCarrier\r\n";
    char figures[64];
    for (const GraphPoint& point : points) {
        text += StampText(local(point.Time));
        if (point.Data) {
            std::snprintf(figures, sizeof figures, "\t%u\t%u\t%u\t%s", point.Tx, point.Rx, point.Errors,
                          point.Carrier ? "On" : "Off");
            text += figures;
        } else {
            text += "\t\t\t\t";
        }
        text += "\r\n";
    }
    return text;
}

}  // namespace zorvel
