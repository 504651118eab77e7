#include "imageops/Resize.h"

#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace {

using Line = std::vector<uint8_t>;

Line Shrink(const Line& in, size_t m) {
    Line out(m, 0xEE);
    ShrinkLine(out.data(), m, 1, in.data(), in.size(), 1);
    return out;
}

Line Stretch(const Line& in, size_t m) {
    Line out(m, 0xEE);
    StretchLine(out.data(), m, 1, in.data(), in.size(), 1, MakeStretchTable(in.size(), m));
    return out;
}

// Box averaging worked out from the coverage intervals: output k covers [k·n, (k+1)·n) and
// input s covers [s·m, (s+1)·m), in units of 1 / (n·m) of the line.
Line CoverageAverage(const Line& in, size_t m) {
    const uint64_t n = in.size();
    Line out(m);
    for (uint64_t k = 0; k < m; ++k) {
        uint64_t sum = 0;
        for (uint64_t s = k * n / m; s < n && s * m < (k + 1) * n; ++s) {
            uint64_t begin = std::max(s * m, k * n), end = std::min((s + 1) * m, (k + 1) * n);
            sum += (end - begin) * in[s];
        }
        out[k] = static_cast<uint8_t>(sum / n);
    }
    return out;
}

size_t Stride24(size_t width) {
    return (width * 3 + 3) & ~size_t{3};
}

struct Image {
    size_t width, height;
    std::vector<uint8_t> bytes;
    Image(size_t w, size_t h) : width(w), height(h), bytes(Stride24(w) * h, 0) {}
    PixelLayout Layout() const { return {Stride24(width), width, height}; }
    uint8_t* Pixel(size_t x, size_t y) { return bytes.data() + y * Stride24(width) + x * 3; }
};

Image Scaled(const Image& source, size_t width, size_t height) {
    Image target(width, height);
    EXPECT_TRUE(
        ScalePixels(source.bytes.data(), source.Layout(), target.bytes.data(), target.Layout()));
    return target;
}

Image RandomImage(size_t width, size_t height, unsigned seed) {
    Image image(width, height);
    std::mt19937 random(seed);
    for (uint8_t& byte : image.bytes)
        byte = static_cast<uint8_t>(random());
    return image;
}

// The two passes spelt out one line at a time: every column of every channel along the
// stride, then every row of every channel with a step of 3.
Image ScaledLineByLine(const Image& source, size_t width, size_t height) {
    const size_t stride = Stride24(source.width);
    std::vector<uint8_t> columns(stride * height, 0);
    const StretchTable columnTable = MakeStretchTable(source.height, height);
    for (size_t c = 0; c < source.width * 3; ++c) {
        const uint8_t* in = source.bytes.data() + c;
        if (height < source.height)
            ShrinkLine(columns.data() + c, height, stride, in, source.height, stride);
        else if (height > source.height)
            StretchLine(columns.data() + c, height, stride, in, source.height, stride, columnTable);
        else
            for (size_t y = 0; y < height; ++y)
                columns[y * stride + c] = in[y * stride];
    }
    Image target(width, height);
    const StretchTable rowTable = MakeStretchTable(source.width, width);
    for (size_t y = 0; y < height; ++y)
        for (size_t channel = 0; channel < 3; ++channel) {
            const uint8_t* in = columns.data() + y * stride + channel;
            uint8_t* out = target.Pixel(0, y) + channel;
            if (width < source.width)
                ShrinkLine(out, width, 3, in, source.width, 3);
            else if (width > source.width)
                StretchLine(out, width, 3, in, source.width, 3, rowTable);
            else
                for (size_t x = 0; x < width; ++x)
                    out[3 * x] = in[3 * x];
        }
    return target;
}

} // namespace

TEST(ShrinkLine, AveragesExactCoverageAndTruncates) {
    EXPECT_EQ(Shrink({10, 20, 30, 40}, 2), (Line{15, 35}));
    EXPECT_EQ(Shrink({0, 90, 180}, 2), (Line{30, 150}));
    EXPECT_EQ(Shrink({0, 0, 1}, 1), (Line{0}));
    EXPECT_EQ(Shrink({255, 255, 255, 255, 255}, 3), (Line{255, 255, 255}));
}

TEST(ShrinkLine, MatchesCoverageIntervalsForManyRatios) {
    std::mt19937 random(7);
    for (size_t n : {2u, 3u, 7u, 16u, 99u, 100u, 257u, 1000u})
        for (size_t m = 1; m < n; m += (n > 20 ? n / 13 : 1)) {
            Line in(n);
            for (uint8_t& v : in)
                v = static_cast<uint8_t>(random());
            EXPECT_EQ(Shrink(in, m), CoverageAverage(in, m)) << n << " -> " << m;
        }
}

TEST(StretchLine, InterpolatesFromNeighbours) {
    EXPECT_EQ(Stretch({0, 255}, 4), (Line{0, 0, 127, 255}));
    EXPECT_EQ(Stretch({0, 60, 120}, 4), (Line{0, 54, 90, 110}));
    const uint8_t a = 10, b = 101, c = 250;
    EXPECT_EQ(Stretch({a, b, c}, 6), (Line{a, a, (a + b) / 2, b, (b + c) / 2, c}));
}

