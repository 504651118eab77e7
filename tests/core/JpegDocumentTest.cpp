// The JPEG reader and writer as the document uses them, and the JPEG conversion.
#include "DocFixture.h"
#include "base/FileExtension.h"
#include "core/DocTemplate.h"
#include "core/JpegConvert.h"
#include "core/JpegRead.h"
#include "jpegtools/Charset.h"
#include "support/JpegFixture.h"
#include "support/TiffFixture.h"

#include <filesystem>

namespace {

std::string ExifBody(std::vector<TiffField> exif, std::vector<TiffField> interop = {}) {
    return std::string("Exif\0\0", 6) +
           MakeTiff({Ascii(271, "Maker")}, std::move(exif), std::move(interop));
}

class JpegDocument : public DocTest {
protected:
    std::string MakeJpeg(const std::string& name, const TestJpegOptions& options) {
        std::string path = dir.File(name);
        EXPECT_TRUE(WriteTestJpeg(path, options));
        return path;
    }
    HostedDocuments documents{host};
};

} // namespace

TEST_F(JpegDocument, ExifFileWithoutJfifIsDescribedByItsExifVersion) {
    TestJpegOptions options;
    options.jfif = false;
    options.hSampling = 2;
    options.vSampling = 1;
    options.markers = {
        {JPEG_APP0 + 1, ExifBody({Undefined(0x9000, "0220"),
                                  Undefined(0x9286, std::string("ASCII\0\0\0 Hello ", 15))})}};
    CImageDoc document{context};
    ASSERT_TRUE(document.LoadFile(MakeJpeg("exif.jpg", options)));
    EXPECT_EQ(document.Facts().description, "64x48 Exif2.2(YCbCr) DS=2:1 Qf=86.1");
    EXPECT_EQ(document.InfoText(), document.Facts().description);
    EXPECT_TRUE(document.Facts().exif.Present());
    ASSERT_TRUE(document.Facts().exif.Reader());
    EXPECT_TRUE(document.Facts().exif.Reader()->FindTag(271));
    ASSERT_GE(document.Facts().exif.Bytes().size(), 2u);
    EXPECT_EQ(document.Facts().exif.Bytes()[0], 'I');
    ASSERT_EQ(document.Comments().size(), 1u);
    EXPECT_EQ(document.CurrentComment()->text, "Hello");
    EXPECT_EQ(document.CurrentComment()->charset, kCharsetAscii);
    EXPECT_TRUE(document.IncludesComment());
    EXPECT_EQ(document.Facts().bitsPerSample, 8);
    EXPECT_EQ(document.ImageWidth(), 64);

    // A COM segment after the Exif segment wins; the Interoperability version stands in for
    // a missing ExifVersion.
    options.markers = {{JPEG_APP0 + 1, ExifBody({Undefined(0x9286, std::string("ASCII\0\0\0x", 9))},
                                                {Ascii(1, "R98"), Undefined(2, "0100")})},
                       {JPEG_COM, "later"}};
    ASSERT_TRUE(document.LoadFile(MakeJpeg("interop.jpg", options)));
    EXPECT_EQ(document.Facts().description, "64x48 Exif1.0/R98(YCbCr) DS=2:1 Qf=86.1");
    ASSERT_EQ(document.Comments().size(), 1u);
    EXPECT_EQ(document.CurrentComment()->text, "later");
}

TEST_F(JpegDocument, FileWithoutCommentGetsTheDefaultOne) {
    AppSettings().defaultComment = 0;
    AppSettings().defaultCommentText = "default";
    CImageDoc document{context};
    ASSERT_TRUE(document.LoadFile(MakeJpeg("plain.jpg", TestJpegOptions{})));
    ASSERT_EQ(document.Comments().size(), 1u);
    EXPECT_EQ(document.CurrentComment()->text, "default");
    EXPECT_FALSE(document.IncludesComment());
    EXPECT_FALSE(document.Facts().exif.Present());
}

TEST_F(JpegDocument, TablesOfTheFileReplaceOnlyTheSlotsItHas) {
    CImageDoc document{context};
    QuantTablePair sevens;
    sevens.fill(7);
    document.SetQuantTables(sevens);
    TestJpegOptions options;
    options.inSpace = JCS_GRAYSCALE;
    options.quality = 40;
    ASSERT_TRUE(document.LoadFile(MakeJpeg("gray.jpg", options)));
    QuantTable luminance = MakeQualityTable(0, 40);
    EXPECT_TRUE(std::equal(luminance.begin(), luminance.end(), document.QuantTables().begin()));
    EXPECT_TRUE(std::all_of(document.QuantTables().begin() + 64, document.QuantTables().end(),
                            [](uint16_t v) { return v == 7; }));
    EXPECT_TRUE(document.Facts().grayscale);
    ASSERT_FALSE(PixelsOf(document.Image()).empty());
    uint32_t pixel = PixelsOf(document.Image())[5];
    EXPECT_EQ(pixel, (pixel & 0xFF) * 0x010101u);
}

