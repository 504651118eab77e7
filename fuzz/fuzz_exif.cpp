// Exif block parser and summary over arbitrary bytes: the block read in memory and as a file,
// every value read back, the user comment decoded, the five lines in both languages. A JPEG
// input has its Exif block located first.
#include "jpegtools/Charset.h"
#include "jpegtools/ExifReader.h"
#include "jpegtools/ExifSummary.h"
#include "jpegtools/JpegExifBlock.h"

#include <cstdint>
#include <cstdio>

namespace {

constexpr size_t kMaxInput = 1 << 17;
constexpr size_t kMaxPositions = 256;

void ReadEverything(const CExifReader& reader) {
    for (const CIfdEntry& entry : reader.Entries()) {
        reader.GetShort(entry);
        reader.GetLong(entry);
        reader.GetRational(entry);
        reader.GetSRational(entry);
        reader.GetText(entry);
        const size_t step = reader.TypeSize(entry) ? reader.TypeSize(entry) : 1;
        for (size_t i = 0; i < kMaxPositions && i * step <= entry.ValueSize(); ++i)
            reader.GetValueAt(entry, i * step);
    }
    if (const CIfdEntry* entry = reader.FindTag(kTagUserComment)) {
        if (auto comment = reader.GetUserComment(*entry, true))
            ToShiftJis(comment->bytes.data(), comment->code,
                       static_cast<int>(comment->bytes.size()));
        reader.GetUserComment(*entry, false);
    }
    ExifSummaryLines(reader, kSummaryJapanese);
    ExifSummaryLines(reader, kSummaryEnglish);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > kMaxInput) return 0;
    const uint8_t* block = data;
    size_t blockSize = size;
    if (std::optional<ByteRange> range = FindJpegExifBlock(data, size)) {
        block = data + range->offset;
        blockSize = range->size;
    }
    CExifReader memory;
    memory.ParseExifBlock(block, blockSize);
    ReadEverything(memory);

    if (blockSize == 0) return 0;
    std::FILE* file = fmemopen(const_cast<uint8_t*>(block), blockSize, "rb");
    if (!file) return 0;
    CExifReader fromFile;
    fromFile.ParseTiffStream(file);
    std::fclose(file);
    ReadEverything(fromFile);
    return 0;
}
