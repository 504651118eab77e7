#include "base/FileSignature.h"

#include "base/FileExtension.h"

#include <cstring>

namespace {

bool Matches(const uint8_t* bytes, size_t size, size_t offset, const char* text) {
    const size_t length = std::strlen(text);
    return size >= offset + length && std::memcmp(bytes + offset, text, length) == 0;
}

// The types whose signature is not a plain prefix: a RIFF form, an ISO base media file type box
// (its major brand decides), the JPEG XL container's first box.
int TypeFromContainer(const uint8_t* bytes, size_t size) {
    if (Matches(bytes, size, 0, "RIFF") && Matches(bytes, size, 8, "WEBP")) return kTypeWebp;
    if (size >= 12 && std::memcmp(bytes, "\0\0\0\x0CJXL \r\n\x87\n", 12) == 0) return kTypeJxl;
    if (!Matches(bytes, size, 4, "ftyp")) return kTypeUnknown;
    for (const char* brand : {"avif", "avis"})
        if (Matches(bytes, size, 8, brand)) return kTypeAvif;
    for (const char* brand : {"heic", "heix", "hevc", "hevx", "heim", "heis", "mif1", "msf1"})
        if (Matches(bytes, size, 8, brand)) return kTypeHeif;
    return kTypeUnknown;
}

} // namespace

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
        {"\xFF\x0A", 2, kTypeJxl},
    };
    for (const Signature& signature : kSignatures)
        if (size >= signature.length && std::memcmp(bytes, signature.bytes, signature.length) == 0)
            return signature.type;
    return TypeFromContainer(bytes, size);
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
    case kTypeWebp:
        return ".webp";
    case kTypeHeif:
        return ".heic";
    case kTypeAvif:
        return ".avif";
    case kTypeJxl:
        return ".jxl";
    default:
        return "";
    }
}
