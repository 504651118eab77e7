#include "jpegtools/DqtColourMap.h"

#include <gtest/gtest.h>

TEST(DqtColourMap, WhiteAtZeroAndTheLegendRunsFromOneDownToZero) {
    const auto& map = DqtColourMap();
    EXPECT_EQ(map[0].red, 255);
    EXPECT_EQ(map[0].green, 255);
    EXPECT_EQ(map[0].blue, 255);
    // Red has its first low at 85; green and blue end low at 255.
    EXPECT_EQ(map[85].red, 0);
    EXPECT_EQ(map[255].green, 0);
    EXPECT_EQ(map[255].blue, 0);
    EXPECT_EQ(LegendIndex(0), 1);
    EXPECT_EQ(LegendIndex(254), 255);
    EXPECT_EQ(LegendIndex(255), 0);
}
