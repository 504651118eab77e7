#include "core/FileSignature.h"

#include "app/util/FileExtension.h"
#include "platform/FileHandle.h"

#include <cstring>

namespace {

bool StartsWith(const uint8_t* bytes, size_t size, const char* signature, size_t length) {
    return size >= length && std::memcmp(bytes, signature, length) == 0;
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
    };
    for (const Signature& signature : kSignatures)
        if (StartsWith(bytes, size, signature.bytes, signature.length)) return signature.type;
    return kTypeUnknown;
}

int ReadTypeOfFile(const std::string& path, bool& opened) {
    const int named = FileTypeFromExtension(ExtensionOf(path));
    uint8_t head[8] = {};
    size_t size = 0;
    FileHandle file = FileHandle::Open(path, "rb");
    opened = static_cast<bool>(file);
    if (file) size = std::fread(head, 1, sizeof head, file.get());
    const int content = TypeFromSignature(head, size);
    return content != kTypeUnknown && named != kTypeRgb ? content : named;
}
