#include "jpegtools/SegmentTestSupport.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

const std::string kSoi = "\xFF\xD8";
const std::string kEoi = "\xFF\xD9";

// A marker segment with a correct length field.
std::string Segment(uint8_t code, const std::string& payload) {
    const size_t field = payload.size() + 2;
    return std::string{'\xFF', static_cast<char>(code), static_cast<char>(field >> 8),
                       static_cast<char>(field & 0xFF)} +
           payload;
}

const std::string kApp0 = Segment(0xE0, std::string("JFIF\0\1\1\0\0\1\0\1\0\0", 14));
const std::string kSos = Segment(0xDA, std::string("\1\1\0\0\x3F\0", 6));

} // namespace

TEST(SegmentReader, ReadsScansAndSkipsAcrossBufferRefills) {
    TempDir dir;
    std::string bytes(200000, 'a');
    bytes[70000] = 'X';
    bytes[199999] = 'Z';
    const std::string path = dir.Write("big.bin", bytes);
    CSegmentReader reader;
    ASSERT_TRUE(reader.Open(path));
    EXPECT_EQ(reader.GetLength(), 200000u);
    EXPECT_EQ(reader.Skip(10), 10u);
    EXPECT_EQ(reader.ScanFor('X'), 69990);
    EXPECT_EQ(reader.ReadByte(), 'X');
    EXPECT_EQ(reader.Read(nullptr, 65536), 65536u);
    EXPECT_EQ(reader.Position(), 70001u + 65536u);
    EXPECT_EQ(reader.Skip(62000), 62000u); // past the buffered bytes: the file position moves
    EXPECT_EQ(reader.ScanFor('Z'), 199999 - 197537);
    EXPECT_EQ(reader.Skip(10), 1u);
    EXPECT_EQ(reader.ReadByte(), -1);
    EXPECT_EQ(reader.ScanFor('a'), -1);
    EXPECT_EQ(reader.Read(nullptr, 5), 0u);
    EXPECT_FALSE(reader.Open(dir.File("missing")));
    EXPECT_FALSE(reader.Open(dir.Path())); // a directory is not a file to split
}

TEST(SegmentReader, ReadsFromMemoryStreams) {
    const std::string bytes = kSoi + kApp0 + kEoi;
    CSegmentReader reader;
    ASSERT_TRUE(reader.Attach(fmemopen(const_cast<char*>(bytes.data()), bytes.size(), "rb")));
    EXPECT_EQ(reader.GetLength(), bytes.size());
    SegmentList list;
    reader.ParseJpeg(list);
    EXPECT_EQ(Describe(list), "D8@0 E0@2:18 D9@20");
    FILE* out = tmpfile();
    ASSERT_TRUE(reader.CopySegments(out, list));
    EXPECT_EQ(ftell(out), static_cast<long>(bytes.size()));
    fclose(out);
}

TEST(ParseJpeg, SplitsMarkersAndKeepsScanDataInTheFile) {
    TempDir dir;
    std::string scan = "ab\xFF" + std::string(1, '\0') + "cd";
    std::string bigScan(300000, '\x55');
    const std::string file = "junk" + kSoi + kApp0 + kSos + scan + "\xFF\xD0" + bigScan +
                             "\xFF\xD7" + "z" + kEoi + "tail" + kSoi + kEoi;
    const std::string path = dir.Write("a.jpg", file);
    SegmentList list = SplitJpegFile(path);
    EXPECT_EQ(Describe(list), "D0,4 D8@4 E0@6:18 DA@24:10 D34,6 D0@40 D42,300000 D7@300042 "
                              "D300044,1 D9@300045");
    for (const auto& segment : list)
        if (segment->Has(SEG_DATA)) {
            EXPECT_EQ(segment->ByteCount(), 0u);
        }
    EXPECT_EQ(list.front()->flags, SEG_FROMFILE | SEG_DATA | SEG_INLINE);
    const auto& app0 = *std::next(list.begin(), 2);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(app0->Bytes()), app0->ByteCount()), kApp0);
    EXPECT_EQ(app0->flags, SEG_FROMFILE);
    // Everything up to the first EOI comes back; what follows it is dropped.
    EXPECT_EQ(WriteToString(dir, path, list), file.substr(0, file.size() - 8));
}

TEST(ParseJpeg, FillBytesBeforeAMarkerStayInTheDataBeforeIt) {
    TempDir dir;
    for (int fill = 1; fill <= 4; ++fill) {
        const std::string fills(fill, '\xFF');
        const std::string file = kSoi + fills + kApp0 + kSos + "xy\x03" + fills + kEoi;
        const std::string path = dir.Write("f.jpg", file);
        SegmentList list = SplitJpegFile(path);
        const std::string expected =
            "D8@0 D2," + std::to_string(fill) + " E0@" + std::to_string(2 + fill) + ":18 DA@" +
            std::to_string(20 + fill) + ":10 D" + std::to_string(30 + fill) + "," +
            std::to_string(3 + fill) + " D9@" + std::to_string(33 + 2 * fill);
        EXPECT_EQ(Describe(list), expected) << fill << " fill bytes";
        EXPECT_EQ(WriteToString(dir, path, list), file) << fill << " fill bytes";
    }
}