TEST_F(JpegDocument, SavingWritesTheControlBarValuesAndTheComment) {
    CImageDoc& document = *documents.OpenDocumentFile(MakeJpeg("in.jpg", TestJpegOptions{}));
    AppSettings().param2 = 3;
    AppSettings().param3 = 1;
    host.committedQuality = 75;
    document.ClearComments();
    document.AddComment({kCharsetShiftJis, "Comment", "\x82\xA0 text"}, true);
    document.SetIncludeComment(true);
    AppSettings().autoWriteCharset = 0;
    AppSettings().writeCharset = kCharsetUtf8;
    ASSERT_TRUE(document.OnSaveDocument(dir.File("out.jpg")));
    EXPECT_EQ(document.InfoText(), "64x48 JFIF1.1(YCbCr) DS=4:1 Prg. Qf=86.1");
    EXPECT_EQ(document.Facts().fileSize, std::filesystem::file_size(dir.File("out.jpg")));
    JpegReadBack back = ReadBackJpeg(dir.File("out.jpg"));
    EXPECT_TRUE(back.progressive);
    EXPECT_EQ(back.comments, std::vector<std::string>{"\xE3\x81\x82 text"});
    auto segments = JpegSegments(TempDir::Read(dir.File("out.jpg")));
    ASSERT_GE(segments.size(), 2u);
    EXPECT_EQ(segments[1].first, 0xFE);

    document.SetIncludeComment(false);
    ASSERT_TRUE(document.OnSaveDocument(dir.File("bare.jpg")));
    EXPECT_TRUE(ReadBackJpeg(dir.File("bare.jpg")).comments.empty());
}

TEST_F(JpegDocument, CustomTablesReproduceTheLoadedFile) {
    TestJpegOptions options;
    options.quality = 30;
    CImageDoc& document = *documents.OpenDocumentFile(MakeJpeg("q30.jpg", options));
    document.SetCustomDqt(true);
    host.committedQuality = 90;
    ASSERT_TRUE(document.OnSaveDocument(dir.File("again.jpg")));
    EXPECT_EQ(ReadBackJpeg(dir.File("again.jpg")).tables, ReadBackJpeg(dir.File("q30.jpg")).tables);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(JpegDocument, ConversionOpensTheTemporaryFileInANewDocument) {
    AppSettings().tempDir = dir.Path();
    AppSettings().param2 = 3;
    AppSettings().param3 = 1;
    CImageDoc& source = *documents.OpenDocumentFile(MakeJpeg("src.jpg", TestJpegOptions{}));
    std::string label;
    CImageDoc* converted = ConvertToJpeg(source, documents, label);
    ASSERT_TRUE(converted);
    EXPECT_EQ(label, "Q=75 DS=4:1 Prg.");
    std::string path = converted->ConversionPath();
    std::string name = std::filesystem::path(path).filename().string();
    ASSERT_EQ(name.size(), 12u);
    EXPECT_EQ(name.substr(0, 4), "tlmn");
    EXPECT_TRUE(std::all_of(name.begin() + 4, name.begin() + 8, ::isdigit));
    EXPECT_EQ(name.substr(8), ".jpg");
    EXPECT_EQ(std::filesystem::path(path).parent_path(), std::filesystem::path(dir.Path()));
    EXPECT_EQ(converted->Title(), name + "(Q=75 DS=4:1 Prg.)");
    EXPECT_EQ(converted->SyncId(), source.SyncId());
    EXPECT_TRUE(converted->IsConverted());
    EXPECT_EQ(converted->DocType(), kTypeJpeg);
    EXPECT_EQ(converted->PathName(), path);
    EXPECT_EQ(converted->InfoText(), "64x48 JFIF1.1(YCbCr) DS=4:1 Prg. Qf=86.1");
    EXPECT_TRUE(host.recent.size() == 1); // only the source went to the recent files
    documents.CloseDocument(*converted);
    EXPECT_FALSE(std::filesystem::exists(path));

    source.SetCustomDqt(true);
    AppSettings().param3 = 0;
    ASSERT_TRUE(ConvertToJpeg(source, documents, label));
    EXPECT_EQ(label, "CustomDQT DS=4:1");
}

TEST_F(JpegDocument, ConversionFailuresAreReported) {
    CImageDoc& source = *documents.OpenDocumentFile(MakeJpeg("src.jpg", TestJpegOptions{}));
    AppSettings().tempDir = dir.File("missing");
    std::string label;
    EXPECT_FALSE(ConvertToJpeg(source, documents, label));
    EXPECT_EQ(Messages().back(), "Convert:中間ファイルが生成できません\n" + dir.File("missing"));
    EXPECT_EQ(documents.Documents().size(), 1u);
}

TEST_F(JpegDocument, FewColourScreenGetsTheReducedPicture) {
    Headless().SetScreenDepth(8);
    CImageDoc document{context};
    bool loaded = document.LoadFile(MakeJpeg("few.jpg", TestJpegOptions{}));
    Headless().SetScreenDepth(32);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(document.Image().ColorType(), 256);
    EXPECT_EQ(document.ImageWidth(), 64);

    ASSERT_TRUE(document.LoadFile(dir.File("few.jpg")));
    EXPECT_EQ(document.Image().ColorType(), 0);
}

TEST_F(JpegDocument, ReaderTakesScreenAndCharsetsFromItsOptions) {
    TestJpegOptions jpeg;
    jpeg.markers = {{JPEG_COM, "\x1b$B$3$s\x1b(B"}}; // ISO-2022-JP
    ImageReadOptions options = TestReadOptions();
    options.screenDepth = 8;
    options.readCharsets = {0, kCharsetIso2022Jp};
    AppSettings().autoReadCharset = 0;
    AppSettings().readCharset = kCharsetAscii;
    std::optional<DecodedPicture> read = ReadJpegFile(MakeJpeg("few.jpg", jpeg), options);
    ASSERT_TRUE(read);
    const DecodedPicture& decoded = *read;
    EXPECT_EQ(decoded.image->ColorType(), 256);
    ASSERT_EQ(decoded.facts.comments.size(), 1u);
    EXPECT_EQ(decoded.facts.comments[0].charset, kCharsetIso2022Jp);
    EXPECT_EQ(decoded.facts.currentComment, 0);
}
