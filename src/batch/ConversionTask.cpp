#include "batch/ConversionTask.h"

#include "base/FileExtension.h"
#include "base/Platform.h"
#include "base/StringTable.h"
#include "batch/HtmlLog.h"
#include "core/DocTemplate.h"
#include "core/ImageDoc.h"
#include "core/JpegRead.h"
#include "core/SourceMetadata.h"
#include "imageops/ResizeDocument.h"
#include "jpegtools/JpegMetadataCopy.h"
#include "settings/SettingsStore.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <strings.h>

namespace {

// base × numerator / denominator in 64 bits, truncated and kept within int; a positive base
// never gives less than 1.
int Proportional(int base, int numerator, int denominator) {
    int64_t scaled = int64_t{base} * numerator / std::max(denominator, 1);
    if (base > 0) scaled = std::max<int64_t>(scaled, 1);
    return static_cast<int>(std::clamp<int64_t>(scaled, INT_MIN, INT_MAX));
}

ImageSize FollowAspectRatio(ImageSize source, const BulkConvSettings& settings) {
    int align = settings.sizeAlignMode;
    if (align == 0) align = source.width < source.height ? 2 : 1; // a square counts as landscape
    const int baseWidth = settings.sizeWidth, baseHeight = settings.sizeHeight;
    if (align == 1) return {baseWidth, Proportional(baseWidth, source.height, source.width)};
    if (align == 2) return {Proportional(baseHeight, source.width, source.height), baseHeight};
    return {baseWidth, baseHeight};
}

// Resize takes sizes from 1 up; anything else makes it report and fail.
uint32_t ResizeLength(int length) {
    return static_cast<uint32_t>(std::max(length, 0));
}

// Makes the default comment the current item, also over the file's own comment, with the include
// flag following the DefaultComment setting. A file without a comment got the default item from
// its load already; it is not added twice (a PNG would store both).
void UseDefaultComment(CImageDoc& document) {
    const SettingsStore& settings = AppSettings();
    const CommentItem* current = document.CurrentComment();
    if (current && document.Comments().size() == 1 && current->key == "Comment" &&
        current->text == settings.defaultCommentText &&
        current->charset == settings.defaultCommentCharset)
        document.SetIncludeComment(settings.defaultComment != 0);
    else
        document.AddDefaultComment();
}

bool IsJpegPath(const std::string& path) {
    return FileTypeFromExtension(ExtensionOf(path)) == kTypeJpeg;
}

// The Exif and ICC segments of a JPEG, WebP, HEIF/AVIF or JPEG XL source, put into a JPEG
// output.
bool KeepSourceMetadata(const std::string& source, const std::string& output) {
    if (!IsJpegPath(output)) return true;
    return InsertJpegMetadata(output, ReadSourceMetadata(source));
}

// Converts files in a document that holds one picture at a time.
class ConversionWorker : public IBatchWorker {
public:
    ConversionWorker(const BulkConvSettings& settings, CImageDoc& document,
                     std::unique_ptr<CImageDoc> owned = nullptr)
        : settings_(settings), document_(document), owned_(std::move(owned)) {}

    bool ProcessFile(CBatchFile& file) override {
        ImageSize fullSize;
        const DecodeAtLeast atLeast = ShrinkOnLoad(file.SourcePath(), fullSize);
        if (!document_.LoadFile(file.SourcePath(), atLeast)) {
            file.LogError(kLogCantOpenFile, file.SourcePath());
            return true;
        }
        if (!file.EnsureDestinationDirectory()) return false;
        if (atLeast.width == 0) fullSize = {document_.ImageWidth(), document_.ImageHeight()};
        UseDefaultComment(document_);
        Convert(file, fullSize);
        return true;
    }

private:
    // With FastShrink, the size a JPEG source at least twice its target size both ways may be
    // decoded down to (twice the target); fullSize is then the file's own size. 0 × 0 otherwise.
    DecodeAtLeast ShrinkOnLoad(const std::string& path, ImageSize& fullSize) const;
    // Resizes the loaded picture from its full size's target and saves it; false after logging
    // the failed step.
    bool Convert(CBatchFile& file, ImageSize source);

