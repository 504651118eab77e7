// The image document: dispatch, comments, marks and titles, sync ids, the template's list,
// saving converted documents, closing.
#include "DocFixture.h"
#include "base/FileExtension.h"
#include "core/DocTemplate.h"
#include "core/RgbFile.h"
#include "jpegtools/Charset.h"

#include <cstdlib>
#include <filesystem>

namespace {

using ImageDoc = DocTest;

// Writes a raw RGB picture (header and data) with the given pixels.
void WriteRgb(const TempDir& dir, const std::string& name, int width, int height,
              const std::vector<uint32_t>& rgb) {
    std::string data;
    for (uint32_t color : rgb)
        data += {static_cast<char>(color >> 16), static_cast<char>(color >> 8),
                 static_cast<char>(color)};
    dir.Write(name + ".fal", "F_ALL(V1.00)\r\n" + std::to_string(width) + " " +
                                 std::to_string(height) + " 0 0\r\n");
    dir.Write(name + ".rgb", data);
}

struct CountingView : IDocumentView {
    void OnUpdate(CDocument&, int hint) override { hints.push_back(hint); }
    void OnDocumentClosing(CDocument&) override { ++closings; }
    std::vector<int> hints;
    int closings = 0;
};

} // namespace

TEST_F(ImageDoc, ConstructionTakesTablesFromSettings) {
    // A new document starts with the tables of the control bar's quality, committed first.
    HostedDocuments documents{host};
    AppSettings().useCustomDQT = 0;
    host.committedQuality = 50;
    const CImageDoc& fromQuality = documents.CreateNewDocument();
    EXPECT_EQ(host.commits, 1);
    EXPECT_FALSE(fromQuality.UsesCustomDqt());
    EXPECT_EQ(fromQuality.QuantTables(), MakeQualityTablePair(50));
    EXPECT_EQ(documents.MakeDocument()->QuantTables(), MakeQualityTablePair(50));
    EXPECT_EQ(host.commits, 2);

    // The document's own settings decide, not the process's.
    AppSettings().useCustomDQT = 1;
    AppSettings().customTables.fill(7);
    const CImageDoc& custom = documents.CreateNewDocument();
    EXPECT_EQ(host.commits, 2);
    EXPECT_TRUE(custom.UsesCustomDqt());
    EXPECT_EQ(custom.QuantTables(), AppSettings().customTables);
}

TEST_F(ImageDoc, DocumentsTakeTheSettingsOfTheirTemplate) {
    SettingsStore own;
    own.useCustomDQT = 1;
    own.customTables.fill(3);
    own.pngSaveMode = kPngSaveGray8;
    own.defaultCommentText = "own";
    AppSettings().useCustomDQT = 0;
    AppSettings().defaultCommentText = "process";
    CDocTemplate documents(own);
    CImageDoc* blank = documents.OpenDocumentFile("");
    ASSERT_TRUE(blank);
    EXPECT_EQ(blank->QuantTables(), own.customTables);
    EXPECT_EQ(blank->PngSaveMode(), kPngSaveGray8);
    ASSERT_TRUE(blank->CurrentComment());
    EXPECT_EQ(blank->CurrentComment()->text, "own");
}

TEST_F(ImageDoc, LoadDispatchByExtension) {
    CImageDoc document{context};
    // A file that cannot be opened and whose name says no type is reported all the same.
    for (const char* name : {"a.gif", "noextension"}) {
        EXPECT_FALSE(document.LoadFile(dir.File(name)));
        ASSERT_FALSE(Messages().empty());
        EXPECT_EQ(Messages().back(), "LoadFile:ファイルが開けません\n" + dir.File(name));
    }
    Headless().ClearMessages();
    document.LoadFile(dir.File("a.JPG"));
    EXPECT_EQ(document.DocType(), kTypeJpeg);
    document.LoadFile(dir.File("a.tiff"));
    EXPECT_EQ(document.DocType(), kTypeTiff);

    WriteRgb(dir, "pic", 2, 1, {0xFF0000, 0x00FF00});
    ASSERT_TRUE(document.LoadFile(dir.File("pic.FAL")));
    EXPECT_EQ(document.DocType(), kTypeRgb);
    EXPECT_EQ(document.InfoText(), "2x1  RGB/Q0+FAL");
    EXPECT_EQ(PixelsOf(document.Image()), (std::vector<uint32_t>{0xFF0000, 0x00FF00}));

    EXPECT_FALSE(document.LoadFile(dir.File("missing.rgb")));
    EXPECT_TRUE(document.Image().IsEmpty()); // a failed read leaves no picture
}

