#include "common/folder_lock.h"

#include <charconv>

namespace common {
namespace {

constexpr uint32_t kAccessDenied = 5;
constexpr uint32_t kSharingViolation = 32;
constexpr uint32_t kLockViolation = 33;

std::string_view NextWord(std::string_view& text) {
    const size_t start = text.find_first_not_of(' ');
    if (start == std::string_view::npos) {
        text = {};
        return {};
    }
    text.remove_prefix(start);
    const size_t end = text.find(' ');
    const std::string_view word = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end);
    return word;
}

}  // namespace

std::string FormatLockLine(const LockHolder& holder) {
    return holder.Kind + " " + std::to_string(holder.ProcessId) + " " + holder.Computer +
           (holder.Service.empty() ? "" : " " + holder.Service) + "\r\n";
}

std::optional<LockHolder> ParseLockLine(std::string_view bytes) {
    const size_t end = bytes.find_first_of("\r\n");
    if (end == std::string_view::npos) {
        return std::nullopt;
    }
    std::string_view line = bytes.substr(0, end);
    const std::string_view kind = NextWord(line);
    const std::string_view id = NextWord(line);
    const std::string_view computer = NextWord(line);
    const std::string_view service = NextWord(line);
    LockHolder holder;
    const auto parsed = std::from_chars(id.data(), id.data() + id.size(), holder.ProcessId);
    if (kind.empty() || id.empty() || parsed.ec != std::errc() || parsed.ptr != id.data() + id.size() ||
        !NextWord(line).empty()) {
        return std::nullopt;
    }
    holder.Kind = std::string(kind);
    holder.Computer = std::string(computer);
    holder.Service = std::string(service);
    return holder;
}

LockState LockStateAfterOpen(bool opened, uint32_t error, bool fileExists) {
    if (opened) {
        return LockState::Taken;
    }
    if (error == kSharingViolation || error == kLockViolation || (error == kAccessDenied && fileExists)) {
        return LockState::Held;
    }
    return LockState::Unlockable;
}

bool BringsHolderForward(const LockHolder& holder, const std::string& kind, const std::string& computer,
                         bool sameSession) {
    return holder.Kind == kind && !computer.empty() && holder.Computer == computer && sameSession;
}

std::string MonitorHeldText(const std::optional<LockHolder>& holder) {
    if (!holder) {
        return "The TarnelPort monitor already runs for this folder.";
    }
    const std::string process = "(process " + std::to_string(holder->ProcessId) + ")";
    if (holder->Kind == kServiceKind) {
        return "The TarnelPort Monitor service samples this folder " + process +
               ". Stop the service to run the monitor here.";
    }
    return "The TarnelPort monitor already runs for this folder " + process + ".";
}

std::string TracerHeldText(std::optional<uint32_t> processId) {
    if (!processId) {
        return "The TarnelPort trace viewer already runs for this driver.";
    }
    return "The TarnelPort trace viewer already runs for this driver (process " + std::to_string(*processId) + ").";
}

std::string TracerLockName(const std::string& devicePath) {
    std::string folded;
    for (char c : devicePath) {
        if (c == '\\') {
            c = '/';
        } else if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
        folded += c;
    }
    return "TarnelPort.vizo:" + folded;
}

bool ShowsServiceFigures(const LockHolder& holder, const std::string& computer) {
    return holder.Kind == kServiceKind && !holder.Service.empty() && !computer.empty() && holder.Computer == computer;
}

std::string ServiceWindowLockName(const std::string& serviceName) {
    return "TarnelPort.zorvel-window:" + serviceName;
}

std::string ServiceWindowHeldText(std::optional<uint32_t> processId) {
    const std::string text = "A window already shows the figures of the service that samples this folder";
    return processId ? text + " (process " + std::to_string(*processId) + ")." : text + ".";
}

}  // namespace common
