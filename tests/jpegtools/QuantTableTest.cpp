#include "base/HeadlessPlatform.h"
#include "jpegtools/DqtFile.h"
#include "jpegtools/QuantTablePair.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

TEST(QuantTable, QualityFactorsGiveLibjpegTables) {
    QuantTable luminance = MakeQualityTable(0, 50);
    EXPECT_EQ(std::vector<uint16_t>(luminance.begin(), luminance.begin() + 8),
              (std::vector<uint16_t>{16, 11, 10, 16, 24, 40, 51, 61}));
    EXPECT_EQ(QualityTextOf(luminance.data()), "77.7");
    EXPECT_EQ(QualityTextOf(MakeQualityTable(1, 50).data()), "66.5");
    EXPECT_EQ(QualityTextOf(MakeQualityTable(0, 75).data()), "88.9");
    QuantTable best = MakeQualityTable(0, 100);
    QuantTable worst = MakeQualityTable(1, 1);
    for (int i = 0; i < 64; ++i) {
        EXPECT_EQ(best[i], 1);
        EXPECT_EQ(worst[i], 255);
    }
    EXPECT_EQ(QualityTextOf(best.data()), "100.0");
    EXPECT_EQ(QualityTextOf(worst.data()), "0.0");
}

TEST(DqtFile, WritesSixteenLinesAndReadsThemBack) {
    TempDir dir;
    QuantTablePair pair = MakeQualityTablePair(30);
    pair[5] = 999; // values above 255 survive the text form
    ASSERT_EQ(SaveDQT(dir.File("t.dqt"), pair.data()), 128);
    std::string text = TempDir::Read(dir.File("t.dqt"));
    EXPECT_EQ(text.substr(0, 34), " 27, 18, 17, 27, 40,999, 85,101,\r\n");
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 16);
    QuantTablePair back{};
    ASSERT_EQ(LoadDQT(dir.File("t.dqt"), back.data()), 128);
    EXPECT_EQ(back, pair);
}

TEST(DqtFile, TokensSeparatorsAndLimits) {
    uint16_t values[128] = {};
    EXPECT_EQ(ParseDQT("16,,11\n", values), 3);
    EXPECT_EQ(values[0], 16);
    EXPECT_EQ(values[1], 0);
    EXPECT_EQ(values[2], 11);
    // A letter token reads 0, and so does the empty token before ";".
    EXPECT_EQ(ParseDQT("\t12 x7 ;9z\n\n", values), 4);
    EXPECT_EQ(values[0], 12);
    EXPECT_EQ(values[1], 0);
    EXPECT_EQ(values[2], 0);
    EXPECT_EQ(values[3], 9);
    std::string many;
    for (int i = 0; i < 130; ++i)
        many += std::to_string(i) + (i % 10 == 9 ? ",\n" : ",");
    EXPECT_EQ(ParseDQT(many, values), 128);
    EXPECT_EQ(values[127], 127);
    // A long line is read in pieces of 1023 characters; a blank piece holds one empty token.
    EXPECT_EQ(ParseDQT(std::string(5000, ' ') + "5,\n", values), 5);
    EXPECT_EQ(values[4], 5);
}

TEST(DqtFile, MissingFileIsReportedAndChangesNothing) {
    Headless().ClearMessages();
    uint16_t values[128] = {42};
    EXPECT_EQ(LoadDQT("/nonexistent/t.dqt", values), -1);
    EXPECT_EQ(values[0], 42);
    ASSERT_EQ(Headless().Messages().size(), 1u);
    EXPECT_EQ(Headless().Messages()[0].text, "LoadDQT:ファイルが開けません\n/nonexistent/t.dqt");
    EXPECT_EQ(SaveDQT("/nonexistent/t.dqt", values), -1);
    Headless().ClearMessages();
}

TEST(DqtFile, LoadingIntoAPairReplacesWholeTablesOnly) {
    TempDir dir;
    std::string seventy, sixty;
    for (int i = 0; i < 70; ++i)
        seventy += std::to_string(i + 1) + ",";
    for (int i = 0; i < 60; ++i)
        sixty += "9,";
    QuantTablePair pair{};
    pair.fill(7);
    EXPECT_EQ(LoadDqtTables(dir.Write("short.dqt", sixty), pair), 0);
    EXPECT_EQ(pair[0], 7);
    EXPECT_EQ(LoadDqtTables(dir.Write("70.dqt", seventy), pair), 1);
    EXPECT_EQ(pair[0], 1);
    EXPECT_EQ(pair[63], 64);
    EXPECT_EQ(pair[64], 7); // table 1 untouched
    const QuantTablePair saved = MakeQualityTablePair(60);
    ASSERT_EQ(SaveDQT(dir.File("pair.dqt"), saved.data()), 128);
    EXPECT_EQ(LoadDqtTables(dir.File("pair.dqt"), pair), 2);
    EXPECT_EQ(pair, saved);
}
