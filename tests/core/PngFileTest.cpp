// PNG files as documents: load and save dispatch, comments, the save options dialog's logic and
// the two display commands.
#include "core/PngFile.h"
#include "DocFixture.h"
#include "PngTestFiles.h"
#include "base/FileExtension.h"
#include "base/ReportError.h"
#include "core/FixedPalette.h"
#include "core/PngInfoCommands.h"
#include "core/PngSaveChoices.h"
#include "core/PngWrite.h"
#include "jpegtools/Charset.h"
#include "shell/CommandId.h"
#include "shell/CommandTable.h"
#include "shell/DocumentState.h"

#include <filesystem>

namespace {

using PngDocument = DocTest;

const std::string kSuite = std::string(TEST_DATA_DIR) + "/png/pngsuite/";

// The command's enabling rule with the document active.
bool IsEnabled(int command, const CImageDoc& document) {
    CommandState state;
    state.documentActive = true;
    state.document = ActiveDocumentStateOf(document);
    return IsEnabled(*FindCommand(command), state);
}

std::string WriteTextPng(const TempDir& dir, const std::vector<TestText>& texts) {
    TestPng png;
    png.samples = {1, 2, 3};
    png.texts = texts;
    const std::string path = dir.File("texts.png");
    EXPECT_TRUE(WriteTestPng(path, png));
    return path;
}

std::vector<std::string> Keys(const CImageDoc& document) {
    std::vector<std::string> keys;
    for (const auto& item : document.Comments())
        keys.push_back(item->key);
    return keys;
}

std::vector<png_color> ToPngColors(const std::vector<RgbQuad>& palette) {
    std::vector<png_color> colors;
    for (const RgbQuad& entry : palette)
        colors.push_back({entry.rgbRed, entry.rgbGreen, entry.rgbBlue});
    return colors;
}

bool SameColors(const std::vector<png_color>& a, const std::vector<png_color>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].red != b[i].red || a[i].green != b[i].green || a[i].blue != b[i].blue)
            return false;
    return true;
}

} // namespace

TEST_F(PngDocument, LoadRecordsTheFileAndItsTexts) {
    CImageDoc document{context};
    ASSERT_TRUE(document.LoadFile(kSuite + "tbbn3p08.png"));
    EXPECT_EQ(document.DocType(), kTypePng);
    EXPECT_EQ(document.InfoText(), "32x32 PNG(Idx 8bit) +T +G");
    EXPECT_EQ(document.Facts().palette.size(), 246u);
    EXPECT_EQ(document.Facts().bitsPerSample, 8);
    EXPECT_TRUE(document.Facts().hasTransparent);
    EXPECT_TRUE(document.Facts().hasGamma);
    EXPECT_DOUBLE_EQ(document.Facts().gamma, 1.0);
    EXPECT_EQ(document.Facts().fileSize, std::filesystem::file_size(kSuite + "tbbn3p08.png"));
    EXPECT_EQ(document.ImageWidth(), 32);
    EXPECT_TRUE(IsEnabled(ID_PNG_GAMMA, document));
    EXPECT_EQ(PngGammaMessage(document), "Gamma=1.000000");
    EXPECT_TRUE(IsEnabled(ID_PNG_TRANSPARENT, document));

    // The texts in file order; "Comment" becomes current, and the iTXt text comes from UTF-8.
    ASSERT_TRUE(document.LoadFile(WriteTextPng(
        dir, {{"Title", "t", PNG_TEXT_COMPRESSION_NONE, ""},
              {"Comment", "\xE6\x97\xA5\xE6\x9C\xAC", PNG_ITXT_COMPRESSION_NONE, "ja-jp"}})));
    EXPECT_EQ(Keys(document), (std::vector<std::string>{"Title", "Comment"}));
    ASSERT_TRUE(document.CurrentComment());
    EXPECT_EQ(document.CurrentComment()->key, "Comment");
    EXPECT_EQ(document.CurrentComment()->charset, kCharsetUtf8);
    EXPECT_EQ(document.CurrentComment()->text, "\x93\xfa\x96\x7b"); // Shift_JIS
    EXPECT_TRUE(document.IncludesComment());
    EXPECT_FALSE(document.Facts().hasGamma);
    EXPECT_FALSE(IsEnabled(ID_PNG_GAMMA, document));
    EXPECT_EQ(PngGammaMessage(document), "No Gamma Value");

    // "comment" is another key: no current item, and no default comment is added.
    ASSERT_TRUE(
        document.LoadFile(WriteTextPng(dir, {{"comment", "c", PNG_TEXT_COMPRESSION_NONE, ""}})));
    EXPECT_EQ(Keys(document), (std::vector<std::string>{"comment"}));
    EXPECT_EQ(document.CurrentComment(), nullptr);
}

