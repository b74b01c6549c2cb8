#include "monitor/stats/metrics_file.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "common/disk_space.h"
#include "common/whole_file.h"
#include "monitor/stats/catalogue.h"
#include "monitor/stats/metric_text.h"
#include "monitor/stats/statistic_values.h"

namespace zorvel {
namespace {

class PortTableRows : public MetricRows {
public:
    PortTableRows(const PortTables& tables, const LabelEncoder& encode, MetricFamilies families)
        : tables_(tables), families_(families) {
        const int ports = CountPorts(tables.Names);
        for (int port = 0; port < ports; ++port) {
            const std::string name = zorvel::PortName(tables.Names.Slots[port]);
            names_.push_back(encode ? encode(name) : name);
        }
    }
    size_t RowCount() const override { return names_.size(); }
    const std::string& PortName(size_t row) const override { return names_[row]; }
    // A family left out has no samples, and a family without samples is not written.
    std::optional<std::string_view> Value(int statistic, size_t row, char (&scratch)[16]) const override {
        if (families_ == MetricFamilies::Counters && !IsCountOrSignal(kStatistics[statistic])) {
            return std::nullopt;
        }
        const uint32_t value = StatisticValue(tables_, statistic + 1, static_cast<int>(row));
        return std::string_view(
            scratch, static_cast<size_t>(std::to_chars(scratch, scratch + sizeof scratch, value).ptr - scratch));
    }

private:
    const PortTables& tables_;
    const MetricFamilies families_;
    std::vector<std::string> names_;
};

}  // namespace

std::string FormatMetricsFile(const PortTables& tables, const std::string& board, const MetricsMoment& moment,
                              const LabelEncoder& encode, MetricFamilies families) {
    // Notepad saves zorvel.ini in UTF-8 today and in the code page before:
    // a board name that is UTF-8 already stays as it is.
    const bool convert = encode && !IsUtf8(board);
    const std::string boardLabel =
        BoardLabel(board.empty() ? std::nullopt : std::optional<std::string>(convert ? encode(board) : board));
    const PortTableRows rows(tables, encode, families);
    std::string text;
    // 56 families of about 80 bytes per port.
    text.reserve(4096 + rows.RowCount() * 56 * 80);
    AppendGauge(text, "zorvel_up", "1 while the monitor samples, 0 once it has stopped.", boardLabel,
                moment.Up ? 1 : 0);
    AppendGauge(text, "zorvel_driver_up", "1 while the driver answers the monitor's reads, 0 once one has failed.",
                boardLabel, moment.DriverUp ? 1 : 0);
    if (moment.LastSample) {
        AppendGauge(text, "zorvel_last_sample_timestamp_seconds", "Unix time of the monitor's last counter read.",
                    boardLabel, *moment.LastSample);
    }
    AppendGauge(text, "zorvel_sample_period_seconds", "seconds between the monitor's counter reads (UpdateTime).",
                boardLabel, static_cast<int64_t>(moment.Period));
    AppendGauge(text, "zorvel_ports", "ports the driver lists.", boardLabel, static_cast<int64_t>(rows.RowCount()));
    if (moment.FreeDiskBytes) {
        AppendGauge(text, "zorvel_free_disk_bytes",
                    "free bytes on the monitor folder's volume; reports and settings stop at 2000000.", boardLabel,
                    *moment.FreeDiskBytes);
    }
    AppendStatisticFamilies(text, rows, boardLabel);
    return text;
}

std::string MetricsPath(const std::string& written, const std::string& startDirectory, const LabelEncoder& toSystem) {
    const bool beyondAscii =
        std::any_of(written.begin(), written.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    const std::string file = toSystem && beyondAscii && IsUtf8(written) ? toSystem(written) : written;
    const bool absolute = (!file.empty() && (file[0] == '\\' || file[0] == '/')) || (file.size() > 1 && file[1] == ':');
    return absolute ? file : startDirectory + "\\" + file;
}

MetricsPublisher::MetricsPublisher(const ProgramSettings& settings, const PortTables& tables, common::Alerts& alerts,
                                   std::string path, LabelEncoder encode, std::function<double()> freeDiskBytes)
    : settings_(settings),
      tables_(tables),
      alerts_(alerts),
      path_(std::move(path)),
      encode_(std::move(encode)),
      freeDiskBytes_(std::move(freeDiskBytes)),
      periodSeconds_(SampleIntervalMs(settings.UpdateTime) / 1000) {}

MetricsPublisher::~MetricsPublisher() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    if (writer_.joinable()) {
        writer_.join();
    }
}

void MetricsPublisher::Sampled(int64_t unixTime, bool due) {
    TellOutcome();
    lastSample_ = unixTime;
    // A driver that answers again is said at once, as its loss was.
    const bool back = !driverUp_;
    driverUp_ = true;
    if (due || back) {
        Submit(true);
    }
}

void MetricsPublisher::DriverLost() {
    driverUp_ = false;
    Submit(true);
}

void MetricsPublisher::Stopped() {
    Submit(false);
    stopped_ = true;
    WaitIdle();
    TellOutcome();
}

void MetricsPublisher::WaitIdle() {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return !pending_ && !writing_; });
}

void MetricsPublisher::Submit(bool up) {
    // After the last text a later one would say the monitor is up again.
    if (settings_.Metrics.File.empty() || stopped_) {
        return;
    }
    MetricsMoment moment{up, driverUp_, lastSample_, periodSeconds_};
    // A drive that cannot be asked answers far more than any disk holds.
    const double freeBytes = freeDiskBytes_ ? freeDiskBytes_() : common::FreeBytesWhenUnknown();
    if (freeBytes >= 0 && freeBytes < 1e18) {
        moment.FreeDiskBytes = static_cast<int64_t>(freeBytes);
    }
    std::string text = FormatMetricsFile(tables_, settings_.Metrics.Board, moment, encode_,
                                         settings_.Metrics.Families.value_or(MetricFamilies::All));
    {
        std::lock_guard<std::mutex> lock(mutex_);
        pending_ = std::move(text);
        if (!writer_.joinable()) {
            writer_ = std::thread(&MetricsPublisher::Run, this);
        }
    }
    changed_.notify_all();
}

void MetricsPublisher::Run() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return pending_ || stopping_; });
        if (!pending_) {
            return;
        }
        const std::string text = std::move(*pending_);
        pending_.reset();
        writing_ = true;
        lock.unlock();
        const common::TextWriteOutcome outcome = common::ReplaceWithText(path_, text);
        lock.lock();
        outcome_ = outcome;
        writing_ = false;
        changed_.notify_all();
    }
}

void MetricsPublisher::TellOutcome() {
    std::optional<common::TextWriteOutcome> outcome;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        outcome.swap(outcome_);
    }
    if (!outcome) {
        return;
    }
    if (outcome->Result == common::WriteResult::Ok) {
        failureShown_ = false;
        return;
    }
    if (failureShown_) {
        return;
    }
    // Set before the box: ticks go on inside its message loop.
    failureShown_ = true;
    alerts_.Alert("Could not write the metrics file " + path_ + ": " + common::WriteFailureReason(path_, *outcome) +
                  ". The monitor tries again at every minute end.");
}

}  // namespace zorvel
