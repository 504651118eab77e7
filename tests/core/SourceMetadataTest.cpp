#include "core/SourceMetadata.h"
#include "jpegtools/JpegMetadataCopy.h"
#include "support/ModernFixture.h"
#include "support/TempDir.h"

namespace {

std::string Payload(const std::string& segment) {
    return segment.substr(4);
}

// The Exif data each container holds is the TIFF structure exiftool extracts from the JPEG it
// was made of (exif.bin), carried into an APP1 segment; an ICC profile into an APP2 chunk.
TEST(SourceMetadata, ContainersGiveTheirExifAndIccAsJpegSegments) {
    const std::string exif =
        "Exif" + std::string(2, '\0') + TempDir::Read(ModernDataPath("exif.bin"));
    for (const char* name : {"hevc.heic", "lossy.webp", "photo.jxl"}) {
        std::vector<std::string> segments = ReadSourceMetadata(ModernDataPath(name));
        ASSERT_EQ(segments.size(), 1u) << name;
        EXPECT_EQ(segments[0].substr(0, 2), "\xFF\xE1");
        EXPECT_EQ(Payload(segments[0]), exif) << name;
    }
    std::vector<std::string> withIcc = ReadSourceMetadata(ModernDataPath("icc.webp"));
    ASSERT_EQ(withIcc.size(), 2u);
    EXPECT_EQ(withIcc[1], std::string("\xFF\xE2\x00\x94ICC_PROFILE\0\x01\x01", 18) +
                              TempDir::Read(ModernDataPath("test.icc")));
    EXPECT_TRUE(ReadSourceMetadata(ModernDataPath("lossless-alpha.webp")).empty());
    EXPECT_TRUE(ReadSourceMetadata(ModernDataPath("src-rgb.png")).empty());
    EXPECT_TRUE(ReadSourceMetadata(ModernDataPath("absent.heic")).empty());
}

// Profiles beyond one segment are split into numbered chunks; Exif data too large for one APP1
// segment is left out rather than cut.
TEST(SourceMetadata, LargeProfilesAreChunkedAndOversizedExifLeftOut) {
    const std::vector<uint8_t> profile(100000, 7), tiff(65528, 1);
    std::vector<std::string> segments = MetadataSegments(tiff, profile);
    ASSERT_EQ(segments.size(), 2u);
    EXPECT_EQ(Payload(segments[0]).substr(0, 14), std::string("ICC_PROFILE\0\x01\x02", 14));
    EXPECT_EQ(segments[0].size(), 65535u + 2);
    EXPECT_EQ(Payload(segments[1]).substr(0, 14), std::string("ICC_PROFILE\0\x02\x02", 14));
    EXPECT_EQ(segments[1].size(), 4 + 14 + 100000 - (65533 - 14));
    EXPECT_EQ(MetadataSegments(std::vector<uint8_t>(65527, 1), {}).size(), 1u);
}

} // namespace
