// The stand-in's configuration values, its command lines and its trace queue.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "tools/standin/si_command.h"
#include "tools/standin/si_config.h"
#include "tools/standin/si_trace.h"

namespace {

const char* SetNames(SiConfig& config, const char* list) {
    return si_config_set_names(&config, list, static_cast<uint32_t>(std::strlen(list)));
}

const char* SetLinks(SiConfig& config, const char* list) {
    return si_config_set_links(&config, list, static_cast<uint32_t>(std::strlen(list)));
}

TEST(StandInConfig, DefaultsAndNames) {
    SiConfig config;
    si_config_defaults(&config);
    EXPECT_EQ(8u, config.ports);
    EXPECT_STREQ("COM5", config.names[0]);
    EXPECT_STREQ("COM12", config.names[7]);
    ASSERT_EQ(1u, config.linkCount);
    EXPECT_STREQ("tarnel", config.links[0]);

    EXPECT_EQ(nullptr, SetNames(config, "ABCDEFGHIJKL,P2"));
    EXPECT_STREQ("ABCDEFGHIJKL", config.names[0]);
    EXPECT_STREQ("COM7", config.names[2]);
    for (const char* bad : {"ABCDEFGHIJKLM", "A,,B", "", "A B", "A,B,C,D,E,F,G,H,I", "caf\xE9"}) {
        EXPECT_NE(nullptr, SetNames(config, bad)) << bad;
    }
    EXPECT_STREQ("P2", config.names[1]) << "a refused list changes nothing";
    EXPECT_NE(nullptr, si_config_set_ports(&config, 257));
    EXPECT_EQ(nullptr, si_config_set_ports(&config, 0));
    EXPECT_NE(nullptr, SetNames(config, "A"));
}

TEST(StandInConfig, Links) {
    SiConfig config;
    si_config_defaults(&config);
    EXPECT_EQ(nullptr, SetLinks(config, "tarnel,korvexa"));
    ASSERT_EQ(2u, config.linkCount);
    EXPECT_STREQ("korvexa", config.links[1]);
    for (const char* bad :
         {"", "tarnel,", "a,b,c,d,e", "tarnel,TARNEL", "tar nel", "a\\b", "abcdefghijklmnopqrstuvwxyz012345"}) {
        EXPECT_NE(nullptr, SetLinks(config, bad)) << bad;
    }
    EXPECT_EQ(2u, config.linkCount);
}

SiCommand Parse(const std::string& line, const char** error = nullptr) {
    SiCommand command;
    const char* problem = si_command_parse(line.data(), static_cast<uint32_t>(line.size()), &command);
    if (error != nullptr) {
        *error = problem;
    } else {
        EXPECT_EQ(nullptr, problem) << line;
    }
    return command;
}

TEST(StandInCommand, WordsNumbersAndCarrierStates) {
    EXPECT_EQ(SI_COMMAND_NONE, Parse(" \t ").kind);
    EXPECT_EQ(SI_COMMAND_PORTS, Parse("  PORTS ").kind);
    EXPECT_EQ(SI_COMMAND_RESET, Parse("rx\b\breset").kind);
    EXPECT_EQ(4294967295u, Parse("fail 4294967295").number);
    EXPECT_EQ(10084u, Parse("burst 10084").number);
    const SiCommand cd = Parse("cd COM5 Off");
    EXPECT_EQ(SI_COMMAND_CD, cd.kind);
    EXPECT_EQ(0, cd.cdState);
    EXPECT_STREQ("COM5", cd.port);
    EXPECT_EQ(-1, Parse("cd 3 auto").cdState);
    EXPECT_EQ(1000000u, Parse("flood 1000000").number);
    EXPECT_EQ(SI_COMMAND_FLOOD, Parse("flood 0").kind);

    for (const char* bad :
         {"fail", "fail 4294967296", "fail -1", "burst 0", "burst 10085", "count x", "cd 3", "cd 3 maybe", "help me",
          "a b c d e", "cd abcdefghijklmnopq on", "hello", "flood", "flood 1000001", "flood 5 5"}) {
        const char* error = nullptr;
        Parse(bad, &error);
        EXPECT_NE(nullptr, error) << bad;
    }
    const char* error = nullptr;
    Parse(std::string(256, ' '), &error);
    EXPECT_STREQ("command line too long", error);
}

TEST(StandInTrace, AFullQueueDropsItsOldestWholeLines) {
    auto trace = std::make_unique<SiTrace>();
    const std::string line = std::string(99, 'x') + "\n";
    for (int i = 0; i < 400; ++i) {
        si_trace_append(trace.get(), line.data(), 100);
    }
    si_trace_append(trace.get(), "new\n", 4);
    EXPECT_LE(trace->len, SI_TRACE_CAPACITY);
    EXPECT_EQ(0u, (trace->len - 4) % 100) << "only whole lines were dropped";
    EXPECT_EQ(400u * 100 + 4 - trace->len, trace->dropped);
    uint8_t out[150];
    EXPECT_EQ(150u, si_trace_take(trace.get(), out, sizeof out));
    EXPECT_EQ('x', out[0]);
    EXPECT_EQ('\n', out[99]);
    while (trace->len > 4) {
        si_trace_take(trace.get(), out, sizeof out);
    }
    EXPECT_EQ(4u, si_trace_take(trace.get(), out, sizeof out));
}

}  // namespace
