#include "core/PngFile.h"

#include "base/ReportError.h"
#include "core/DibExtract.h"
#include "core/ImageDoc.h"
#include "core/ImageWriteOptions.h"
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
std::vector<PngTextEntry> TextsToWrite(const CImageDoc& document, bool international,
                                       const CommentCharsets& writeCharsets) {
    std::vector<PngTextEntry> texts;
    if (!document.IncludesComment()) return texts;
    const int charset = international ? kCharsetUtf8 : kCharsetAuto;
    for (const auto& item : document.Comments())
        texts.push_back(
            {item->key, CommentTextForWriting(*item, charset, writeCharsets), international});
    return texts;
}

PngSaveRequest RequestFor(const CImageDoc& document, const ImageWriteOptions& options) {
    const ImageFacts& facts = document.Facts();
    PngSaveRequest request;
    request.saveMode = document.PngSaveMode();
    request.palette = facts.palette;
    request.bitsPerPixel = facts.bitsPerSample;
    request.transparent = facts.hasTransparent;
    request.transparentColor = facts.transparentColor;
    request.writeGamma = document.WritesGamma();
    request.gamma = facts.gamma;
    request.texts = TextsToWrite(document, options.png.usePngITxt, options.writeCharsets);
    return request;
}

} // namespace

bool ReadPngImage(const std::string& path, const ImageReadOptions& options,
                  DecodedPicture& decoded) {
    auto image = std::make_unique<CDibImage>();
    PngFileFacts facts;
    if (!ReadPngFile(path, options.png, *image, facts)) return false;
    decoded.facts = FactsOf(facts, options.readCharsets);
    image = PrepareForScreen(std::move(image), options);
    if (!image || image->IsEmpty()) {
        ReportErrorId(kLoadName, path, StringId::NoBitmap);
        return false;
    }
    decoded.image = std::move(image);
    return true;
}

bool SavePngDocument(CImageDoc& document, const ImageWriteOptions& writeOptions,
                     ImageFacts& written, COutputFiles& output, const std::string& path) {
    std::FILE* file = output.Create(path);
    if (!file) {
        ReportError(kSaveName, path, output.CreateFailureMessage("Cannot open"));
        return false;
    }
    const CDibImage& image = document.Image();
    const size_t width = static_cast<size_t>(image.Width()),
                 height = static_cast<size_t>(image.Height());
    std::optional<PackedDib> dib = ExtractDib(image, 0); // the writer converts its rows in place
    if (!dib || dib->Pixels().size() < DibStride(width, 24) * height) {
        ReportErrorId(kSaveName, path, StringId::NoDib);
        return false;
    }
    const PngSaveOptions& options = writeOptions.png;
    PngSaveRequest request = RequestFor(document, writeOptions);
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
