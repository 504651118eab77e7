#include "base/FileSignature.h"

#include "base/FileExtension.h"

#include <cstring>

int TypeFromSignature(const uint8_t* bytes, size_t size) {
    struct Signature {
        const char* bytes;
        size_t length;
        int type;
    };
    static const Signature kSignatures[] = {
        {"\xFF\xD8\xFF", 3, kTypeJpeg},
        {"\x89PNG\r\n\x1A\n", 8, kTypePng},
        {"BM", 2, kTypeBmp},
        {"II*\0", 4, kTypeTiff},
        {"MM\0*", 4, kTypeTiff},
        {"MAKI01", 6, kTypeMag},
        {"MAKI02", 6, kTypeMag},
    };
    for (const Signature& signature : kSignatures)
        if (size >= signature.length && std::memcmp(bytes, signature.bytes, signature.length) == 0)
            return signature.type;
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
    case kTypeMag:
        return ".mag";
    default:
        return "";
    }
}
