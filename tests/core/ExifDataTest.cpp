// The Exif data as one unit: its parser never outlives the bytes it views.
#include "core/ExifData.h"
#include "DocFixture.h"
#include "support/JpegFixture.h"
#include "support/TiffFixture.h"

namespace {

using ExifOwnership = DocTest;

std::vector<uint8_t> ExifBlock() {
    const std::string tiff = MakeTiff({Ascii(271, "Maker")}, {Undefined(0x9000, "0230")}, {});
    return std::vector<uint8_t>(tiff.begin(), tiff.end());
}

} // namespace

TEST(ExifData, CopiesShareTheBytesTheParserViews) {
    ExifData original = ExifData::ParseBlock(ExifBlock());
    ASSERT_TRUE(original.Present());
    ExifData copy = original;
    original = ExifData();
    EXPECT_FALSE(original.Reader());
    ASSERT_TRUE(copy.Reader());
    const CIfdEntry* maker = copy.Reader()->FindTag(271);
    ASSERT_TRUE(maker);
    EXPECT_EQ(copy.Reader()->GetText(*maker), "Maker");
    EXPECT_EQ(copy.BlockReader(), copy.Reader());
    EXPECT_EQ(copy.Bytes(), ExifBlock());
}

TEST_F(ExifOwnership, FactsKeptAcrossAReloadStayReadable) {
    TestJpegOptions options;
    const std::string block = std::string("Exif\0\0", 6) +
                              MakeTiff({Ascii(271, "Maker")}, {Undefined(0x9000, "0230")}, {});
    options.markers = {{JPEG_APP0 + 1, block}};
    ASSERT_TRUE(WriteTestJpeg(dir.File("exif.jpg"), options));
    ASSERT_TRUE(WriteTestJpeg(dir.File("plain.jpg"), TestJpegOptions{}));

    CImageDoc document{context};
    ASSERT_TRUE(document.LoadFile(dir.File("exif.jpg")));
    const ImageFacts kept = document.Facts();
    ASSERT_TRUE(document.LoadFile(dir.File("plain.jpg")));
    EXPECT_FALSE(document.Facts().exif.Present());
    ASSERT_TRUE(document.LoadFile(dir.File("exif.jpg"))); // replaced by a new unit again
    ASSERT_TRUE(kept.exif.Reader());
    const CIfdEntry* maker = kept.exif.Reader()->FindTag(271);
    ASSERT_TRUE(maker);
    EXPECT_EQ(kept.exif.Reader()->GetText(*maker), "Maker");
}
