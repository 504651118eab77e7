// Splitting and writing every JPEG and PNG of the shared test corpora.
#include "jpegtools/JpegErrorManager.h"
#include "jpegtools/SegmentTestSupport.h"
#include "support/Corpus.h"

#include <gtest/gtest.h>

namespace {

// Where libjpeg, reading every scan, stops: just after the first EOI, or the end of a file
// that has none. -1 when libjpeg refuses the file.
long LibjpegImageEnd(const std::string& bytes) {
    jpeg_decompress_struct info{};
    JpegErrorManager errors;
    info.err = InstallJpegErrorManager(errors);
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        return -1;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
    jpeg_read_header(&info, TRUE);
    jpeg_read_coefficients(&info);
    jpeg_finish_decompress(&info);
    const long end = static_cast<long>(bytes.size() - info.src->bytes_in_buffer);
    jpeg_destroy_decompress(&info);
    return end;
}

} // namespace

TEST(SegmentCorpus, EveryJpegIsWrittenBackUpToItsFirstEoi) {
    const auto files = CorpusFiles({".jpg", ".jpeg", ".jfif"});
    if (files.empty()) SKIP_OR_FAIL_WITHOUT_CORPUS();
    TempDir dir;
    int confirmedByLibjpeg = 0;
    for (const std::string& path : files) {
        const std::string original = ReadWholeFile(path);
        SegmentList list = SplitJpegFile(path);
        const std::string written = WriteToString(dir, path, list);
        const bool endsAtEoi = !list.empty() && list.back()->Code() == 0xD9;
        const size_t expectedSize = endsAtEoi ? list.back()->offset + 2 : original.size();
        EXPECT_EQ(written.size(), expectedSize) << path;
        EXPECT_TRUE(written == original.substr(0, expectedSize)) << path;
        const long libjpegEnd = LibjpegImageEnd(original);
        if (libjpegEnd < 0) continue;
        EXPECT_EQ(static_cast<long>(written.size()), libjpegEnd) << path;
        ++confirmedByLibjpeg;
    }
    EXPECT_GT(confirmedByLibjpeg, static_cast<int>(files.size()) / 2);
    std::printf("%zu JPEG files, %d with libjpeg's image end\n", files.size(), confirmedByLibjpeg);
}

// The chunk records of every PNG describe the file exactly: held bytes equal the file's,
// IDAT lengths and CRCs match, offsets run on, and the list ends at IEND or at a chunk that
// does not fit in the file.
TEST(SegmentCorpus, EveryPngChunkListMatchesItsFile) {
    const auto files = CorpusFiles({".png"});
    if (files.empty()) SKIP_OR_FAIL_WITHOUT_CORPUS();
    const std::string signature = "\x89PNG\r\n\x1A\n";
    int split = 0;
    for (const std::string& path : files) {
        const std::string original = ReadWholeFile(path);
        if (original.compare(0, 8, signature) != 0) continue;
        CSegmentReader reader;
        ASSERT_TRUE(reader.Open(path));
        reader.Read(nullptr, 8);
        SegmentList list;
        reader.ParsePng(list);
        ++split;
        size_t position = 8;
        auto u32 = [&](size_t at) {
            uint32_t value = 0;
            for (size_t i = 0; i < 4; ++i)
                value = value << 8 | uint8_t(original[at + i]);
            return value;
        };
        for (const auto& segment : list) {
            const auto* chunk = dynamic_cast<const CPngChunk*>(segment.get());
            ASSERT_NE(chunk, nullptr);
            const size_t dataLength = u32(position);
            EXPECT_EQ(chunk->chunkType, u32(position + 4)) << path;
            if (chunk->Has(SEG_DATA))
                EXPECT_EQ(chunk->length, dataLength) << path;
            else
                EXPECT_TRUE(original.compare(position, chunk->ByteCount(),
                                             reinterpret_cast<const char*>(chunk->Bytes()),
                                             chunk->ByteCount()) == 0)
                    << path;
            EXPECT_EQ(chunk->crc, u32(position + 8 + dataLength)) << path;
            position += dataLength + 12;
            EXPECT_EQ(chunk->offset, position - 8) << path;
        }
        const bool endsAtIend =
            !list.empty() && dynamic_cast<const CPngChunk&>(*list.back()).chunkType == kPngIend;
        if (!endsAtIend && position + 12 <= original.size()) {
            EXPECT_GT(position + 12 + u32(position), original.size()) << path;
        }
    }
    std::printf("%d PNG files split\n", split);
}