TEST(StretchLine, LargeFactorsKeepFlatLinesFlatAndRampsRising) {
    // Weights reach about (1.5 · m)^2 here, far beyond 32 bits: a flat line must stay flat and
    // a rising line must keep rising.
    const std::pair<size_t, size_t> cases[] = {{1, 65535},     {2, 65535},     {3, 65535},
                                               {65534, 65535}, {40000, 65535}, {255, 65000}};
    for (auto [n, m] : cases) {
        EXPECT_EQ(Stretch(Line(n, 201), m), Line(m, 201)) << n << " -> " << m;
        Line ramp(n);
        for (size_t s = 0; s < n; ++s)
            ramp[s] = static_cast<uint8_t>(s * 255 / std::max<size_t>(n - 1, 1));
        Line out = Stretch(ramp, m);
        EXPECT_TRUE(std::is_sorted(out.begin(), out.end())) << n << " -> " << m;
    }
}

TEST(ShrinkLine, LargeFactorsAverageWithoutOverflow) {
    Line in(65535, 255);
    EXPECT_EQ(Shrink(in, 1), (Line{255}));
    in[0] = 0; // the average of 65534 × 255 and one 0 truncates to 254
    EXPECT_EQ(Shrink(in, 1), (Line{254}));
    EXPECT_EQ(Shrink(Line(65535, 77), 65534), Line(65534, 77));
}

TEST(ScalePixels, SameAsOneLineAtATime) {
    const std::pair<size_t, size_t> sizes[] = {{7, 5}, {3, 9}, {7, 9}, {5, 5}, {1, 1}, {13, 2}};
    unsigned seed = 1;
    for (auto [w, h] : sizes) {
        Image source = RandomImage(w, h, seed++);
        for (size_t width : {1u, 3u, 5u, 7u, 16u})
            for (size_t height : {1u, 2u, 5u, 9u, 14u}) {
                Image fast = Scaled(source, width, height);
                Image reference = ScaledLineByLine(source, width, height);
                for (size_t y = 0; y < height; ++y)
                    ASSERT_TRUE(
                        std::equal(fast.Pixel(0, y), fast.Pixel(width, y), reference.Pixel(0, y)))
                        << w << "x" << h << " -> " << width << "x" << height << " row " << y;
            }
    }
}

TEST(ScalePixels, VerticalStretchStartsFromTheBottomRow) {
    // Rows are stored bottom-up: the first stored row is the bottom of the picture.
    Image source(1, 2);
    std::fill(source.Pixel(0, 0), source.Pixel(1, 0), 40);  // bottom
    std::fill(source.Pixel(0, 1), source.Pixel(1, 1), 200); // top
    Image target = Scaled(source, 1, 4);
    const uint8_t expected[] = {40, 40, 120, 200};
    for (size_t y = 0; y < 4; ++y)
        EXPECT_EQ(*target.Pixel(0, y), expected[y]) << y;
}

TEST(ScalePixels, RefusesEmptyOversizedAndShortStrides) {
    Image source(4, 4), target(2, 2);
    uint8_t* in = source.bytes.data();
    uint8_t* out = target.bytes.data();
    EXPECT_FALSE(ScalePixels(in, source.Layout(), out, {Stride24(2), 0, 2}));
    EXPECT_FALSE(ScalePixels(in, source.Layout(), out, {Stride24(2), 2, 0}));
    EXPECT_FALSE(ScalePixels(in, {Stride24(4), 0, 4}, out, target.Layout()));
    EXPECT_FALSE(ScalePixels(in, {11, 4, 4}, out, target.Layout()));
    EXPECT_FALSE(ScalePixels(in, source.Layout(), out, {12, kMaxScaleLength + 1, 1}));
}

TEST(ScalePixels, BatchSizesFromASixThousandPixelPicture) {
    // Left half red, right half blue; a horizontal seam of green in the middle rows.
    Image source(6000, 4000);
    std::vector<uint8_t> plain(18000), band(18000);
    for (size_t x = 0; x < 6000; ++x) {
        plain[3 * x] = band[3 * x] = x < 3000 ? 0 : 255;
        band[3 * x + 1] = 255;
        plain[3 * x + 2] = band[3 * x + 2] = x < 3000 ? 255 : 0;
    }
    for (size_t y = 0; y < 4000; ++y)
        std::copy(y >= 1975 && y < 2025 ? band.begin() : plain.begin(),
                  y >= 1975 && y < 2025 ? band.end() : plain.end(), source.Pixel(0, y));
    for (auto [w, h] : {std::pair<size_t, size_t>{80, 53}, {160, 120}}) {
        Image small = Scaled(source, w, h);
        // 6000 / w is whole: every column lies inside one half.
        EXPECT_EQ(small.Pixel(0, 0)[2], 255);
        EXPECT_EQ(small.Pixel(w - 1, 0)[0], 255);
        EXPECT_EQ(small.Pixel(w / 2 - 1, h - 1)[0], 0);
        EXPECT_EQ(small.Pixel(w / 2, h - 1)[2], 0);
        // Green: the exact coverage of the 50-row band, truncated.
        Line column(4000);
        for (size_t y = 0; y < 4000; ++y)
            column[y] = source.Pixel(0, y)[1];
        Line expected = CoverageAverage(column, h);
        for (size_t y = 0; y < h; ++y)
            ASSERT_EQ(small.Pixel(w - 1, y)[1], expected[y]) << y;
    }
}
