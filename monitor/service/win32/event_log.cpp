#include "monitor/service/win32/event_log.h"

#include "common/win32/scoped.h"
#include "common/win32/system_message.h"

namespace zorvel {
namespace {

std::string SourceKey(const std::string& name) {
    return "SYSTEM\\CurrentControlSet\\Services\\EventLog\\Application\\" + name;
}

WORD TypeOf(EventLevel level) {
    switch (level) {
        case EventLevel::Error: return EVENTLOG_ERROR_TYPE;
        case EventLevel::Warning: return EVENTLOG_WARNING_TYPE;
        case EventLevel::Information: return EVENTLOG_INFORMATION_TYPE;
    }
    return EVENTLOG_ERROR_TYPE;
}

}  // namespace

EventLogWriter::EventLogWriter(const std::string& source) : source_(RegisterEventSourceA(nullptr, source.c_str())) {}

EventLogWriter::~EventLogWriter() {
    if (source_ != nullptr) {
        DeregisterEventSource(source_);
    }
}

void EventLogWriter::Write(const ServiceEvent& event) {
    if (source_ == nullptr) {
        return;
    }
    const char* strings[] = {event.Text.c_str()};
    ReportEventA(source_, TypeOf(event.Level), 0, static_cast<DWORD>(event.Kind), nullptr, 1, 0, strings, nullptr);
}

std::string AddEventSource(const std::string& name, const std::string& program) {
    HKEY created = nullptr;
    LONG error = RegCreateKeyExA(HKEY_LOCAL_MACHINE, SourceKey(name).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                 &created, nullptr);
    if (error != ERROR_SUCCESS) {
        return common::SystemMessage(static_cast<DWORD>(error));
    }
    const common::UniqueRegistryKey key(created);
    const DWORD types = EVENTLOG_ERROR_TYPE | EVENTLOG_WARNING_TYPE | EVENTLOG_INFORMATION_TYPE;
    error = RegSetValueExA(key.Get(), "EventMessageFile", 0, REG_EXPAND_SZ,
                           reinterpret_cast<const BYTE*>(program.c_str()), static_cast<DWORD>(program.size() + 1));
    if (error == ERROR_SUCCESS) {
        error = RegSetValueExA(key.Get(), "TypesSupported", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&types),
                               sizeof types);
    }
    return error == ERROR_SUCCESS ? std::string() : common::SystemMessage(static_cast<DWORD>(error));
}

void RemoveEventSource(const std::string& name) {
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, SourceKey(name).c_str());
}

}  // namespace zorvel
