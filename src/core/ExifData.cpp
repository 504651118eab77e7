#include "core/ExifData.h"

ExifData ExifData::ParseBlock(std::vector<uint8_t> bytes) {
    auto shared = std::make_shared<Shared>();
    shared->bytes = std::move(bytes);
    auto reader = std::make_unique<CExifReader>();
    reader->ParseExifBlock(shared->bytes.data(), shared->bytes.size());
    shared->blockReader = reader.get();
    shared->reader = std::move(reader);
    ExifData exif;
    exif.data_ = std::move(shared);
    return exif;
}

ExifData ExifData::FromReader(std::unique_ptr<CIfdReader> reader) {
    auto shared = std::make_shared<Shared>();
    shared->reader = std::move(reader);
    ExifData exif;
    exif.data_ = std::move(shared);
    return exif;
}

const std::vector<uint8_t>& ExifData::Bytes() const {
    static const std::vector<uint8_t> none;
    return data_ ? data_->bytes : none;
}
