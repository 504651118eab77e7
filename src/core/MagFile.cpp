#include "core/MagFile.h"

#include "base/ByteReader.h"
#include "base/FileHandle.h"
#include "base/ReportError.h"
#include "base/StringTable.h"
#include "core/MagDecoder.h"
#include "core/MakiDecoder.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr size_t kSignatureSize = 8;
const char* const kReaderName = "LoadMagFile";

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes) {
    FileHandle file = FileHandle::Open(path, "rb");
    if (!file) return false;
    uint8_t block[1 << 16];
    size_t got = 0;
    while ((got = std::fread(block, 1, sizeof block, file.get())) > 0)
        bytes.insert(bytes.end(), block, block + got);
    return !std::ferror(file.get());
}

} // namespace

bool DecodeMag(const uint8_t* data, size_t size, MagPicture& picture) {
    ByteReader in(data, size);
    picture = MagPicture{};
    picture.signature.resize(kSignatureSize);
    if (!in.Bytes(picture.signature.data(), kSignatureSize) ||
        picture.signature.compare(0, 4, "MAKI") != 0)
        return false;
    const std::string version = picture.signature.substr(4, 2);
    if (version == "01") return DecodeMakiBody(in, picture);
    if (version == "02") return DecodeMagBody(in, picture);
    return false;
}

std::string MagDescription(const MagPicture& picture) {
    char size[64];
    std::snprintf(size, sizeof size, LoadString(StringId::ImageSizeFormat).c_str(), picture.width,
                  picture.height);
    std::string signature = picture.signature;
    signature.erase(signature.find_last_not_of(' ') + 1);
    return size + signature + "(" + std::to_string(picture.bits) + "bit)";
}

std::vector<MagComment> MagComments(const MagPicture& picture) {
    std::vector<MagComment> comments;
    if (!picture.author.empty()) comments.push_back({"Author", picture.author});
    if (!picture.comment.empty()) comments.push_back({"Comment", picture.comment});
    return comments;
}

std::unique_ptr<CDibImage> MakeMagDib(const MagPicture& picture) {
    auto image = std::make_unique<CDibImage>();
    const size_t tableBytes = picture.colorTable.size() * sizeof(RgbQuad);
    const size_t stride = picture.Stride();
    if (!image->AllocateDib(sizeof(BitmapInfoHeader) + tableBytes, picture.rows.size()))
        return nullptr;
    BitmapInfoHeader& header = *image->Header();
    header = BitmapInfoHeader{};
    header.biWidth = picture.width;
    header.biHeight = picture.height; // rows bottom-up
    header.biBitCount = static_cast<uint16_t>(picture.dibBitCount);
    header.biSizeImage = static_cast<uint32_t>(picture.rows.size());
    std::memcpy(image->ColorTable(), picture.colorTable.data(), tableBytes);
    for (size_t y = 0; y < static_cast<size_t>(picture.height); ++y)
        std::memcpy(image->Pixels() + (picture.height - 1 - y) * stride, picture.Row(y), stride);
    return image;
}

std::unique_ptr<CDibImage> ReadMagFile(const std::string& path, const ImageReadOptions& options,
                                       std::string& description, std::vector<MagComment>& comments,
                                       MagFileFacts* facts) {
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(path, bytes)) {
        ReportCannotOpen(kReaderName, path);
        return nullptr;
    }
    MagPicture picture;
    std::unique_ptr<CDibImage> image;
    if (DecodeMag(bytes.data(), bytes.size(), picture)) image = MakeMagDib(picture);
    if (image) image = PrepareForScreen(std::move(image), options);
    if (!image) {
        ReportErrorId(kReaderName, path, StringId::NoBitmap);
        return nullptr;
    }
    description = MagDescription(picture);
    comments = MagComments(picture);
    if (facts) {
        facts->bitsPerSample = picture.bits;
        facts->palette.assign(picture.colorTable.begin(),
                              picture.colorTable.begin() + picture.colorCount);
    }
    return image;
}
