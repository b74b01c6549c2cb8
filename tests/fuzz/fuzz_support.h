// What the fuzz targets share: a scratch folder for the readers that take a
// path, and quiet stand-ins for the seams the core reports through.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "common/alerts.h"

namespace fuzz {

// One folder per process, removed when the fuzzer exits normally.
inline const std::filesystem::path& Scratch() {
    struct Folder {
        std::filesystem::path Path;
        Folder() {
            Path = std::filesystem::temp_directory_path() / ("tarnel_fuzz_" + std::to_string(getpid()));
            std::filesystem::create_directories(Path);
        }
        ~Folder() {
            std::error_code ignored;
            std::filesystem::remove_all(Path, ignored);
        }
    };
    static const Folder folder;
    return folder.Path;
}

inline std::string ScratchPath(const char* name) {
    return (Scratch() / name).string();
}

// The input as a file of its own, for readers that open a path.
inline std::string WriteInput(const char* name, const uint8_t* data, size_t size) {
    const std::string path = ScratchPath(name);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr || std::fwrite(data, 1, size, file) != size || std::fclose(file) != 0) {
        std::abort();
    }
    return path;
}

struct QuietAlerts : common::Alerts {
    size_t Count = 0;
    void Alert(const std::string&) override { ++Count; }
};

// A failed property: abort so that libFuzzer keeps the input.
inline void Require(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "property failed: %s\n", what);
        std::abort();
    }
}

}  // namespace fuzz
