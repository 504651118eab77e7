// The clipboard document: which document a paste fills, what it shows, and freezing it.
#include "core/ClipboardDocument.h"
#include "core/DocFixture.h"

namespace {

using ClipboardDocument = DocTest;

std::unique_ptr<CDibImage> PaletteImage(int colorType) {
    auto image = std::make_unique<CDibImage>();
    image->CreateBlank(3, 2, colorType);
    return image;
}

} // namespace

TEST_F(ClipboardDocument, PastesReplaceThePictureOfOneDocument) {
    HostedDocuments documents{host};
    EXPECT_EQ(PasteIntoClipboardDocument(documents, std::make_unique<CDibImage>()), nullptr);
    CImageDoc* first = PasteIntoClipboardDocument(documents, MakeImage(2, 1, {1, 2}));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(host.created, std::vector<CImageDoc*>{first});
    EXPECT_EQ(first->Title(), "クリップボード");
    EXPECT_EQ(first->DocType(), 132);
    EXPECT_TRUE(first->IsNewImage());
    EXPECT_EQ(first->InfoText(), "2x1 Clipboard Image");
    const int firstSync = first->SyncId();

    EXPECT_EQ(PasteIntoClipboardDocument(documents, MakeImage(1, 3, {5, 6, 7})), first);
    EXPECT_EQ(documents.Documents().size(), 1u);
    EXPECT_EQ(PixelsOf(first->Image()), (std::vector<uint32_t>{5, 6, 7}));
    EXPECT_EQ(first->InfoText(), "1x3 Clipboard Image");
    EXPECT_NE(first->SyncId(), firstSync);
    EXPECT_TRUE(first->Facts().palette.empty());
}

TEST_F(ClipboardDocument, PaletteImagesKeepTheirColours) {
    HostedDocuments documents{host};
    const std::pair<int, int> depths[] = {{2, 1}, {16, 4}, {256, 8}};
    for (auto [colors, bits] : depths) {
        CImageDoc* document = PasteIntoClipboardDocument(documents, PaletteImage(colors));
        ASSERT_NE(document, nullptr);
        EXPECT_EQ(document->Facts().palette.size(), static_cast<size_t>(colors));
        EXPECT_EQ(document->Facts().bitsPerSample, bits);
        EXPECT_EQ(document->InfoText(),
                  "3x2 Clipboard Image(" + std::to_string(colors) + " colors)");
    }
    EXPECT_EQ(documents.Documents().size(), 1u);
}

TEST_F(ClipboardDocument, FreezingKeepsTheDocumentAsAnOrdinaryPicture) {
    HostedDocuments documents{host};
    int counter = 0;
    EXPECT_FALSE(FreezeClipboardDocument(documents, counter));
    EXPECT_EQ(counter, 0);
    CImageDoc* first = PasteIntoClipboardDocument(documents, MakeImage(1, 1, {1}));
    ASSERT_TRUE(FreezeClipboardDocument(documents, counter));
    EXPECT_EQ(first->Title(), "クリップボード(1)");
    EXPECT_FALSE(first->IsNewImage());
    EXPECT_EQ(FindClipboardDocument(documents), nullptr);

    CImageDoc* second = PasteIntoClipboardDocument(documents, MakeImage(1, 1, {2}));
    EXPECT_NE(second, first);
    EXPECT_EQ(FindClipboardDocument(documents), second);
    ASSERT_TRUE(FreezeClipboardDocument(documents, counter));
    EXPECT_EQ(second->Title(), "クリップボード(2)");
}
