#include "jpegtools/ExifReader.h"
#include "support/ExifFixture.h"
#include "support/TiffBuilder.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

constexpr uint16_t kMake = 271;
constexpr uint16_t kModel = 272;
constexpr uint16_t kOrientation = 274;
constexpr uint16_t kBitsPerSample = 258;

// Parses a copy of exactly the block's bytes, so that ASan sees any read past it.
struct Parsed {
    explicit Parsed(const std::vector<uint8_t>& bytes)
        : block(std::make_unique<uint8_t[]>(bytes.size())) {
        if (!bytes.empty()) std::memcpy(block.get(), bytes.data(), bytes.size());
        count = reader.ParseExifBlock(block.get(), bytes.size());
    }
    std::unique_ptr<uint8_t[]> block;
    CExifReader reader;
    int count = 0;
};

// IFD0 with two entries, IFD1 with one, an Exif IFD with one.
TiffBuilder SmallBlock(bool bigEndian) {
    TiffBuilder builder(bigEndian);
    builder.Ascii(TiffBuilder::kIfd0, kMake, "Maker").Short(TiffBuilder::kIfd0, kOrientation, 6);
    builder.Short(TiffBuilder::kIfd1, 259, 6).Short(TiffBuilder::kExif, 0x8822, 2);
    return builder;
}

} // namespace

TEST(IfdReader, HeaderDecidesByteOrderAndFailures) {
    for (bool big : {false, true}) {
        Parsed parsed(SmallBlock(big).Build());
        // IFD0 chain yields IFD1's count (1), the Exif walk 1.
        EXPECT_EQ(parsed.count, 2);
        EXPECT_EQ(parsed.reader.BigEndian(), big);
        ASSERT_NE(parsed.reader.FindTag(kOrientation), nullptr);
        EXPECT_EQ(parsed.reader.GetShort(*parsed.reader.FindTag(kOrientation)), 6);
        EXPECT_EQ(parsed.reader.Entries().size(), 5u); // 3 in IFD0 with the Exif pointer
    }
    std::vector<uint8_t> good = SmallBlock(false).Build();
    auto broken = [&](size_t at, uint8_t value) {
        std::vector<uint8_t> copy = good;
        copy[at] = value;
        return Parsed(copy).count;
    };
    EXPECT_EQ(broken(0, 'X'), 0);
    EXPECT_EQ(broken(1, 'M'), 0);  // "IM"
    EXPECT_EQ(broken(2, 43), 0);   // not 42
    EXPECT_EQ(broken(7, 0x80), 0); // IFD0 far outside
    EXPECT_EQ(Parsed(std::vector<uint8_t>(good.begin(), good.begin() + 7)).count, 0);
    EXPECT_EQ(Parsed({}).count, 0);
}

TEST(IfdReader, ShortValuesLiveInTheValueField) {
    TiffBuilder builder(true);
    builder.Shorts(TiffBuilder::kIfd0, kBitsPerSample, {8, 16});
    builder.Ascii(TiffBuilder::kIfd0, kMake, "abc").Ascii(TiffBuilder::kIfd0, kModel, "abcd");
    Parsed parsed(builder.Build());
    const CExifReader& reader = parsed.reader;
    // The table starts at 10; entry i's value field at 10 + 12 i + 8.
    const CIfdEntry* bits = reader.FindTag(kBitsPerSample);
    const CIfdEntry* make = reader.FindTag(kMake);
    const CIfdEntry* model = reader.FindTag(kModel);
    ASSERT_TRUE(bits && make && model);
    EXPECT_EQ(reader.ValueBytes(*bits), parsed.block.get() + 18);
    EXPECT_EQ(reader.ValueBytes(*make), parsed.block.get() + 30);
    EXPECT_EQ(reader.ValueBytes(*model), parsed.block.get() + 42 + 8); // after the table
    EXPECT_EQ(reader.GetValueAt(*bits, 0), 8u);
    EXPECT_EQ(reader.GetValueAt(*bits, reader.TypeSize(*bits)), 16u);
    EXPECT_EQ(reader.GetValueAt(*bits, 4), 0u); // past the value field
    EXPECT_EQ(reader.GetText(*make), "abc");
    EXPECT_EQ(reader.GetText(*model), "abcd");
    EXPECT_EQ(reader.GetRational(*bits), 0.0); // too few bytes for a rational
}

TEST(IfdReader, ReadsTheInteropIfdInsideTheExifIfd) {
    Parsed parsed(ExifBlockOf("canon_40d.jpg"));
    const CIfdEntry* index = parsed.reader.FindTag(1);
    const CIfdEntry* version = parsed.reader.FindTag(2);
    ASSERT_TRUE(index && version);
    EXPECT_EQ(parsed.reader.GetText(*index), "R98");
    EXPECT_EQ(parsed.reader.GetText(*version), "0100");
}