TEST_F(PngDocument, BrokenFileFailsWithItsReport) {
    CImageDoc document{context};
    const std::string path = kSuite + "xcrn0g04.png";
    EXPECT_FALSE(document.LoadFile(path));
    EXPECT_EQ(Messages(),
              (std::vector<std::string>{FormatErrorReport(
                  "LoadPngFile", path, "Error handler (PNG file corrupted by ASCII conversion)")}));
}

TEST_F(PngDocument, SaveModesFromAPaletteDocument) {
    CImageDoc document{context};
    ASSERT_TRUE(document.LoadFile(kSuite + "tbbn3p08.png"));
    const std::vector<png_color> filePalette = ToPngColors(document.Facts().palette);

    document.SetPngSaveState(kPngSaveIndexed8,
                             document.WritesGamma()); // the file's own palette serves
    ASSERT_TRUE(document.OnSaveDocument(dir.File("idx8.png")));
    ReadBackPng saved = ReadBackTestPng(dir.File("idx8.png"));
    EXPECT_EQ(saved.bitDepth, 8);
    EXPECT_TRUE(SameColors(saved.palette, filePalette));
    EXPECT_FALSE(saved.alpha.empty());
    ASSERT_TRUE(saved.gamma);
    EXPECT_NEAR(*saved.gamma, 1.0, 1e-5);
    EXPECT_EQ(document.InfoText(), "32x32 PNG(Idx 8bit) +T +G");
    EXPECT_EQ(document.Facts().fileSize, std::filesystem::file_size(dir.File("idx8.png")));

    document.SetPngSaveState(kPngSaveIndexed4,
                             document.WritesGamma()); // 8-bit palette gives way to the 16 colours
    ASSERT_TRUE(document.OnSaveDocument(dir.File("idx4.png")));
    saved = ReadBackTestPng(dir.File("idx4.png"));
    EXPECT_EQ(saved.colorType, PNG_COLOR_TYPE_PALETTE);
    EXPECT_EQ(saved.bitDepth, 4);
    EXPECT_TRUE(SameColors(saved.palette, ToPngColors(FixedPalette(16))));
    EXPECT_EQ(document.InfoText(), "32x32 PNG(Idx 4bit) +T +G");
    EXPECT_EQ(document.Facts().bitsPerSample, 4);

    document.SetPngSaveState(kPngSaveGray4, document.WritesGamma());
    ASSERT_TRUE(document.OnSaveDocument(dir.File("gray4.png")));
    saved = ReadBackTestPng(dir.File("gray4.png"));
    EXPECT_EQ(saved.colorType, PNG_COLOR_TYPE_GRAY);
    EXPECT_EQ(saved.bitDepth, 4);
    ASSERT_TRUE(saved.transparentColor);
    EXPECT_LE(saved.transparentColor->gray, 15);
    EXPECT_TRUE(document.Facts().grayscale);
}

TEST_F(PngDocument, CommentsAreWrittenInListOrderAsTextOrItxt) {
    CImageDoc document{context};
    ASSERT_TRUE(
        document.LoadFile(WriteTextPng(dir, {{"Title", "t", PNG_TEXT_COMPRESSION_NONE, ""}})));
    document.AddComment({kCharsetShiftJis, "Comment", "\x93\xfa\x96\x7b"}, true);
    document.AddComment({kCharsetShiftJis, "Author", "a"}, false);
    AppSettings().autoWriteCharset = 0;
    AppSettings().writeCharset = kCharsetEucJp;
    ASSERT_TRUE(document.OnSaveDocument(dir.File("text.png")));
    ReadBackPng saved = ReadBackTestPng(dir.File("text.png"));
    ASSERT_EQ(saved.texts.size(), 3u);
    EXPECT_EQ(saved.texts[0].key, "Title");
    EXPECT_EQ(saved.texts[1].key, "Comment");
    EXPECT_EQ(saved.texts[2].key, "Author");
    EXPECT_EQ(saved.texts[1].compression, PNG_TEXT_COMPRESSION_NONE);
    EXPECT_EQ(saved.texts[1].text, "\xC6\xFC\xCB\xDC"); // EUC-JP

    AppSettings().usePngITxt = 1;
    ASSERT_TRUE(document.OnSaveDocument(dir.File("itxt.png")));
    saved = ReadBackTestPng(dir.File("itxt.png"));
    ASSERT_EQ(saved.texts.size(), 3u);
    EXPECT_EQ(saved.texts[1].compression, PNG_ITXT_COMPRESSION_NONE);
    EXPECT_EQ(saved.texts[1].language, "ja-jp");
    EXPECT_EQ(saved.texts[1].text, "\xE6\x97\xA5\xE6\x9C\xAC");

    document.SetIncludeComment(false);
    ASSERT_TRUE(document.OnSaveDocument(dir.File("none.png")));
    EXPECT_TRUE(ReadBackTestPng(dir.File("none.png")).texts.empty());
}

