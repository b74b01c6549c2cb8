// A device opener that records what was asked and answers as told.
#pragma once

#include <cstring>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "common/device_io.h"

struct DeviceCall {
    std::string What;  // "open PATH", "close PATH", "control PATH"
    uint32_t Code = 0;
    uint32_t Access = 0;
    uint32_t Share = 0;
    uint32_t InSize = 0;
    uint32_t OutSize = 0;
};

class FakeOpener : public common::DeviceOpener {
public:
    std::vector<DeviceCall> Calls;
    std::set<std::string> Missing;  // paths that fail to open
    bool ControlFails = false;
    uint32_t OpenError = 2;     // reported after a failed open
    uint32_t ControlError = 6;  // reported after a failed control
    // Byte count a successful control reports; by default the whole output size.
    std::function<uint32_t(uint32_t outSize)> Returned = [](uint32_t outSize) { return outSize; };
    // Writes the reply into the buffer; sees the input bytes first.
    std::function<void(uint8_t* buffer, uint32_t size)> Reply;

    std::unique_ptr<common::Device> Open(const char* path, uint32_t access, uint32_t share) override {
        DeviceCall call{std::string("open ") + path};
        call.Access = access;
        call.Share = share;
        Calls.push_back(call);
        if (Missing.count(path) != 0) {
            return nullptr;
        }
        return std::make_unique<FakeDevice>(*this, path);
    }
    uint32_t LastError() const override { return OpenError; }

    std::vector<std::string> Log() const {
        std::vector<std::string> log;
        for (const auto& c : Calls) {
            log.push_back(c.What);
        }
        return log;
    }

private:
    class FakeDevice : public common::Device {
    public:
        FakeDevice(FakeOpener& owner, std::string path) : owner_(owner), path_(std::move(path)) {}
        ~FakeDevice() override { owner_.Calls.push_back({"close " + path_}); }
        bool Control(uint32_t code, void* buffer, uint32_t inSize, uint32_t outSize) override {
            DeviceCall call{"control " + path_, code};
            call.InSize = inSize;
            call.OutSize = outSize;
            owner_.Calls.push_back(call);
            returned_ = 0;
            if (owner_.ControlFails) {
                return false;
            }
            if (owner_.Reply) {
                owner_.Reply(static_cast<uint8_t*>(buffer), outSize);
            }
            returned_ = owner_.Returned(outSize);
            return true;
        }
        uint32_t BytesReturned() const override { return returned_; }
        uint32_t LastError() const override { return owner_.ControlError; }

    private:
        FakeOpener& owner_;
        std::string path_;
        uint32_t returned_ = 0;
    };
};
