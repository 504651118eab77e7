#include "core/PngFile.h"

#include "app/settings/SettingsStore.h"
#include "app/util/ReportError.h"
#include "core/ImageDoc.h"
#include "core/OutputFiles.h"
#include "core/PngRead.h"
#include "core/PngWrite.h"
#include "jpegtools/Charset.h"

#include <cstdint>

namespace {

constexpr const char* kLoadName = "LoadPngFile";
constexpr const char* kSaveName = "SavePngFile";
constexpr int kNoBitmapId = 353, kNoDibId = 354;

void TakeTexts(CImageDoc& document, const std::vector<PngTextEntry>& texts) {
    document.ClearComments();
    document.includeComment = !texts.empty();
    for (const PngTextEntry& text : texts) {
        CommentItem item = MakeCommentItem(
            text.text.c_str(), text.international ? kCharsetUtf8 : kCharsetAuto, -1, text.keyword);
        document.AddComment(item, text.keyword == "Comment");
    }
}

void TakeFacts(CImageDoc& document, PngFileFacts& facts) {
    document.fileSize =
        facts.fileSize > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(facts.fileSize);
    document.palette = std::move(facts.palette);
    document.hasTransparent = facts.transparent;
    document.transparentColor = facts.transparentColor;
    document.hasGamma = facts.gammaPresent;
    if (facts.gammaPresent) document.gamma = facts.gamma;
    document.grayscale = facts.grayscale;
    document.bitsPerSample = facts.bitsPerPixel;
    document.description = std::move(facts.description);
    TakeTexts(document, facts.texts);
}

// The comments as the file stores them: the items' texts in the write charset, or UTF-8 for
// iTXt. None unless comments are included.
std::vector<PngTextEntry> TextsToWrite(const CImageDoc& document, bool international) {
    std::vector<PngTextEntry> texts;
    if (!document.includeComment) return texts;
    for (const auto& item : document.Comments())
        texts.push_back({item->key,
                         CommentTextForWriting(*item, international ? kCharsetUtf8 : kCharsetAuto),
                         international});
    return texts;
}

PngSaveRequest RequestFor(const CImageDoc& document, const PngSaveOptions& options) {
    PngSaveRequest request;
    request.saveMode = document.pngSaveMode;
    request.palette = document.palette;
    request.bitsPerPixel = document.bitsPerSample;
    request.transparent = document.hasTransparent;
    request.transparentColor = document.transparentColor;
    request.writeGamma = document.writeGamma;
    request.gamma = document.gamma;
    request.texts = TextsToWrite(document, options.usePngITxt);
    return request;
}

} // namespace

bool LoadPngDocument(CImageDoc& document, const std::string& path) {
    document.ResetFormatState();
    const SettingsStore& settings = AppSettings();
    auto image = std::make_unique<CDibImage>();
    PngFileFacts facts;
    document.hasGamma = false;
    if (!ReadPngFile(path, PngLoadOptions::FromSettings(settings), *image, facts)) return false;
    TakeFacts(document, facts);
    image = PrepareForDisplay(std::move(image), settings.useDitherFor16bitColor);
    if (!image || image->IsEmpty()) {
        ReportErrorId(kLoadName, path, kNoBitmapId);
        return false;
    }
    document.SetImage(std::move(image));
    return true;
}

bool SavePngDocument(CImageDoc& document, COutputFiles& output, const std::string& path) {
    std::FILE* file = output.Create(path);
    if (!file) {
        ReportError(kSaveName, path, "Cannot open");
        return false;
    }
    CDibImage& image = document.Image();
    const size_t width = static_cast<size_t>(image.Width()),
                 height = static_cast<size_t>(image.Height());
    if (image.IsEmpty() || !image.ExtractDib(0, kBiRgb) ||
        image.PixelSize() < DibStride(width, 24) * height) {
        image.FreeDib();
        ReportErrorId(kSaveName, path, kNoDibId);
        return false;
    }
    const PngSaveOptions options = PngSaveOptions::FromSettings(AppSettings());
    PngSaveRequest request = RequestFor(document, options);
    PngSaveResult result;
    const PackedRgbRows rows{image.Pixels(), width, height, DibStride(width, 24)};
    const bool written = WritePngStream(file, path, rows, request, options, result);
    image.FreeDib();
    if (!written) return false;
    document.palette = std::move(request.palette);
    document.description = result.description;
    document.bitsPerSample = result.bitsPerPixel;
    document.grayscale = result.grayscale;
    return true;
}
