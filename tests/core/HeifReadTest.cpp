#include "core/HeifRead.h"
#include "support/ModernFixture.h"
#include "support/TempDir.h"

namespace {

class HeifRead : public ::testing::Test {
protected:
    void SetUp() override { Headless().ClearMessages(); }
    void TearDown() override { Headless().ClearMessages(); }
    std::optional<DecodedPicture> Read(const std::string& name) {
        return ReadHeifFile(ModernDataPath(name), CompareOptions());
    }
};

// HEVC: the pixels equal heif-convert's (the same decoder), the Exif item reaches the Exif
// reader with exiftool's values, and a collection shows its primary picture with the count.
TEST_F(HeifRead, HevcPicturesAsHeifConvertShowsThem) {
    std::optional<DecodedPicture> photo = Read("hevc.heic");
    ASSERT_TRUE(photo);
    EXPECT_EQ(photo->facts.description, "64x48 HEIF(HEVC 4:2:0 8bit)");
    EXPECT_EQ(DifferenceFromReference(*photo, "hevc.heic.png"), 0);
    EXPECT_EQ(CameraOf(*photo), "Tolmena Test Phone");

    std::optional<DecodedPicture> collection = Read("collection.heic");
    ASSERT_TRUE(collection);
    EXPECT_EQ(collection->facts.description, "64x48 HEIF(HEVC 4:2:0 8bit, 2 images)");
    EXPECT_EQ(DifferenceFromReference(*collection, "collection.heic-1.png"), 0);
}

// AV1: lossless 4:4:4 with alpha equals avifdec's output exactly; 10 bits are reduced to 8
// within one step of avifdec's 16-bit output cut to 8 bits.
TEST_F(HeifRead, AvifLosslessAlphaAndTenBits) {
    std::optional<DecodedPicture> alpha = Read("lossless-alpha.avif");
    ASSERT_TRUE(alpha);
    EXPECT_EQ(alpha->facts.description, "64x48 AVIF(AV1 4:4:4 8bit+alpha)");
    EXPECT_EQ(DifferenceFromReference(*alpha, "lossless-alpha.avif.png"), 0);

    std::optional<DecodedPicture> deep = Read("ten-bit.avif");
    ASSERT_TRUE(deep);
    EXPECT_EQ(deep->facts.description, "48x64 AVIF(AV1 4:4:4 10bit→8bit)");
    EXPECT_LE(DifferenceFromReference(*deep, "ten-bit.avif.png"), 1);
    EXPECT_EQ(deep->facts.bitsPerSample, 10);
    EXPECT_EQ(CameraOf(*deep), "Tolmena Test Phone");
}

TEST_F(HeifRead, HostileFilesFailWithAMessage) {
    const std::string bytes = TempDir::Read(ModernDataPath("hevc.heic"));
    for (size_t length : {size_t{0}, size_t{16}, size_t{300}, bytes.size() - 200}) {
        std::span<const uint8_t> cut(reinterpret_cast<const uint8_t*>(bytes.data()), length);
        Headless().ClearMessages();
        EXPECT_FALSE(DecodeHeif(cut, "cut.heic", size_t{1} << 20, ImageReadOptions{}));
        EXPECT_EQ(LastMessage().rfind("LoadHeifFile:HEIF ファイルとして読み込めません (", 0), 0u)
            << length << " " << LastMessage();
    }
    std::span<const uint8_t> whole(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    EXPECT_FALSE(DecodeHeif(whole, "big.heic", 64 * 47, ImageReadOptions{}));
    EXPECT_EQ(LastMessage(), "LoadHeifFile:メモリが確保できません\nbig.heic");
}

} // namespace