TEST_F(ImageDoc, DefaultCommentOnlyWhenTheFileHasNone) {
    AppSettings().defaultComment = 1;
    AppSettings().defaultCommentText = "by default\r\n";
    AppSettings().defaultCommentCharset = kCharsetAscii;
    WriteRgb(dir, "pic", 1, 1, {0});
    CImageDoc document{context};
    ASSERT_TRUE(document.LoadFile(dir.File("pic.rgb")));
    ASSERT_EQ(document.Comments().size(), 1u);
    EXPECT_EQ(document.CurrentComment(), document.Comments()[0].get());
    EXPECT_EQ(document.CurrentComment()->key, "Comment");
    EXPECT_EQ(document.CurrentComment()->text, "by default\r\n");
    EXPECT_TRUE(document.IncludesComment());

    AppSettings().defaultComment = 0;
    ASSERT_TRUE(document.LoadFile(dir.File("pic.rgb")));
    EXPECT_EQ(document.Comments().size(), 1u);
    EXPECT_FALSE(document.IncludesComment());

    // A MAG file brings its own author and comment.
    ASSERT_TRUE(document.LoadFile(std::string(TEST_DATA_DIR) + "/mag/testorig-16.mag"));
    ASSERT_EQ(document.Comments().size(), 2u);
    EXPECT_EQ(document.Comments()[0]->key, "Author");
    EXPECT_EQ(document.CurrentComment()->text, "test image 16 colours");
    EXPECT_EQ(document.CurrentComment()->charset, kCharsetShiftJis);
    EXPECT_TRUE(document.IncludesComment());
}

TEST_F(ImageDoc, CommentsDecodeAndEncodeByTheSettings) {
    const std::string sjis = "\x93\xfa\x96\x7b"; // 日本
    const std::string euc = "\xc6\xfc\xcb\xdc", utf8 = "\xe6\x97\xa5\xe6\x9c\xac";
    AppSettings().autoReadCharset = 0;
    AppSettings().readCharset = kCharsetUtf8;
    CommentItem item = MakeCommentItem(utf8.c_str(), -1, -1);
    EXPECT_EQ(item.charset, kCharsetUtf8);
    EXPECT_EQ(item.text, sjis);
    EXPECT_EQ(item.key, "Comment");
    EXPECT_EQ(MakeCommentItem(euc.c_str(), kCharsetEucJp, 2, "Author").text, "\x93\xfa");
    EXPECT_EQ(MakeCommentItem("ab\0cd", kCharsetShiftJis, 5).text, "ab");

    AppSettings().autoWriteCharset = 1;
    EXPECT_EQ(CommentTextForWriting({kCharsetEucJp, "Comment", sjis}, -1), euc);
    AppSettings().autoWriteCharset = 0;
    AppSettings().writeCharset = kCharsetUtf8;
    EXPECT_EQ(CommentTextForWriting({kCharsetEucJp, "Comment", sjis}, -1), utf8);
    EXPECT_EQ(CommentTextForWriting({kCharsetUtf8, "Comment", sjis}, kCharsetShiftJis), sjis);
}

TEST_F(ImageDoc, EditedCommentsKeepTheCurrentKey) {
    CImageDoc document{context};
    document.AddComment({3, "Author", "a"}, false);
    document.AddComment({3, "Comment", "c"}, true);
    document.ReplaceComments({{3, "Title", "t"}, {3, "COMMENT", "new"}, {3, "comment", "2nd"}});
    ASSERT_NE(document.CurrentComment(), nullptr);
    EXPECT_EQ(document.CurrentComment()->text, "new");
    document.ReplaceComments({{3, "Title", "t"}});
    EXPECT_EQ(document.CurrentComment(), nullptr);
}

TEST_F(ImageDoc, ModifiedMarkAndNewImageNumbers) {
    CImageDoc first{context}, second(context);
    first.SetTitle("クリップボード");
    second.SetTitle("クリップボード");
    first.SetNewImage(true);
    second.SetNewImage(true);
    first.SetModifiedMark(true);
    EXPECT_EQ(first.Title(), "クリップボード(1) *");
    EXPECT_TRUE(first.IsModified());
    EXPECT_FALSE(first.IsNewImage());
    first.SetModifiedMark(true);
    EXPECT_EQ(first.Title(), "クリップボード(1) *");
    second.SetModifiedMark(true);
    EXPECT_EQ(second.Title(), "クリップボード(2) *");
    first.SetModifiedMark(false);
    EXPECT_EQ(first.Title(), "クリップボード(1)");
    EXPECT_FALSE(first.IsModified());
    first.SetModifiedMark(true);
    EXPECT_EQ(first.Title(), "クリップボード(1) *"); // numbered once only
}

