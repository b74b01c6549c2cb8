// Each shipped program carries the manifest Windows 10 and 11 read: its rights,
// no file virtualisation, its supported systems and GDI scaling.
#include <gtest/gtest.h>

#include "tests/e2e/harness_win32.h"

namespace {

std::string ManifestOf(const std::string& exe) {
    HMODULE module = LoadLibraryExA((e2e::BinFolder() + "\\" + exe).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (module == nullptr) {
        return "";
    }
    std::string text;
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    if (loaded != nullptr) {
        text.assign(static_cast<const char*>(LockResource(loaded)), SizeofResource(module, found));
    }
    FreeLibrary(module);
    return text;
}

TEST(Manifest, EveryProgramCarriesItsManifest) {
    // None asks for elevation, which from a normal prompt answers in a window of its own that closes.
    for (const char* exe : {"zorvel.exe", "vizo.exe", "zorvel-export.exe", "standin_ctl.exe"}) {
        SCOPED_TRACE(exe);
        const std::string manifest = ManifestOf(exe);
        EXPECT_NE(std::string::npos, manifest.find("level=\"asInvoker\""));
        EXPECT_NE(std::string::npos, manifest.find("{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}")) << "Windows 10 and 11";
        EXPECT_NE(std::string::npos, manifest.find("{35138b9a-5d96-4fbd-8e2d-a2440225f93a}")) << "Windows 7";
        EXPECT_NE(std::string::npos, manifest.find(">true</gdiScaling>"));
        EXPECT_EQ(std::string::npos, manifest.find("dpiAware")) << "every pixel size would change";
    }
}

}  // namespace
