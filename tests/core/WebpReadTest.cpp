#include "core/WebpRead.h"
#include "support/ModernFixture.h"
#include "support/TempDir.h"

namespace {

class WebpRead : public ::testing::Test {
protected:
    void SetUp() override { Headless().ClearMessages(); }
    void TearDown() override { Headless().ClearMessages(); }
    std::optional<DecodedPicture> Read(const std::string& name) {
        return ReadWebpFile(ModernDataPath(name), CompareOptions());
    }
};

// Pixels equal dwebp's (lossy decoding is libwebp's own arithmetic, so exact as well); the
// description names compression, alpha and frames; the EXIF chunk reaches the Exif reader with
// the values exiftool shows (Make "Tolmena", Model "Test Phone").
TEST_F(WebpRead, PixelsDescriptionAndExifAsTheReferenceTools) {
    std::optional<DecodedPicture> lossy = Read("lossy.webp");
    ASSERT_TRUE(lossy);
    EXPECT_EQ(lossy->facts.description, "64x48 WebP(lossy)");
    EXPECT_EQ(DifferenceFromReference(*lossy, "lossy.webp.png"), 0);
    EXPECT_EQ(CameraOf(*lossy), "Tolmena Test Phone");
    EXPECT_EQ(lossy->facts.fileSize, 460u);

    std::optional<DecodedPicture> alpha = Read("lossless-alpha.webp");
    ASSERT_TRUE(alpha);
    EXPECT_EQ(alpha->facts.description, "64x48 WebP(lossless+alpha)");
    EXPECT_EQ(DifferenceFromReference(*alpha, "lossless-alpha.webp.png"), 0);
    EXPECT_FALSE(alpha->facts.exif.Present());
}

// An animation shows its first frame and says how many there are.
TEST_F(WebpRead, AnimationShowsItsFirstFrame) {
    std::optional<DecodedPicture> animation = Read("anim.webp");
    ASSERT_TRUE(animation);
    EXPECT_EQ(animation->facts.description, "64x48 WebP(lossless, 3 frames)");
    EXPECT_EQ(DifferenceFromReference(*animation, "src-rgb.png"), 0);
}

// Cut files and sizes beyond the limit fail with the reader's message, nothing decoded.
TEST_F(WebpRead, HostileFilesFailWithAMessage) {
    const std::string bytes = TempDir::Read(ModernDataPath("lossy.webp"));
    for (size_t length : {size_t{0}, size_t{12}, size_t{40}, bytes.size() - 100}) {
        std::span<const uint8_t> cut(reinterpret_cast<const uint8_t*>(bytes.data()), length);
        Headless().ClearMessages();
        EXPECT_FALSE(DecodeWebp(cut, "cut.webp", size_t{1} << 20, ImageReadOptions{}));
        EXPECT_EQ(LastMessage(), "LoadWebpFile:WebP ファイルとして読み込めません\ncut.webp")
            << length;
    }
    std::span<const uint8_t> whole(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    EXPECT_FALSE(DecodeWebp(whole, "big.webp", 64 * 47, ImageReadOptions{}));
    EXPECT_EQ(LastMessage(), "LoadWebpFile:メモリが確保できません\nbig.webp");
}

} // namespace