TEST_F(ImageDoc, NewDocumentIsWhite640x480) {
    AppSettings().defaultComment = 1;
    HostedDocuments documents{host};
    CImageDoc* document = documents.OpenDocumentFile("");
    ASSERT_TRUE(document);
    EXPECT_EQ(document->ImageWidth(), 640);
    EXPECT_EQ(document->ImageHeight(), 480);
    EXPECT_EQ(document->Image().ColorType(), 16);
    EXPECT_EQ(document->Image().PixelColor(639, 479), 0xFFFFFFu);
    EXPECT_EQ(document->InfoText(), "New Image");
    EXPECT_EQ(document->DocType(), kTypeBmp);
    EXPECT_EQ(document->Title(), "Image1");
    EXPECT_TRUE(document->IncludesComment());
    EXPECT_EQ(documents.OpenDocumentFile("")->Title(), "Image2");
}

TEST_F(ImageDoc, SyncIdsDifferFromOtherOpenDocuments) {
    HostedDocuments documents{host};
    CImageDoc& first = documents.CreateNewDocument();
    CImageDoc& second = documents.CreateNewDocument();
    std::srand(7);
    const int drawn = std::rand();
    first.SetSyncId(drawn);
    std::srand(7);
    second.NewSyncId();
    EXPECT_NE(second.SyncId(), drawn);
    std::srand(7);
    first.NewSyncId(); // its own id is no obstacle
    EXPECT_EQ(first.SyncId(), drawn);
}

TEST_F(ImageDoc, OpeningAnOpenFileReReadsItInItsWindow) {
    WriteRgb(dir, "pic", 2, 1, {0x111111, 0x222222});
    HostedDocuments documents{host};
    CImageDoc* shown = documents.OpenDocumentFile(dir.File("pic.rgb"));
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->Title(), "pic.rgb");
    EXPECT_EQ(host.recent, std::vector<std::string>{dir.File("pic.rgb")});
    CountingView view;
    shown->AddView(&view);
    shown->SetModifiedMark(true);

    WriteRgb(dir, "pic", 2, 1, {0x333333, 0x444444});
    std::filesystem::create_directory(dir.File("sub"));
    EXPECT_EQ(documents.OpenDocumentFile(dir.File("sub/../pic.rgb")), nullptr);
    ASSERT_EQ(documents.Documents().size(), 1u);
    EXPECT_EQ(host.activated, std::vector<CDocument*>{shown});
    EXPECT_EQ(PixelsOf(shown->Image()), (std::vector<uint32_t>{0x333333, 0x444444}));
    EXPECT_FALSE(shown->IsModified());
    EXPECT_EQ(shown->Title(), "pic.rgb");
    EXPECT_FALSE(view.hints.empty());

    // Another name is another file, whatever its case.
    WriteRgb(dir, "PIC", 1, 1, {0});
    EXPECT_NE(documents.OpenDocumentFile(dir.File("PIC.rgb")), nullptr);
    EXPECT_EQ(documents.Documents().size(), 2u);

    EXPECT_EQ(documents.OpenDocumentFile(dir.File("missing.rgb")), nullptr);
    EXPECT_EQ(documents.Documents().size(), 2u);
    documents.CloseAllDocuments();
    EXPECT_EQ(view.closings, 1);
    EXPECT_EQ(host.lastClosed, 1);
}

