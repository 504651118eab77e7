#include "core/FormatTable.h"

#include "base/FileExtension.h"
#include "base/Platform.h"
#include "base/ReportError.h"
#include "core/BmpFile.h"
#include "core/HeifRead.h"
#include "core/ImageSaveRequest.h"
#include "core/JpegRead.h"
#include "core/JpegWrite.h"
#include "core/JxlRead.h"
#include "core/MagFile.h"
#include "core/OutputFiles.h"
#include "core/PngFile.h"
#include "core/RgbFile.h"
#include "core/TiffFile.h"
#include "core/WebpRead.h"
#include "jpegtools/Charset.h"

#include <sys/stat.h>

namespace {

uint32_t FileSizeOf(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) return 0;
    return info.st_size > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(info.st_size);
}

std::optional<DecodedPicture> ReadBmpImage(const std::string& path,
                                           const ImageReadOptions& options) {
    DecodedPicture decoded;
    decoded.image = ReadBmpFile(path, options, decoded.facts.description);
    if (!decoded.image) return std::nullopt;
    decoded.facts.fileSize = decoded.image->fileSize;
    return decoded;
}

// The image at its own depth, uncompressed.
bool SaveBmpDocument(const ImageSaveRequest& request, ImageFacts& written, COutputFiles& output,
                     const std::string& path) {
    std::FILE* file = output.Create(path);
    if (!file) {
        ReportError("SaveBmpFile", path,
                    output.CreateFailureMessage(LoadString(StringId::CannotOpen)));
        return false;
    }
    return WriteBmpFile(request.picture, file, path, -1, written.description);
}

// MAG and MAKI: the Author and Comment texts become items (Shift_JIS as stored); a comment
// becomes the current item and is included when the picture is saved.
std::optional<DecodedPicture> ReadMagImage(const std::string& path,
                                           const ImageReadOptions& options) {
    std::vector<MagComment> comments;
    MagFileFacts mag;
    DecodedPicture decoded;
    ImageFacts& facts = decoded.facts;
    decoded.image = ReadMagFile(path, options, facts.description, comments, &mag);
    if (!decoded.image) return std::nullopt;
    facts.fileSize = FileSizeOf(path);
    facts.bitsPerSample = mag.bitsPerSample;
    facts.palette = std::move(mag.palette);
    for (const MagComment& comment : comments) {
        const bool isComment = comment.key == "Comment";
        facts.AddComment({kCharsetShiftJis, comment.key, comment.text}, isComment);
        if (isComment) facts.includeComment = true;
    }
    return decoded;
}

const ImageFormat kFormats[] = {
    {kTypeBmp, "LoadBmpFile", ReadBmpImage, "SaveBmpFile", SaveBmpDocument, false},
    {kTypeRgb, "LoadRgbFile", ReadRgbFile, "SaveRgbFile", SaveRgbFile, false},
    {kTypeJpeg, "LoadJpegFile", ReadJpegFile, "SaveJpegFile", SaveJpegFile, true},
    {kTypePng, "LoadPngFile", ReadPngImage, "SavePngFile", SavePngDocument, false},
    {kTypeMag, "LoadMagFile", ReadMagImage, nullptr, nullptr, false},
    {kTypeTiff, "LoadTiffFile", ReadTiffFile, nullptr, nullptr, false},
    {kTypeWebp, "LoadWebpFile", ReadWebpFile, nullptr, nullptr, false},
    {kTypeHeif, "LoadHeifFile", ReadHeifFile, nullptr, nullptr, false},
    {kTypeAvif, "LoadHeifFile", ReadHeifFile, nullptr, nullptr, false},
    {kTypeJxl, "LoadJxlFile", ReadJxlFile, nullptr, nullptr, false},
};

} // namespace

const ImageFormat* FindImageFormat(int type) {
    for (const ImageFormat& format : kFormats)
        if (format.type == type) return &format;
    return nullptr;
}

bool WriterUsesControlBar(int type) {
    const ImageFormat* format = FindImageFormat(type);
    return format && format->write && format->usesControlBar;
}

std::optional<DecodedPicture> ReadImageFile(int type, const std::string& path,
                                            const ImageReadOptions& options) {
    const ImageFormat* format = FindImageFormat(type);
    if (!format || !format->readerName) return std::nullopt;
    if (!format->read) {
        ReportFormatNotAvailable(format->readerName, path);
        return std::nullopt;
    }
    WaitCursor wait;
    return format->read(path, options);
}

void ReportFormatNotAvailable(const char* name, const std::string& path) {
    ReportError(name, path, "この形式のファイルにはまだ対応していません");
}
