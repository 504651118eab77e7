// The gamma preview's pixels: only what the preview shows is sampled and transferred.
#include "imageops/PreviewPixels.h"
#include "imageops/LevelTable.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

namespace {

// A packed 24-bit picture (bottom-up rows, 4-byte stride) whose pixel (x, y from the top) has
// blue x, green y and red x + 10 * y.
struct Picture {
    size_t width, height;
    std::vector<uint8_t> bytes;
    Picture(size_t w, size_t h) : width(w), height(h), bytes(Layout().stride * h, 0xEE) {
        for (size_t y = 0; y < h; ++y)
            for (size_t x = 0; x < w; ++x) {
                uint8_t* pixel = bytes.data() + (h - 1 - y) * Layout().stride + 3 * x;
                pixel[0] = static_cast<uint8_t>(x);
                pixel[1] = static_cast<uint8_t>(y);
                pixel[2] = static_cast<uint8_t>(x + 10 * y);
            }
    }
    PixelLayout Layout() const { return {(width * 3 + 3) & ~size_t{3}, width, height}; }
};

uint32_t Rgb(int r, int g, int b) {
    return 0xFF000000u | uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b);
}

struct Tables {
    int gamma[256], levels[256];
    explicit Tables(int bias) {
        std::iota(gamma, gamma + 256, 0);
        BuildLevelTable(levels, 0, bias);
    }
};

} // namespace

TEST(PreviewPixels, DetailIsTheVisibleWindowOfThePicture) {
    Picture picture(7, 5);
    PreviewModel preview(7, 5);
    preview.Resize(3, 2); // centred: source (2, 1)
    preview.SetMode(PreviewMode::Detail);
    PreviewPixels pixels(picture.bytes.data(), picture.Layout());
    pixels.Sample(preview, false);
    pixels.Transfer(Tables(0).gamma, Tables(0).levels);
    ASSERT_EQ(pixels.Width(), 3);
    ASSERT_EQ(pixels.Height(), 2);
    EXPECT_EQ(pixels.Shown()[0], Rgb(12, 1, 2));
    EXPECT_EQ(pixels.Shown()[5], Rgb(24, 2, 4));

    // A new setting changes the shown pixels without sampling again; padding never shows.
    Tables brighter(10);
    pixels.Transfer(brighter.gamma, brighter.levels);
    EXPECT_EQ(pixels.Shown()[0], Rgb(22, 11, 12));

    // In a window larger than the picture the detail is the whole picture, centred.
    preview.Resize(10, 9);
    EXPECT_EQ(preview.Detail().x, 1);
    EXPECT_EQ(preview.Detail().y, 2);
    pixels.Sample(preview, false);
    pixels.Transfer(brighter.gamma, brighter.levels);
    EXPECT_EQ(pixels.Width() * pixels.Height(), 35);
    EXPECT_EQ(pixels.Shown()[34], Rgb(56, 14, 16));
}

TEST(PreviewPixels, WholePictureIsReducedToTheFittedSize) {
    Picture picture(8, 4);
    PreviewModel preview(8, 4);
    preview.Resize(4, 4); // fitted 4 x 2: every preview pixel covers 2 x 2 source pixels
    PreviewPixels pixels(picture.bytes.data(), picture.Layout());
    Tables identity(0);

    pixels.Sample(preview, false); // the source pixel at the centre: (1, 1), (3, 1) ...
    pixels.Transfer(identity.gamma, identity.levels);
    ASSERT_EQ(pixels.Shown().size(), 8u);
    EXPECT_EQ(pixels.Shown()[0], Rgb(11, 1, 1));
    EXPECT_EQ(pixels.Shown()[7], Rgb(37, 3, 7));

    pixels.Sample(preview, true); // the average of (0..1, 0..1), rounded
    pixels.Transfer(identity.gamma, identity.levels);
    EXPECT_EQ(pixels.Shown()[0], Rgb(6, 1, 1));
    EXPECT_EQ(pixels.Shown()[7], Rgb(32, 3, 7));
}
