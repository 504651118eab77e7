#pragma once
// The Exif data of a file kept as one unit: the bytes of a JPEG's Exif block and the parser
// whose entries view them (or a TIFF file's own directory parser, which holds its bytes). They
// are shared read-only and replaced together, so the parser can never outlive its bytes.
#include "jpegtools/ExifReader.h"

#include <cstdint>
#include <memory>
#include <vector>

class ExifData {
public:
    ExifData() = default;
    // Parses the APP1 body after its "Exif\0\0" identifier, kept with its parser.
    static ExifData ParseBlock(std::vector<uint8_t> bytes);
    // A directory parser over bytes of its own (a TIFF file's).
    static ExifData FromReader(std::unique_ptr<CIfdReader> reader);

    bool Present() const { return data_ != nullptr; }
    // The Exif block's bytes; empty for a TIFF file's directories.
    const std::vector<uint8_t>& Bytes() const;
    // The parser, or null without Exif data.
    const CIfdReader* Reader() const { return data_ ? data_->reader.get() : nullptr; }
    // The parser of a JPEG's Exif block, or null (TIFF directories, no Exif data).
    const CExifReader* BlockReader() const { return data_ ? data_->blockReader : nullptr; }

private:
    struct Shared {
        std::vector<uint8_t> bytes;
        std::unique_ptr<CIfdReader> reader;
        const CExifReader* blockReader = nullptr;
    };
    std::shared_ptr<const Shared> data_;
};