TEST_F(ImageDoc, SavingAConvertedDocument) {
    HostedDocuments documents{host};
    CImageDoc& document = documents.CreateNewDocument();
    document.ReplaceImage(MakeImage(2, 2, Gradient(2, 2)));
    const std::string temporary = dir.Write("tlmn0421.jpg", "JPEG bytes as encoded");
    document.SetDocType(kTypeJpeg);
    document.SetNewImage(true);
    document.SetConversionFile(temporary);
    SetFacts(document,
             [](ImageFacts& facts) { facts.description = "2x2 JFIF1.1(YCbCr) DS=4:1 Qf=86.1"; });

    ASSERT_TRUE(document.OnSaveDocument(dir.File("copy.jpg")));
    EXPECT_EQ(TempDir::Read(dir.File("copy.jpg")), "JPEG bytes as encoded");
    EXPECT_FALSE(std::filesystem::exists(temporary));
    EXPECT_FALSE(document.IsConverted());
    EXPECT_FALSE(document.IsNewImage());
    EXPECT_EQ(document.Facts().fileSize, 21u);
    EXPECT_EQ(document.PathName(), dir.File("copy.jpg"));
    EXPECT_EQ(document.Title(), "copy.jpg");
    EXPECT_EQ(document.InfoText(), document.Facts().description);

    const std::string second = dir.Write("tlmn0422.jpg", "other");
    document.SetConversionFile(second);
    ASSERT_TRUE(document.OnSaveDocument(dir.File("encoded.rgb"))); // another type: encoded
    EXPECT_EQ(TempDir::Read(dir.File("encoded.rgb")).size(), 12u);
    EXPECT_FALSE(std::filesystem::exists(second));
    EXPECT_EQ(document.DocType(), kTypeRgb);
}

TEST_F(ImageDoc, AnEditedConvertedDocumentIsNotSavedAsItsOldConversion) {
    HostedDocuments documents{host};
    CImageDoc& document = documents.CreateNewDocument();
    document.ReplaceImage(MakeImage(2, 2, Gradient(2, 2)));
    document.SetDocType(kTypeJpeg);
    document.SetConversionFile(dir.Write("tlmn0423.jpg", "JPEG bytes before the edit"));
    document.SetModifiedMark(true);
    document.OnSaveDocument(dir.File("edited.jpg"));
    EXPECT_NE(TempDir::Read(dir.File("edited.jpg")), "JPEG bytes before the edit");
}

TEST_F(ImageDoc, PngSaveAsksForOptionsFirst) {
    CImageDoc document{context};
    document.ReplaceImage(MakeImage(1, 1, {0}));
    host.confirmPng = false;
    EXPECT_FALSE(document.OnSaveDocument(dir.File("out.png")));
    EXPECT_EQ(host.pngQuestions, 1);
    EXPECT_TRUE(Messages().empty());
    EXPECT_FALSE(std::filesystem::exists(dir.File("out.png")));
}

TEST_F(ImageDoc, ClosingDeletesTemporaryFiles) {
    HostedDocuments documents{host};
    CImageDoc& first = documents.CreateNewDocument();
    documents.CreateNewDocument();
    const std::string temporary = dir.Write("tlmn0001.jpg", "x");
    first.SetConversionFile(temporary);
    documents.CloseDocument(first);
    EXPECT_FALSE(std::filesystem::exists(temporary));
    EXPECT_EQ(host.lastClosed, 0);
    documents.CloseAllDocuments();
    EXPECT_EQ(host.lastClosed, 1);
}

TEST_F(ImageDoc, RawRgbAndBmpRoundTripPixelExact) {
    const int width = 37, height = 23; // odd widths pad BMP rows, raw rows are not padded
    CImageDoc document{context};
    document.ReplaceImage(MakeImage(width, height, Gradient(width, height)));
    ASSERT_TRUE(document.SaveFile(dir.File("a.rgb")));
    ASSERT_TRUE(document.LoadFile(dir.File("a.rgb")));
    ASSERT_TRUE(document.SaveFile(dir.File("b.bmp")));
    EXPECT_EQ(document.Facts().description, "37x23 Windows BMP(24bit)");
    ASSERT_TRUE(document.LoadFile(dir.File("b.bmp")));
    EXPECT_EQ(document.DocType(), kTypeBmp);
    EXPECT_EQ(PixelsOf(document.Image()), Gradient(width, height));
    ASSERT_TRUE(document.SaveFile(dir.File("c.q0")));
    EXPECT_EQ(TempDir::Read(dir.File("c.q0")), TempDir::Read(dir.File("a.rgb")));

    // A palette BMP keeps its colours through raw RGB.
    ASSERT_TRUE(document.LoadFile(std::string(TEST_DATA_DIR) + "/bmp/g/pal8.bmp"));
    const std::vector<uint32_t> colours = PixelsOf(document.Image());
    ASSERT_TRUE(document.SaveFile(dir.File("pal8.rgb")));
    ASSERT_TRUE(document.LoadFile(dir.File("pal8.rgb")));
    EXPECT_EQ(PixelsOf(document.Image()), colours);
}
