#include "common/message_text.h"

#include <gtest/gtest.h>

TEST(MessageText, FormatsLikePrintf) {
    EXPECT_EQ("Bad program section key:a, val:5",
              common::FormatMessageTextF("Bad program section key:%s, val:%d", "a", 5));
}

TEST(MessageText, LongMessagesAreCutAt199Characters) {
    const std::string key(500, 'k');
    const std::string text = common::FormatMessageTextF("key:%s", key.c_str());
    EXPECT_EQ(199u, text.size());
    EXPECT_EQ("key:kkk", text.substr(0, 7));
}
