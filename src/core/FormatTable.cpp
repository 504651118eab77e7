#include "core/FormatTable.h"

#include "app/util/FileExtension.h"
#include "app/util/ReportError.h"
#include "core/BmpFile.h"
#include "core/ImageDoc.h"
#include "core/JpegRead.h"
#include "core/JpegWrite.h"
#include "core/MagFile.h"
#include "core/OutputFiles.h"
#include "core/PngFile.h"
#include "core/RgbFile.h"
#include "core/TiffFile.h"
#include "jpegtools/Charset.h"

#include <sys/stat.h>

namespace {

uint32_t FileSizeOf(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) return 0;
    return info.st_size > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(info.st_size);
}

bool LoadBmpDocument(CImageDoc& document, const std::string& path) {
    document.ResetFormatState();
    std::unique_ptr<CDibImage> image = ReadBmpFile(path, document.description);
    if (!image) return false;
    document.fileSize = image->fileSize;
    document.SetImage(std::move(image));
    return true;
}

// The image at its own depth, uncompressed.
bool SaveBmpDocument(CImageDoc& document, COutputFiles& output, const std::string& path) {
    std::FILE* file = output.Create(path);
    if (!file) {
        ReportErrorId("SaveBmpFile", path, 351);
        return false;
    }
    return WriteBmpFile(document.Image(), file, path, -1, document.description);
}

// MAG and MAKI: the Author and Comment texts become items (Shift_JIS as stored); a comment
// becomes the current item and is included when the picture is saved.
bool LoadMagDocument(CImageDoc& document, const std::string& path) {
    std::vector<MagComment> comments;
    MagFileFacts facts;
    std::unique_ptr<CDibImage> image = ReadMagFile(path, document.description, comments, &facts);
    if (!image) return false;
    document.SetImage(std::move(image));
    document.fileSize = FileSizeOf(path);
    document.bitsPerSample = facts.bitsPerSample;
    document.palette = std::move(facts.palette);
    document.ClearComments();
    for (const MagComment& comment : comments) {
        const bool isComment = comment.key == "Comment";
        document.AddComment({kCharsetShiftJis, comment.key, comment.text}, isComment);
        if (isComment) document.includeComment = true;
    }
    return true;
}

const ImageFormat kFormats[] = {
    {kTypeBmp, "LoadBmpFile", LoadBmpDocument, "SaveBmpFile", SaveBmpDocument},
    {kTypeRgb, "LoadRgbFile", LoadRgbFile, "SaveRgbFile", SaveRgbFile},
    {kTypeJpeg, "LoadJpegFile", LoadJpegFile, "SaveJpegFile", SaveJpegFile},
    {kTypePng, "LoadPngFile", LoadPngDocument, "SavePngFile", SavePngDocument},
    {kTypeMag, "LoadMagFile", LoadMagDocument, nullptr, nullptr},
    {kTypeTiff, "LoadTiffFile", LoadTiffFile, nullptr, nullptr},
};

} // namespace

const ImageFormat* FindImageFormat(int type) {
    for (const ImageFormat& format : kFormats)
        if (format.type == type) return &format;
    return nullptr;
}

bool ReadImageFile(CImageDoc& document, int type, const std::string& path) {
    const ImageFormat* format = FindImageFormat(type);
    if (!format || !format->readerName) return false;
    if (!format->read) {
        ReportFormatNotAvailable(format->readerName, path);
        return false;
    }
    return format->read(document, path);
}

void ReportFormatNotAvailable(const char* name, const std::string& path) {
    ReportError(name, path, "この形式のファイルにはまだ対応していません");
}