TEST(IfdReader, Ifd1TablePastTheEndFailsButKeepsIfd0) {
    TiffBuilder builder(false);
    builder.Ascii(TiffBuilder::kIfd0, kMake, "Maker").Short(TiffBuilder::kIfd1, 259, 6);
    std::vector<uint8_t> block = builder.Build();
    block.resize(block.size() - 3); // cut into IFD1's next-IFD field
    Parsed parsed(block);
    EXPECT_EQ(parsed.count, 0);
    ASSERT_NE(parsed.reader.FindTag(kMake), nullptr);
    EXPECT_EQ(parsed.reader.GetText(*parsed.reader.FindTag(kMake)), "Maker");
}

TEST(IfdReader, HostileOffsetsAreIgnored) {
    TiffBuilder builder(true);
    builder.Ascii(TiffBuilder::kIfd0, kMake, "Long maker name");
    builder.Short(TiffBuilder::kIfd0, kOrientation, 3);
    builder.Add(TiffBuilder::kIfd0, 0x9999, kTiffDouble, 0x20000000, {}); // 4 GiB of doubles
    builder.Add(TiffBuilder::kIfd0, 0x9998, kTiffRational, 0xFFFFFFFF, {});
    const std::vector<uint8_t> good = builder.Build();
    const uint32_t next = 8 + 2 + 12 * 4; // IFD0's next-IFD field

    std::vector<uint8_t> block = good;
    builder.PutU32(block, 8 + 2 + 8, 0xFFFFFFF0); // Make's value far outside
    Parsed outside(block);
    EXPECT_EQ(outside.count, 4); // the declared count of IFD0
    EXPECT_EQ(outside.reader.FindTag(kMake), nullptr);
    EXPECT_EQ(outside.reader.FindTag(0x9999), nullptr);
    EXPECT_EQ(outside.reader.FindTag(0x9998), nullptr);
    EXPECT_NE(outside.reader.FindTag(kOrientation), nullptr);

    for (uint32_t target : {0xFFFFFFFEu, uint32_t(good.size() - 1), 8u}) {
        block = good;
        builder.PutU32(block, next, target); // outside, or back to IFD0 itself
        Parsed parsed(block);
        EXPECT_EQ(parsed.count, 4) << target;
        EXPECT_EQ(parsed.reader.Entries().size(), 2u) << target;
    }
}

TEST(IfdReader, CyclesAndOverlapsEnd) {
    // The Exif IFD points back to IFD0 and to itself; IFD0's chain leads to the Exif IFD.
    TiffBuilder builder(false);
    builder.Short(TiffBuilder::kIfd0, kOrientation, 1).Short(TiffBuilder::kExif, kTagExifIfd, 8);
    builder.Short(TiffBuilder::kExif, kTagSubIfds, 0);
    std::vector<uint8_t> block = builder.Build();
    const uint32_t exif = builder.DirectoryOffset(TiffBuilder::kExif);
    builder.PutU32(block, exif + 2 + 12 + 8, exif);
    builder.PutU32(block, 8 + 2 + 24, exif); // IFD0's next: the Exif IFD
    Parsed parsed(block);
    EXPECT_EQ(parsed.reader.Entries().size(), 4u);

    // Entry j of IFD0 is a SubIFDs pointer to 20 + 12 j: the last two bytes of its own value
    // field, which read (big-endian) as a count of 20 + 12 j entries, starting with entry
    // j + 1. Each directory overlaps the others; unchecked, the list would grow with the square
    // of the block's size. It stays within size / 12 entries.
    TiffBuilder overlapping(true);
    for (uint32_t j = 0; j < 100; ++j)
        overlapping.Add(TiffBuilder::kIfd0, kTagSubIfds, kTiffLong, 1,
                        overlapping.U32(20 + 12 * j));
    block = overlapping.Build();
    block.resize(16000, 0);
    Parsed overlapped(block);
    EXPECT_GT(overlapped.reader.Entries().size(), 1000u);
    EXPECT_LE(overlapped.reader.Entries().size(), block.size() / 12);
}

TEST(IfdReader, FileFormMatchesMemoryForm) {
    TempDir dir;
    for (const char* name : {"canon_40d.jpg", "canon_40d_mm.jpg", "fujifilm_finepix_e500.jpg"}) {
        const std::vector<uint8_t> block = ExifBlockOf(name);
        ASSERT_FALSE(block.empty()) << name;
        Parsed memory(block);
        const std::string path = dir.Write("exif.tif", std::string(block.begin(), block.end()));
        CIfdReader file;
        EXPECT_EQ(file.ParseTiffFile(path), memory.count) << name;
        ASSERT_EQ(file.Entries().size(), memory.reader.Entries().size()) << name;
        EXPECT_GT(memory.reader.Entries().size(), 20u) << name;
        for (size_t i = 0; i < file.Entries().size(); ++i) {
            const CIfdEntry& a = file.Entries()[i];
            const CIfdEntry& b = memory.reader.Entries()[i];
            EXPECT_EQ(a.Tag(), b.Tag());
            EXPECT_EQ(a.Count(), b.Count());
            ASSERT_EQ(a.ValueSize(), b.ValueSize());
            EXPECT_EQ(std::memcmp(a.Value(), b.Value(), a.ValueSize()), 0) << a.Tag();
        }
    }
    CIfdReader missing;
    EXPECT_EQ(missing.ParseTiffFile(dir.File("absent.tif")), -1);
}
