// Resize, gamma and YCbCr separation on documents: the pictures they install, the document
// changes, and the failures that must leave a document as it was.
#include "base/FileExtension.h"
#include "base/GammaTable.h"
#include "core/DocFixture.h"
#include "core/DocTemplate.h"
#include "imageops/GammaDocument.h"
#include "imageops/LevelTable.h"
#include "imageops/ResizeDocument.h"
#include "imageops/YCbCrSeparation.h"

namespace {

using ImageOps = DocTest;

// Channels of 0xRRGGBB.
int Red(uint32_t rgb) {
    return rgb >> 16 & 0xFF;
}
int Green(uint32_t rgb) {
    return rgb >> 8 & 0xFF;
}
int Blue(uint32_t rgb) {
    return rgb & 0xFF;
}

void ExpectUnchanged(CImageDoc& document, const CDibImage* image, const std::string& info) {
    EXPECT_EQ(&document.Image(), image);
    EXPECT_EQ(document.InfoText(), info);
    EXPECT_FALSE(document.IsModified());
}

} // namespace

TEST_F(ImageOps, ResizeInstallsATrueColourPicture) {
    CImageDoc document{context};
    // Top row 10, 30, 50, 70 in every channel; bottom row 110, 130, 150, 170.
    document.ReplaceImage(MakeImage(
        4, 2, {0x0A0A0A, 0x1E1E1E, 0x323232, 0x464646, 0x6E6E6E, 0x828282, 0x969696, 0xAAAAAA}));
    SetFacts(document, [](ImageFacts& facts) {
        facts.palette.assign(16, RgbQuad{});
        facts.fileSize = 1234;
    });
    ASSERT_TRUE(Resize(document, 2, 1));
    EXPECT_EQ(document.ImageWidth(), 2);
    EXPECT_EQ(document.ImageHeight(), 1);
    EXPECT_EQ(document.Image().ColorType(), 0);
    // Columns first: 60, 80, 100, 120; then pairs along the row: 70, 110.
    EXPECT_EQ(PixelsOf(document.Image()), (std::vector<uint32_t>{0x464646, 0x6E6E6E}));
    EXPECT_TRUE(document.Facts().palette.empty());
    EXPECT_EQ(document.Facts().fileSize, 0u);
    EXPECT_EQ(document.InfoText(), "2x1 Modified Image");
    EXPECT_FALSE(document.IsModified()); // the command marks it, not Resize
    EXPECT_TRUE(Messages().empty());
}

TEST_F(ImageOps, ResizeFailuresLeaveTheDocument) {
    CImageDoc document{context};
    document.ReplaceImage(MakeImage(3, 3, Gradient(3, 3)));
    document.SetInfoText("3x3 Windows BMP(24bit)", false);
    const CDibImage* image = &document.Image();
    const std::vector<uint32_t> pixels = PixelsOf(*image);
    for (auto [width, height] : {std::pair<uint32_t, uint32_t>{0, 5}, {5, 0}, {20000000, 1}}) {
        EXPECT_FALSE(Resize(document, width, height));
        EXPECT_EQ(Messages(), std::vector<std::string>{"Resize:ビットマップを生成できません\n"});
        Headless().ClearMessages();
        ExpectUnchanged(document, image, "3x3 Windows BMP(24bit)");
        EXPECT_EQ(PixelsOf(document.Image()), pixels);
    }
    CImageDoc empty{context}; // no picture: no packed copy
    EXPECT_FALSE(Resize(empty, 4, 4));
    EXPECT_EQ(Messages(), std::vector<std::string>{"Resize:DIBを生成できません\n"});
}

TEST_F(ImageOps, ResizeCommandMarksAndRegroupsOnce) {
    HostedDocuments documents{host};
    CImageDoc& document = documents.CreateNewDocument();
    document.ReplaceImage(MakeImage(4, 4, Gradient(4, 4)));
    document.SetTitle("photo.jpg");
    document.SetSyncId(42);
    EXPECT_FALSE(ResizeCommand(document, 4, 4)); // same size: nothing happens
    EXPECT_EQ(document.InfoText(), "");
    ASSERT_TRUE(ResizeCommand(document, 8, 2));
    EXPECT_EQ(document.Title(), "photo.jpg *");
    EXPECT_NE(document.SyncId(), 42);
    const int regrouped = document.SyncId();
    ASSERT_TRUE(ResizeCommand(document, 2, 2));
    EXPECT_EQ(document.SyncId(), regrouped);
    EXPECT_EQ(document.Title(), "photo.jpg *");
    EXPECT_EQ(Headless().WaitDepth(), 0);

    CImageDoc& converted = documents.CreateNewDocument();
    converted.ReplaceImage(MakeImage(4, 4, Gradient(4, 4)));
    converted.SetConversionFile(dir.Write("tlmn0007.jpg", "x"));
    converted.SetSyncId(7);
    ASSERT_TRUE(ResizeCommand(converted, 2, 2));
    EXPECT_FALSE(converted.IsModified());
    EXPECT_EQ(converted.SyncId(), 7);
}

