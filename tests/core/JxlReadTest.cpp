#include "core/JxlRead.h"
#include "support/ModernFixture.h"
#include "support/TempDir.h"

namespace {

class JxlRead : public ::testing::Test {
protected:
    void SetUp() override { Headless().ClearMessages(); }
    void TearDown() override { Headless().ClearMessages(); }
    std::optional<DecodedPicture> Read(const std::string& name) {
        return ReadJxlFile(ModernDataPath(name), CompareOptions());
    }
};

// Pixels equal djxl's (the same library); a recompressed JPEG is shown turned by its
// orientation as djxl shows it, and its Brotli-compressed Exif box reaches the Exif reader.
TEST_F(JxlRead, PixelsDescriptionAndExifAsDjxl) {
    std::optional<DecodedPicture> lossless = Read("lossless-alpha.jxl");
    ASSERT_TRUE(lossless);
    EXPECT_EQ(lossless->facts.description, "64x48 JXL(lossless+alpha)");
    EXPECT_EQ(DifferenceFromReference(*lossless, "lossless-alpha.jxl.png"), 0);

    std::optional<DecodedPicture> lossy = Read("lossy.jxl");
    ASSERT_TRUE(lossy);
    EXPECT_EQ(lossy->facts.description, "64x48 JXL(lossy)");
    EXPECT_EQ(DifferenceFromReference(*lossy, "lossy.jxl.png"), 0);

    std::optional<DecodedPicture> photo = Read("photo.jxl");
    ASSERT_TRUE(photo);
    EXPECT_EQ(photo->facts.description, "48x64 JXL(JPEG recompressed)");
    EXPECT_EQ(DifferenceFromReference(*photo, "photo.jxl.png"), 0);
    EXPECT_EQ(CameraOf(*photo), "Tolmena Test Phone");
}

TEST_F(JxlRead, HostileFilesFailWithAMessage) {
    const std::string bytes = TempDir::Read(ModernDataPath("photo.jxl"));
    for (size_t length : {size_t{0}, size_t{12}, size_t{100}, bytes.size() - 100}) {
        std::span<const uint8_t> cut(reinterpret_cast<const uint8_t*>(bytes.data()), length);
        Headless().ClearMessages();
        EXPECT_FALSE(DecodeJxl(cut, "cut.jxl", size_t{1} << 20, ImageReadOptions{}));
        EXPECT_EQ(LastMessage(), "LoadJxlFile:JPEG XL ファイルとして読み込めません\ncut.jxl")
            << length;
    }
    std::span<const uint8_t> whole(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    EXPECT_FALSE(DecodeJxl(whole, "big.jxl", 48 * 63, ImageReadOptions{}));
    EXPECT_EQ(LastMessage(), "LoadJxlFile:メモリが確保できません\nbig.jxl");
}

} // namespace
