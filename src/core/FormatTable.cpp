#include "core/FormatTable.h"

#include "app/util/FileExtension.h"
#include "app/util/ReportError.h"
#include "core/RgbFile.h"

#include <iterator>

namespace {

const ImageFormat kFormats[] = {
    {kTypeBmp, "LoadBmpFile", nullptr, "SaveBmpFile", nullptr},
    {kTypeRgb, "LoadRgbFile", LoadRgbFile, "SaveRgbFile", SaveRgbFile},
    {kTypeJpeg, "LoadJpegFile", nullptr, "SaveJpegFile", nullptr},
    {kTypePng, "LoadPngFile", nullptr, "SavePngFile", nullptr},
    {kTypeMag, "LoadMagFile", nullptr, nullptr, nullptr},
    {kTypeTiff, "LoadTiffFile", nullptr, nullptr, nullptr},
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
