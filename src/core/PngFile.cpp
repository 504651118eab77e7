#include "core/PngFile.h"

#include "base/ReportError.h"
#include "core/DibExtract.h"
#include "core/ImageSaveRequest.h"
#include "core/OutputFiles.h"
#include "core/PngRead.h"
#include "core/PngWrite.h"
#include "jpegtools/Charset.h"

#include <cstdint>
#include <optional>

namespace {

constexpr const char* kLoadName = "LoadPngFile";
constexpr const char* kSaveName = "SavePngFile";

void TakeTexts(ImageFacts& facts, const std::vector<PngTextEntry>& texts,
               const CommentCharsets& readCharsets) {
    facts.includeComment = !texts.empty();
    for (const PngTextEntry& text : texts) {
        CommentItem item =
            MakeCommentItem(text.text.c_str(), text.international ? kCharsetUtf8 : kCharsetAuto, -1,
                            text.keyword, readCharsets);
        facts.AddComment(item, text.keyword == "Comment");
    }
}

ImageFacts FactsOf(PngFileFacts& file, const CommentCharsets& readCharsets) {
    ImageFacts facts;
    facts.fileSize = file.fileSize > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(file.fileSize);
    facts.palette = std::move(file.palette);
    facts.hasTransparent = file.transparent;
    facts.transparentColor = file.transparentColor;
    facts.hasGamma = file.gammaPresent;
    if (file.gammaPresent) facts.gamma = file.gamma;
    facts.grayscale = file.grayscale;
    facts.bitsPerSample = file.bitsPerPixel;
    facts.description = std::move(file.description);
    TakeTexts(facts, file.texts, readCharsets);
    return facts;
}

// The comments as the file stores them: the items' texts in the write charset, or UTF-8 for
// iTXt. None unless comments are included.
std::vector<PngTextEntry> TextsToWrite(const ImageSaveRequest& request, bool international,
                                       const CommentCharsets& writeCharsets) {
    std::vector<PngTextEntry> texts;
    if (!request.includeComment) return texts;
    const int charset = international ? kCharsetUtf8 : kCharsetAuto;
    for (const CommentItem* item : request.comments)
        texts.push_back(
            {item->key, CommentTextForWriting(*item, charset, writeCharsets), international});
    return texts;
}

PngSaveRequest PngRequestFor(const ImageSaveRequest& save) {
    const ImageFacts& facts = save.facts;
    const ImageWriteOptions& options = save.options;
    PngSaveRequest request;
    request.saveMode = save.pngSaveMode;
    request.palette = facts.palette;
    request.bitsPerPixel = facts.bitsPerSample;
    request.transparent = facts.hasTransparent;
    request.transparentColor = facts.transparentColor;
    request.writeGamma = save.writeGamma;
    request.gamma = facts.gamma;
    request.texts = TextsToWrite(save, options.png.usePngITxt, options.writeCharsets);
    return request;
}

} // namespace

std::optional<DecodedPicture> ReadPngImage(const std::string& path,
                                           const ImageReadOptions& options) {
    auto image = std::make_unique<CDibImage>();
    PngFileFacts facts;
    if (!ReadPngFile(path, options.png, *image, facts)) return std::nullopt;
    DecodedPicture decoded{nullptr, FactsOf(facts, options.readCharsets)};
    image = PrepareForScreen(std::move(image), options);
    if (!image || image->IsEmpty()) {
        ReportErrorId(kLoadName, path, StringId::NoBitmap);
        return std::nullopt;
    }
    decoded.image = std::move(image);
    return decoded;
}

bool SavePngDocument(const ImageSaveRequest& save, ImageFacts& written, COutputFiles& output,
                     const std::string& path) {
    std::FILE* file = output.Create(path);
    if (!file) {
        ReportError(kSaveName, path, output.CreateFailureMessage("Cannot open"));
        return false;
    }
    const CDibImage& image = save.picture;
    const size_t width = static_cast<size_t>(image.Width()),
                 height = static_cast<size_t>(image.Height());
    std::optional<PackedDib> dib = ExtractDib(image, 0); // the writer converts its rows in place
    if (!dib || dib->Pixels().size() < DibStride(width, 24) * height) {
        ReportErrorId(kSaveName, path, StringId::NoDib);
        return false;
    }
    const PngSaveOptions& options = save.options.png;
    PngSaveRequest request = PngRequestFor(save);
    PngSaveResult result;
    const PackedRgbRows rows{dib->Pixels().data(), width, height, DibStride(width, 24)};
    const bool ok = WritePngStream(file, path, rows, request, options, result);
    if (!ok) return false;
    written.palette = std::move(request.palette);
    written.description = result.description;
    written.bitsPerSample = result.bitsPerPixel;
    written.grayscale = result.grayscale;
    return true;
}
