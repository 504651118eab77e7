#include "batch/ConversionTask.h"

#include "app/settings/SettingsStore.h"
#include "app/util/FileExtension.h"
#include "app/util/StringTable.h"
#include "batch/HtmlLog.h"
#include "core/DocTemplate.h"
#include "core/ImageDoc.h"
#include "imageops/ResizeDocument.h"
#include "jpegtools/JpegMetadataCopy.h"
#include "platform/Platform.h"

#include <algorithm>
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

// The Exif and ICC segments of a JPEG source, put into a JPEG output.
bool KeepSourceMetadata(const std::string& source, const std::string& output) {
    if (!IsJpegPath(source) || !IsJpegPath(output)) return true;
    return InsertJpegMetadata(output, ReadJpegMetadata(source));
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
    if (started) job.ProcessDirectory();
    job.Log().Close();
    documents_.CloseDocument(*document_);
    document_ = nullptr;
    return started;
}

bool CConversionTask::ProcessFile(CBatchJob& job) {
    CImageDoc& document = *document_;
    if (!document.LoadFile(job.SourcePath())) {
        job.LogError(kLogCantOpenFile, job.SourcePath());
        return true;
    }
    if (!job.EnsureDestinationDirectory()) return false;
    UseDefaultComment(document);
    Convert(job, document);
    return true;
}

bool CConversionTask::Convert(CBatchJob& job, CImageDoc& document) {
    const ImageSize source{document.ImageWidth(), document.ImageHeight()};
    const uint32_t sourceSize = document.Facts().fileSize;
    const ImageSize target = ConversionTargetSize(source, settings_);
    if (!(target == source) &&
        !Resize(document, ResizeLength(target.width), ResizeLength(target.height))) {
        job.LogError(kLogCantResize, job.SourcePath());
        return false;
    }
    if (job.OutputReplacesAnotherSource() || job.OutputIsItsSource() ||
        !document.SaveFile(job.DestinationPath())) {
        job.LogError(kLogCantSave, job.DestinationPath());
        return false;
    }
    if (settings_.keepMetadata && !KeepSourceMetadata(job.SourcePath(), job.DestinationPath())) {
        job.LogError(kLogCantSave, job.DestinationPath());
        return false;
    }
    if (!job.Log().IsOpen()) return true;
    ConversionLogEntry entry;
    entry.linkPath = job.LinkPath();
    entry.imagePath = job.ImagePath();
    entry.outputName = job.OutputName();
    entry.sourcePath = job.SourcePath();
    entry.sourceWidth = source.width;
    entry.sourceHeight = source.height;
    entry.sourceSize = sourceSize;
    entry.outputWidth = document.ImageWidth();
    entry.outputHeight = document.ImageHeight();
    entry.outputSize = document.Facts().fileSize;
    entry.altIsOriginalSize = settings_.altIsOriginalSize != 0;
    job.Log().WriteConversionEntry(entry);
    return true;
}
