#include "core/SourceMetadata.h"

#include "base/FileExtension.h"
#include "base/FileHandle.h"
#include "base/MemoryLimit.h"
#include "core/FileReadType.h"
#include "core/HeifRead.h"
#include "core/JxlRead.h"
#include "core/WebpRead.h"
#include "jpegtools/JpegMetadataCopy.h"

#include <cstdio>

namespace {

using MetadataReader = ContainerMetadata (*)(std::span<const uint8_t>);

MetadataReader MetadataReaderOf(int type) {
    switch (type) {
    case kTypeWebp:
        return ReadWebpMetadata;
    case kTypeHeif:
    case kTypeAvif:
        return ReadHeifMetadata;
    case kTypeJxl:
        return ReadJxlMetadata;
    default:
        return nullptr;
    }
}

// The file's bytes, quietly (a source that cannot be read keeps nothing; its conversion has
// already reported it).
bool ReadFileBytes(const std::string& path, std::vector<uint8_t>& bytes) {
    FileHandle file = FileHandle::Open(path, "rb");
    if (!file) return false;
    uint8_t chunk[1 << 16];
    size_t count = 0;
    while ((count = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) {
        if (!FitsMemoryLimit(bytes.size() + count)) return false;
        bytes.insert(bytes.end(), chunk, chunk + count);
    }
    return !std::ferror(file.get());
}

} // namespace

bool HasContainerMetadata(int type) {
    return MetadataReaderOf(type) != nullptr;
}

std::optional<ContainerMetadata> ReadContainerMetadata(const std::string& path, int type) {
    const MetadataReader read = MetadataReaderOf(type);
    std::vector<uint8_t> bytes;
    if (!ReadFileBytes(path, bytes)) return std::nullopt;
    return read ? read(bytes) : ContainerMetadata{};
}

std::vector<std::string> ReadSourceMetadata(const std::string& source) {
    if (FileTypeFromExtension(ExtensionOf(source)) == kTypeJpeg) return ReadJpegMetadata(source);
    bool opened = false;
    const int type = ReadTypeOfFile(source, opened);
    if (!HasContainerMetadata(type)) return {};
    const std::optional<ContainerMetadata> metadata = ReadContainerMetadata(source, type);
    return metadata ? MetadataSegments(metadata->exif, metadata->icc) : std::vector<std::string>();
}