TEST_F(ImageOps, GammaTransfersEverySampleOfATrueColourCopy) {
    CImageDoc document{context};
    document.ReplaceImage(MakeImage(2, 1, {0x010203, 0x8040FF}));
    SetFacts(document, [](ImageFacts& facts) { facts.palette.assign(2, RgbQuad{}); });
    document.SetTitle("photo.bmp");
    int gamma[256], levels[256];
    BuildGammaTable(gamma, 2.0);
    BuildLevelTable(levels, 0, 0);
    ASSERT_TRUE(ApplyGamma(document, gamma, levels));
    const std::vector<uint32_t> pixels = PixelsOf(document.Image());
    EXPECT_EQ(Red(pixels[0]), 16);
    EXPECT_EQ(Green(pixels[0]), 23);
    EXPECT_EQ(Blue(pixels[0]), gamma[3]);
    EXPECT_EQ(Red(pixels[1]), gamma[0x80]);
    EXPECT_EQ(Blue(pixels[1]), 255);
    EXPECT_TRUE(document.Facts().palette.empty());
    EXPECT_EQ(document.InfoText(), "2x1 Modified Image");
    EXPECT_EQ(document.Title(), "photo.bmp *");
    EXPECT_EQ(Headless().WaitDepth(), 0);
}

TEST_F(ImageOps, IdentityGammaStillMakesAModifiedTrueColourImage) {
    HostedDocuments documents{host};
    CImageDoc* document = documents.OpenDocumentFile("");
    ASSERT_TRUE(document);
    int identity[256];
    BuildLevelTable(identity, 0, 0);
    ASSERT_TRUE(ApplyGamma(*document, identity, identity));
    EXPECT_EQ(document->Image().ColorType(), 0);
    EXPECT_EQ(document->Image().PixelColor(0, 0), 0xFFFFFFu);
    EXPECT_TRUE(document->IsModified());

    CImageDoc empty{context};
    const CDibImage* image = &empty.Image();
    EXPECT_FALSE(ApplyGamma(empty, identity, identity));
    EXPECT_EQ(Messages(), std::vector<std::string>{"Gamma:DIBを生成できません\n"});
    ExpectUnchanged(empty, image, "");
}

TEST_F(ImageOps, YCbCrOpensThreeGreyDocumentsInTheSourceGroup) {
    HostedDocuments documents{host};
    CImageDoc& source = documents.CreateNewDocument();
    // red, green, blue, white
    source.ReplaceImage(MakeImage(2, 2, {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF}));
    source.SetTitle("photo.jpg");
    source.SetSyncId(1234);
    source.SetInfoText("2x2 JFIF", false);
    const std::vector<CImageDoc*> planes = SeparateYCbCr(source, documents);
    ASSERT_EQ(planes.size(), 3u);
    EXPECT_EQ(documents.Documents().size(), 4u);
    const char* titles[] = {"photo.jpg[Y]", "photo.jpg[Cb]", "photo.jpg[Cr]"};
    const uint32_t expected[3][4] = {{76, 149, 28, 255}, {86, 44, 255, 128}, {255, 22, 108, 128}};
    for (int k = 0; k < 3; ++k) {
        const CImageDoc& plane = *planes[k];
        EXPECT_EQ(plane.Title(), titles[k]);
        EXPECT_EQ(plane.SyncId(), 1234);
        EXPECT_EQ(plane.Image().ColorType(), 256);
        EXPECT_EQ(plane.Image().Palette().size(), 256u);
        EXPECT_EQ(plane.DocType(), kTypeBmp);
        EXPECT_FALSE(plane.IsModified());
        const std::vector<uint32_t> pixels = PixelsOf(plane.Image());
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(pixels[i], expected[k][i] * 0x010101u) << titles[k];
    }
    EXPECT_EQ(source.InfoText(), "2x2 JFIF");
    EXPECT_EQ(source.Image().ColorType(), 0);
    EXPECT_EQ(Headless().WaitDepth(), 0);
}

TEST_F(ImageOps, YCbCrOfAPaletteImageHasFlatColourPlanes) {
    HostedDocuments documents{host};
    CImageDoc* source = documents.OpenDocumentFile("");
    ASSERT_TRUE(source);
    const std::vector<CImageDoc*> planes = SeparateYCbCr(*source, documents);
    ASSERT_EQ(planes.size(), 3u);
    EXPECT_EQ(planes[0]->Image().PixelColor(5, 5), 0xFFFFFFu);
    EXPECT_EQ(planes[1]->Image().PixelColor(639, 479), 0x808080u);
    EXPECT_EQ(planes[2]->Image().PixelColor(0, 0), 0x808080u);
}

TEST_F(ImageOps, YCbCrWithoutAPictureOpensNothing) {
    HostedDocuments documents{host};
    CImageDoc& source = documents.CreateNewDocument();
    EXPECT_TRUE(SeparateYCbCr(source, documents).empty());
    EXPECT_EQ(Messages(), std::vector<std::string>{"CvEmYcbcr:DIBを生成できません\n"});
    EXPECT_EQ(documents.Documents().size(), 1u);
}