    const BulkConvSettings& settings_;
    CImageDoc& document_;
    std::unique_ptr<CImageDoc> owned_;
};

DecodeAtLeast ConversionWorker::ShrinkOnLoad(const std::string& path, ImageSize& fullSize) const {
    if (!settings_.fastShrink || !IsJpegPath(path) ||
        !ReadJpegFrameSize(path, fullSize.width, fullSize.height))
        return {};
    const ImageSize target = ConversionTargetSize(fullSize, settings_);
    if (target.width <= 0 || target.height <= 0 || int64_t{target.width} * 2 > fullSize.width ||
        int64_t{target.height} * 2 > fullSize.height)
        return {};
    // Twice the target, so that the exact scaler still averages at least 2 × 2 decoded pixels
    // into each output pixel: the reduced IDCT alone is a poorer filter.
    return {target.width * 2, target.height * 2};
}

bool ConversionWorker::Convert(CBatchFile& file, ImageSize source) {
    CImageDoc& document = document_;
    const ImageSize loaded{document.ImageWidth(), document.ImageHeight()};
    const uint32_t sourceSize = document.Facts().fileSize;
    const ImageSize target = ConversionTargetSize(source, settings_);
    if (!(target == loaded) &&
        !Resize(document, ResizeLength(target.width), ResizeLength(target.height))) {
        file.LogError(kLogCantResize, file.SourcePath());
        return false;
    }
    // A source is never written over; that failure's reason is the file that is there.
    const bool overSource = file.OutputReplacesAnotherSource() || file.OutputIsItsSource();
    if (overSource) errno = EEXIST;
    if (overSource || !document.SaveFile(file.DestinationPath())) {
        file.LogError(kLogCantSave, file.DestinationPath());
        return false;
    }
    if (settings_.keepMetadata && !KeepSourceMetadata(file.SourcePath(), file.DestinationPath())) {
        file.LogError(kLogCantSave, file.DestinationPath());
        return false;
    }
    ConversionLogEntry entry;
    entry.linkPath = file.LinkPath();
    entry.imagePath = file.ImagePath();
    entry.outputName = file.OutputName();
    entry.sourcePath = file.SourcePath();
    entry.sourceWidth = source.width;
    entry.sourceHeight = source.height;
    entry.sourceSize = sourceSize;
    entry.outputWidth = document.ImageWidth();
    entry.outputHeight = document.ImageHeight();
    entry.outputSize = document.Facts().fileSize;
    entry.altIsOriginalSize = settings_.altIsOriginalSize != 0;
    file.Later([entry](CBatchJob& job) { job.Log().WriteConversionEntry(entry); });
    return true;
}

} // namespace

ImageSize ConversionTargetSize(ImageSize source, const BulkConvSettings& settings) {
    ImageSize target;
    if (settings.sizeConvertMode == 0)
        target = FollowAspectRatio(source, settings);
    else if (settings.sizeConvertMode == 2)
        target = source;
    else
        target = {settings.sizeWidth, settings.sizeHeight};
    if (settings.notEnlarge) {
        target.width = std::min(target.width, source.width);
        target.height = std::min(target.height, source.height);
    }
    return target;
}

std::string ConversionOutputName(const std::string& name, const std::string& outputExtension,
                                 bool keepSourceType) {
    const size_t dot = name.rfind('.');
    if (dot == std::string::npos) return name + outputExtension;
    if (keepSourceType) {
        const char* extension = name.c_str() + dot;
        for (const char* kept : {".jpg", ".png", ".bmp"})
            if (strcasecmp(extension, kept) == 0) return name;
    }
    return name.substr(0, dot) + outputExtension;
}

void CConversionTask::Configure(CBatchJob& job) {
    ConfigureWalk(job, settings_);
}

std::string CConversionTask::OutputName(const std::string& name) const {
    return ConversionOutputName(name, settings_.usePngFormat ? ".png" : ".jpg",
                                settings_.extThrough != 0);
}

bool CConversionTask::Run(CBatchJob& job) {
    if (!job.BeginProcessing()) return false;
    document_ = documents_.OpenDocumentFile("");
    if (!document_) {
        Platform().ShowMessage(LoadString(StringId::NoDocument), MessageKind::Error, Buttons::Ok);
        return false;
    }
    const bool started = !settings_.createLog || job.OpenLog(settings_.logFilePath);
    if (started) job.ProcessTree();
    job.Log().Close();
    documents_.CloseDocument(*document_);
    document_ = nullptr;
    return started;
}

std::unique_ptr<IBatchWorker> CConversionTask::NewWorker(int index) {
    if (index == 0) return std::make_unique<ConversionWorker>(settings_, *document_);
    std::unique_ptr<CImageDoc> document = documents_.MakeDocument();
    document->OnNewDocument();
    CImageDoc& held = *document;
    return std::make_unique<ConversionWorker>(settings_, held, std::move(document));
}
