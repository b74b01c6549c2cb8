// What a port's graph draws, worked out from the history: two lines of
// characters a second, error marks, shaded spans without carrier, gaps where
// no program sampled, and the axes' labels.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/clock.h"
#include "monitor/history/history.h"
#include "monitor/history/local_clock.h"

namespace zorvel {

// The four ranges, numbered as the keys 1 to 4 choose them.
enum class GraphRange : int { Hour = 1, Day = 2, Week = 3, Month = 4 };

struct RangeShape {
    int Points;
    int BucketSeconds;
};
RangeShape ShapeOf(GraphRange range);

struct GraphPoint {
    int64_t Time;  // UTC seconds at the bucket's start
    bool Data;     // false: no program sampled then, drawn as a gap
    uint32_t Tx;   // characters a second over the bucket
    uint32_t Rx;
    uint32_t Errors;
    bool Carrier;
};

// The range's buckets of one port, oldest first, up to the last whole minute
// (minute ranges) or hour (hour ranges) before `unixNow`.
std::vector<GraphPoint> GraphPoints(const HistoryTables& history, int port, GraphRange range, int64_t unixNow);

struct PlotArea {
    int Left;
    int Top;
    int Right;
    int Bottom;
};
struct PlotPoint {
    int X;
    int Y;
};
struct AxisLabel {
    int At;  // x for a time, y for a rate
    std::string Text;
};

// The area's background, left to right, so that each pixel is filled once.
enum class BandKind { Carrier, NoCarrier, Gap };
struct Band {
    int Left;
    int Right;
    BandKind Kind;
};

struct GraphPlan {
    // Each line as runs of points between gaps; one call draws all the runs of a line.
    std::vector<std::vector<PlotPoint>> Tx;
    std::vector<std::vector<PlotPoint>> Rx;
    std::vector<int> ErrorMarks;  // x of each bucket with errors
    // Sampled buckets with carrier, without it, and buckets without data,
    // neighbours of a kind joined; together they cover the area's width.
    std::vector<Band> Bands;
    std::vector<AxisLabel> TimeLabels;
    std::vector<AxisLabel> RateLabels;
    uint32_t TopRate = 0;  // characters a second at the area's top
};

GraphPlan PlanGraph(const std::vector<GraphPoint>& points, GraphRange range, const PlotArea& area,
                    const LocalTimeOf& local);

// The point under an x inside the area; -1 outside it.
int PointAt(size_t points, const PlotArea& area, int x);

// A rate as the grid's "Integer(k,m,g)" shows it, without its padding.
std::string RateText(uint32_t rate);

// A point's local time as the graph and its copied text show it.
std::string StampText(const common::LocalTime& time);

// One line a point: local time, transmit, receive, errors, carrier; a header
// first. A point without data leaves its figures empty.
std::string PointsAsText(const std::vector<GraphPoint>& points, const LocalTimeOf& local);

}  // namespace zorvel