TEST_F(PngDocument, FailedSaveKeepsTheOriginalAndLeavesNothingBehind) {
    CImageDoc document{context};
    ASSERT_TRUE(document.LoadFile(kSuite + "basn2c08.png"));
    const std::string target = dir.Write("keep.png", "original bytes");
    document.AddComment({kCharsetAscii, "", "no keyword"}, false); // libpng refuses it
    document.SetIncludeComment(true);
    Headless().ClearMessages();
    EXPECT_FALSE(document.OnSaveDocument(target));
    EXPECT_EQ(Messages(), (std::vector<std::string>{FormatErrorReport(
                              "SavePngFile", target, "Error handler (tEXt: invalid keyword)")}));
    EXPECT_EQ(TempDir::Read(target), "original bytes");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
    EXPECT_EQ(document.InfoText(), "32x32 PNG(RGB 8bit) +G");
}

TEST_F(PngDocument, SaveOptionsDialogSuggestsAndStores) {
    SettingsStore& settings = AppSettings();
    settings.useInterlaceOnSave = 1;
    settings.defaultGamma = 0.45455;
    CImageDoc document{context};
    ASSERT_TRUE(document.LoadFile(kSuite + "tbbn3p08.png"));
    PngSaveChoices choices = OpenPngSaveChoices(settings, &document);
    EXPECT_EQ(choices.saveMode, kPngSaveIndexed8);
    EXPECT_TRUE(choices.interlace);
    EXPECT_TRUE(choices.writeTransparent);
    EXPECT_TRUE(choices.writeGamma);
    EXPECT_EQ(choices.gammaText, "1.000000");

    ASSERT_TRUE(document.LoadFile(kSuite + "basn0g04.png"));
    EXPECT_EQ(OpenPngSaveChoices(settings, &document).saveMode, kPngSaveGray4);
    ASSERT_TRUE(document.LoadFile(kSuite + "basn3p04.png"));
    EXPECT_EQ(OpenPngSaveChoices(settings, &document).saveMode, kPngSaveIndexed4);
    ASSERT_TRUE(document.LoadFile(kSuite + "basn2c16.png"));
    EXPECT_EQ(OpenPngSaveChoices(settings, &document).saveMode, kPngSaveRgb24);

    // OK on a file document changes the document (and only the interlace setting).
    choices.saveMode = kPngSaveGray8;
    choices.interlace = false;
    choices.gammaText = "abc";
    ApplyPngSaveChoices(choices, settings, &document);
    EXPECT_EQ(document.PngSaveMode(), kPngSaveGray8);
    EXPECT_TRUE(document.Facts().hasTransparent);
    EXPECT_DOUBLE_EQ(document.Facts().gamma, 0.0);
    EXPECT_EQ(settings.useInterlaceOnSave, 0);
    EXPECT_EQ(settings.pngSaveMode, 0);

    // A pasted image changes the settings too; without a document only the settings change.
    document.SetDocType(kTypeClipboard);
    choices.transparentColor = RgbQuad{3, 2, 1, 0};
    ApplyPngSaveChoices(choices, settings, &document);
    EXPECT_EQ(settings.pngSaveMode, kPngSaveGray8);
    EXPECT_EQ(settings.colorTransparent, 0x030201);
    EXPECT_EQ(settings.useTransparentOnSave, 1);

    settings.pngSaveMode = kPngSaveIndexed4;
    settings.useWriteGammaValue = 0;
    settings.useDefaultGammaOnSave = 0;
    choices = OpenPngSaveChoices(settings, nullptr);
    EXPECT_EQ(choices.saveMode, kPngSaveIndexed4);
    EXPECT_FALSE(choices.writeGamma);
    EXPECT_EQ(choices.transparentColor.rgbRed, 1);
    EXPECT_EQ(choices.transparentColor.rgbBlue, 3);
    EXPECT_EQ(choices.gammaText, "0.454550");
}
