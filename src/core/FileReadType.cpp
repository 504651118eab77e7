#include "core/FileReadType.h"

#include "base/FileExtension.h"
#include "base/FileHandle.h"
#include "base/FileSignature.h"

#include <cstdio>

int ReadTypeOfFile(const std::string& path, bool& opened) {
    const int named = FileTypeFromExtension(ExtensionOf(path));
    uint8_t head[kSignatureBytes] = {};
    size_t size = 0;
    FileHandle file = FileHandle::Open(path, "rb");
    opened = static_cast<bool>(file);
    if (file) size = std::fread(head, 1, sizeof head, file.get());
    const int content = TypeFromSignature(head, size);
    return content != kTypeUnknown && named != kTypeRgb ? content : named;
}
