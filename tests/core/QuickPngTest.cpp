// The clipboard's PNG: exact pixels from 32-bit screen rows, and compressed.
#include "core/QuickPng.h"

#include <cstring>
#include <gtest/gtest.h>
#include <png.h>

TEST(QuickPng, KeepsEveryPixelAndCompresses) {
    const size_t width = 67, height = 40, stride = width * 4 + 12; // rows with padding
    std::vector<uint8_t> rows(stride * height, 0xEE);
    for (size_t y = 0; y < height; ++y)
        for (size_t x = 0; x < width; ++x) {
            uint8_t* pixel = &rows[y * stride + x * 4];
            pixel[0] = uint8_t(x * 3), pixel[1] = uint8_t(y * 5), pixel[2] = uint8_t(x + y);
        }
    const std::vector<uint8_t> png = EncodeQuickPng(rows.data(), width, height, stride);
    ASSERT_FALSE(png.empty());
    EXPECT_LT(png.size(), width * height * 3 / 2);

    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_memory(&image, png.data(), png.size()));
    EXPECT_EQ(image.width, width);
    EXPECT_EQ(image.height, height);
    image.format = PNG_FORMAT_BGR;
    std::vector<uint8_t> decoded(PNG_IMAGE_SIZE(image));
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, decoded.data(), 0, nullptr));
    for (size_t y = 0; y < height; ++y)
        for (size_t x = 0; x < width; ++x)
            ASSERT_EQ(0, std::memcmp(&decoded[(y * width + x) * 3], &rows[y * stride + x * 4], 3))
                << x << "," << y;

    EXPECT_TRUE(EncodeQuickPng(rows.data(), width, height, width * 3).empty()); // rows too short
}
