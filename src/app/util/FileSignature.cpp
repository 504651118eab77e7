#include "app/util/FileSignature.h"

#include "app/util/FileExtension.h"

int FileTypeFromSignature(const std::string& head) {
    const auto startsWith = [&](const char* bytes, size_t size) {
        return head.compare(0, size, bytes, size) == 0;
    };
    if (startsWith("\xFF\xD8", 2)) return kTypeJpeg;
    if (startsWith("\x89PNG\r\n\x1A\n", 8)) return kTypePng;
    if (startsWith("BM", 2)) return kTypeBmp;
    if (startsWith("II*\0", 4) || startsWith("MM\0*", 4)) return kTypeTiff;
    return kTypeUnknown;
}

std::string ExtensionOfType(int type) {
    switch (type) {
    case kTypeJpeg:
        return ".jpg";
    case kTypePng:
        return ".png";
    case kTypeBmp:
        return ".bmp";
    case kTypeTiff:
        return ".tif";
    default:
        return "";
    }
}
