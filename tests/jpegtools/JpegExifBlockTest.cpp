#include "jpegtools/JpegExifBlock.h"
#include "support/ExifFixture.h"

#include <gtest/gtest.h>

namespace {

std::optional<std::string> BlockOf(const std::string& jpeg) {
    const auto* data = reinterpret_cast<const uint8_t*>(jpeg.data());
    std::optional<ByteRange> range = FindJpegExifBlock(data, jpeg.size());
    if (!range) return std::nullopt;
    return jpeg.substr(range->offset, range->size);
}

std::string Segment(char marker, const std::string& body) {
    const size_t length = body.size() + 2;
    return std::string{'\xFF', marker, char(length >> 8), char(length & 0xFF)} + body;
}

} // namespace

TEST(JpegExifBlock, FindsTheLastExifSegmentBeforeTheScan) {
    const std::string first = ExifSegment({'I', 'I', 42, 0, 1});
    const std::string second = ExifSegment({'M', 'M', 0, 42, 2});
    const std::string xmp = Segment('\xE1', "http://ns.adobe.com/xap/1.0/\0x");
    const std::string jfif = Segment('\xE0', std::string("JFIF\0\1\1\0\0\1\0\1\0\0", 14));
    EXPECT_EQ(BlockOf(JpegAround(jfif + first + xmp)), std::string("II*\0\1", 5));
    EXPECT_EQ(BlockOf(JpegAround(first + std::string("\xFF\xFF", 2) + second)),
              std::string("MM\0*\2", 5));
    EXPECT_EQ(BlockOf(JpegAround(jfif + xmp)), std::nullopt);
    EXPECT_EQ(BlockOf(JpegAround(Segment('\xE1', std::string("Exif\0\0", 6)))), std::nullopt);
    // After the scan, or in a file that is no JPEG, nothing is looked for.
    EXPECT_EQ(BlockOf(JpegAround(jfif) + first), std::nullopt);
    EXPECT_EQ(BlockOf(first), std::nullopt);
    // A cut-off Exif segment leaves no block; a cut-off other segment keeps the one found.
    const std::string whole = std::string("\xFF\xD8", 2) + first;
    EXPECT_EQ(BlockOf(whole.substr(0, whole.size() - 1)), std::nullopt);
    EXPECT_EQ(BlockOf(std::string("\xFF\xD8", 2) + first + xmp.substr(0, 10)),
              std::string("II*\0\1", 5));
    EXPECT_EQ(BlockOf(std::string("\xFF\xD8\xFF\xE1\x00\x01", 6) + first), std::nullopt);
}
