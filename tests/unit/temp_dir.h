// A fresh folder under the system temp folder, removed with everything in it.
#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

class TempDir {
public:
    TempDir() {
        std::random_device seed;
        std::mt19937 gen(seed());
        do {
            path_ = std::filesystem::temp_directory_path() / ("tarnel_test_" + std::to_string(gen()));
        } while (!std::filesystem::create_directory(path_));
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string Path(const char* name) const { return (path_ / name).string(); }

    std::string Write(const char* name, const std::string& bytes) const {
        const std::string path = Path(name);
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    std::string Read(const char* name) const {
        std::ifstream in(Path(name), std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }

    const std::filesystem::path& Root() const { return path_; }

private:
    std::filesystem::path path_;
};
