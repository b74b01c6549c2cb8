#include "tracer/start_options.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

using namespace vizo;

namespace {

// The text in a heap block of exactly its own size, so that the sanitizer build
// catches a scan that reads past the terminator.
StartOptions Scan(const std::string& text) {
    auto exact = std::make_unique<char[]>(text.size() + 1);
    std::memcpy(exact.get(), text.c_str(), text.size() + 1);
    return ScanCommandLine(exact.get());
}

TEST(TracerCommandLine, OptionLettersInEitherCaseAfterDashOrSlash) {
    EXPECT_TRUE(Scan("-t").TickTrace);
    EXPECT_TRUE(Scan("/T").TickTrace);
    EXPECT_TRUE(Scan("-T").TickTrace);
    EXPECT_TRUE(Scan("x -T").TickTrace);
    EXPECT_FALSE(Scan("-H").TickTrace);
    EXPECT_FALSE(Scan("-H").ShowOptions);
    EXPECT_FALSE(Scan("T").TickTrace);
    EXPECT_TRUE(Scan("/?").ShowOptions);
    EXPECT_TRUE(Scan("-t -?").ShowOptions);
    EXPECT_FALSE(Scan("-").TickTrace);
    EXPECT_FALSE(Scan("").ShowOptions);
}

TEST(TracerCommandLine, TheCharacterAfterTheLetterIsSkipped) {
    EXPECT_TRUE(Scan("-Tx/?").ShowOptions);
    // The second dash is taken as the separator of "-x", so "T" is plain text.
    EXPECT_FALSE(Scan("-x-T").TickTrace);
}

TEST(TracerCommandLine, TheScanStopsAfterEightySteps) {
    EXPECT_TRUE(Scan(std::string(78, 'x') + "-T").TickTrace);
    EXPECT_FALSE(Scan(std::string(80, 'x') + "-T").TickTrace);
    // An option costs two steps although it spans three characters.
    std::string options;
    for (int i = 0; i < 39; ++i) options += "-a ";
    EXPECT_TRUE(Scan(options + "-T").TickTrace);
    EXPECT_FALSE(Scan(options + "-a -T").TickTrace);
}

TEST(TracerDriverKind, ChosenFromTheDirectoryNameInAnyCase) {
    EXPECT_EQ(kKindTarnel, DriverKindFromDirectory("C:\\work\\tarnel"));
    EXPECT_EQ(kKindTarnel, DriverKindFromDirectory("C:\\TarNel-tools\\bin"));
    EXPECT_EQ(kKindKorvex, DriverKindFromDirectory("C:\\Korvex\\trace"));
    EXPECT_EQ(kKindKorvex, DriverKindFromDirectory("C:\\tarnel\\korvex"));
    EXPECT_EQ(kKindUndetermined, DriverKindFromDirectory("C:\\trace"));
    EXPECT_EQ(kKindUndetermined, DriverKindFromDirectory(""));
    EXPECT_EQ(kKindTarnel, DriverKindFromDirectory("C:\\" + std::string(400, 'd') + "\\tarnel"));
}

}  // namespace
