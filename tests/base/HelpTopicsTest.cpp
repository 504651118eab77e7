#include "base/HelpTopics.h"

#include <gtest/gtest.h>

TEST(HelpTopics, PagesOfContextNumbers) {
    EXPECT_EQ(HelpPageOf(kHelpContents), "index.html");
    EXPECT_EQ(HelpPageOf(1802), "batch-filter.html#appn");
    EXPECT_EQ(HelpPageOf(4242), "index.html"); // unknown numbers fall back to the contents
    EXPECT_EQ(HelpContexts().front(), kHelpContents);
}

TEST(HelpTopics, ListFileLevelsAndOddLines) {
    const std::vector<HelpEntry> entries =
        ParseHelpList("index.html\tはじめに\r\n\n  menus.html#file\tファイル メニュー\n"
                      "no tab here\n    view.html\tマウス\tとキー  \n\t\n");
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].level, 0);
    EXPECT_EQ(entries[0].title, "はじめに"); // the CR is gone
    EXPECT_EQ(entries[1].level, 1);
    EXPECT_EQ(entries[1].target, "menus.html#file");
    EXPECT_EQ(entries[2].level, 2);
    EXPECT_EQ(entries[2].title, "マウス\tとキー"); // only the first tab splits
}