TEST(ParseJpeg, UnfinishedFilesKeepEveryByte) {
    TempDir dir;
    struct Case {
        std::string name, file, layout;
    };
    const std::string cut = Segment(0xE1, std::string(100, 'e')).substr(0, 30);
    const std::string bad = "\xFF\xE0" + std::string("\0\1", 2) + "rest" + kEoi;
    const Case cases[] = {
        {"no EOI", kSoi + kSos + "scan data", "D8@0 DA@2:10 D12,9"},
        {"ends in fill bytes", kSoi + kSos + "s\xFF\xFF", "D8@0 DA@2:10 D12,3"},
        {"cut segment", kSoi + kApp0 + cut, "D8@0 E0@2:18 D20,30"},
        {"cut length field", kSoi + "\xFF\xE0\x01", "D8@0 D2,3"},
        {"length below 2", kSoi + bad, "D8@0 D2,10"},
        {"no marker at all", "plain text", "D0,10"},
    };
    for (const Case& test : cases) {
        const std::string path = dir.Write("u.jpg", test.file);
        SegmentList list = SplitJpegFile(path);
        EXPECT_EQ(Describe(list), test.layout) << test.name;
        EXPECT_EQ(WriteToString(dir, path, list), test.file) << test.name;
    }
}

TEST(ParseJpeg, EmptyFileGivesEmptyListAndEmptyOutput) {
    TempDir dir;
    const std::string path = dir.Write("empty.jpg", "");
    SegmentList list = SplitJpegFile(path);
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(WriteToString(dir, path, list), "");
}

TEST(WriteSegments, RefusesListsThatDoNotFitTheSource) {
    TempDir dir;
    const std::string file = kSoi + kApp0 + kSos + std::string(1000, 'd') + kEoi;
    const std::string path = dir.Write("a.jpg", file);
    SegmentList list = SplitJpegFile(path);
    const std::string output = dir.Write("out.jpg", "previous contents");
    CSegmentReader reader;
    // The source shrank after splitting: the copy fails midway, the old output stays.
    dir.Write("a.jpg", file.substr(0, 500));
    EXPECT_EQ(reader.WriteSegments(path, output, list), 0);
    EXPECT_EQ(TempDir::Read(output), "previous contents");
    EXPECT_FALSE(std::filesystem::exists(dir.File("new.jpg")));
    EXPECT_EQ(reader.WriteSegments(path, dir.File("new.jpg"), list), 0);
    EXPECT_FALSE(std::filesystem::exists(dir.File("new.jpg")));
    // A list written against another file of the same size is refused, not scrambled.
    dir.Write("a.jpg", file);
    list.reverse();
    EXPECT_EQ(reader.WriteSegments(path, output, list), 0);
    EXPECT_EQ(TempDir::Read(output), "previous contents");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 2);
    EXPECT_EQ(reader.WriteSegments(dir.File("missing.jpg"), output, list), 0);
    EXPECT_EQ(reader.WriteSegments(path, dir.File("no/such/dir.jpg"), list), 0);
}

TEST(WriteSegments, WritesOverItsOwnSourceAndKeepsTheMode) {
    TempDir dir;
    const std::string file = kSoi + kApp0 + kEoi;
    const std::string path = dir.Write("a.jpg", file + "after");
    chmod(path.c_str(), 0640);
    SegmentList list = SplitJpegFile(path);
    CSegmentReader reader;
    ASSERT_EQ(reader.WriteSegments(path, path, list), 1);
    EXPECT_EQ(TempDir::Read(path), file);
    struct stat info {};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST(ParsePng, SplitsChunksAndHoldsAllButImageData) {
    TempDir dir;
    auto chunk = [](const std::string& type, const std::string& data, const std::string& crc) {
        const size_t n = data.size();
        return std::string{static_cast<char>(n >> 24), static_cast<char>(n >> 16),
                           static_cast<char>(n >> 8), static_cast<char>(n)} +
               type + data + crc;
    };
    const std::string ihdr = chunk("IHDR", std::string(13, '\1'), "\x12\x34\x56\x78");
    const std::string idat = chunk("IDAT", std::string(100000, 'i'), "\xAA\xBB\xCC\xDD");
    const std::string iend = chunk("IEND", "", "\xAE\x42\x60\x82");
    const std::string signature = "\x89PNG\r\n\x1A\n";
    const std::string path = dir.Write("a.png", signature + ihdr + idat + iend + "trailer");
    CSegmentReader reader;
    ASSERT_TRUE(reader.Open(path));
    ASSERT_EQ(reader.Read(nullptr, 8), 8u);
    SegmentList list;
    reader.ParsePng(list);
    ASSERT_EQ(list.size(), 3u);
    auto* header = dynamic_cast<CPngChunk*>(list.front().get());
    auto* data = dynamic_cast<CPngChunk*>(std::next(list.begin())->get());
    auto* end = dynamic_cast<CPngChunk*>(list.back().get());
    ASSERT_TRUE(header && data && end);
    EXPECT_EQ(header->chunkType, 0x49484452u);
    EXPECT_EQ(header->length, 25u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(header->Bytes()), 25), ihdr);
    EXPECT_EQ(header->crc, 0x12345678u);
    EXPECT_EQ(header->offset, 25u);
    EXPECT_EQ(data->flags, SEG_DATA | SEG_INLINE);
    EXPECT_EQ(data->length, 100000u);
    EXPECT_EQ(data->ByteCount(), 0u);
    EXPECT_EQ(data->crc, 0xAABBCCDDu);
    EXPECT_EQ(data->offset, 25u + 100012u);
    EXPECT_EQ(end->chunkType, kPngIend);
    EXPECT_EQ(end->offset, 25u + 100012u + 12u);

    // A chunk cut short ends the list; a length field larger than the file allocates nothing.
    const std::string huge = std::string("\x7F\xFF\xFF\xF0", 4) + "tEXt" + "short";
    for (const std::string& tail : {idat.substr(0, 5000), huge, ihdr.substr(0, 24)}) {
        dir.Write("cut.png", signature + ihdr + tail);
        ASSERT_TRUE(reader.Open(dir.File("cut.png")));
        reader.Read(nullptr, 8);
        SegmentList cut;
        reader.ParsePng(cut);
        EXPECT_EQ(cut.size(), 1u);
    }
}
