#include "base/HeadlessPlatform.h"
#include "jpegtools/MarkerName.h"
#include "jpegtools/ReplaceFileViaTemp.h"
#include "jpegtools/SegmentTestSupport.h"

#include <cstring>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

// SOI, APP0 (18 bytes), COM "hi", DQT (6 bytes), SOS, scan data, EOI.
const std::string kFile =
    std::string("\xFF\xD8", 2) +
    std::string("\xFF\xE0\x00\x10JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00", 18) +
    std::string("\xFF\xFE\x00\x04hi", 6) + std::string("\xFF\xDB\x00\x04\x00\x07", 6) +
    std::string("\xFF\xDA\x00\x03\x01", 5) + "scan" + "\xFF\xD9";

std::unique_ptr<CMarkerSegment> Comment(const std::string& text) {
    return CMarkerSegment::MakeMarker(0xFE, reinterpret_cast<const uint8_t*>(text.data()),
                                      text.size());
}

} // namespace

TEST(SegmentList, FindMarkerWalksLikeACursor) {
    TempDir dir;
    SegmentList list = SplitJpegFile(dir.Write("a.jpg", kFile));
    ASSERT_EQ(Describe(list), "D8@0 E0@2:18 FE@20:6 DB@26:6 DA@32:5 D37,4 D9@41");
    auto position = list.begin();
    CMarkerSegment* found = FindMarker(list, position, 0xDB, 0xFE);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->offset, 20u);
    EXPECT_EQ(position->get()->offset, 26u); // left on the element after the one found
    found->flags |= SEG_DELETED;             // deleted records are still found
    position = list.begin();
    EXPECT_EQ(FindMarker(list, position, 0xFE), found);
    EXPECT_EQ(FindMarker(list, position, 0xFE), nullptr);
    EXPECT_EQ(position, list.end());
    // Code 0 as second code means "none": it does not match a record holding 0xFF 0x00.
    const uint8_t stuffed[2] = {0xFF, 0x00};
    list.push_front(std::make_unique<CMarkerSegment>(2, stuffed));
    position = list.begin();
    EXPECT_EQ(FindMarker(list, position, 0xD8)->offset, 0u);
    EXPECT_EQ(FindSegment(list, list.begin(), 0xC4), list.end());
}

TEST(SegmentList, EditsKeepFileRecordsInPlaceAndAreWrittenWhereTheyStand) {
    TempDir dir;
    const std::string path = dir.Write("a.jpg", kFile);
    SegmentList list = SplitJpegFile(path);
    auto com = FindSegment(list, list.begin(), 0xFE);
    auto replacement = ReplaceSegment(list, com, Comment("new text"));
    auto inserted = InsertSegmentAfter(list, replacement, Comment(""));
    DeleteSegment(list, FindSegment(list, list.begin(), 0xDB));
    EXPECT_EQ(Describe(list), "D8@0 E0@2:18 xFE@20:6 mFE:12 mFE:4 xDB@26:6 DA@32:5 D37,4 D9@41");
    // Deleting a record made in memory removes it.
    DeleteSegment(list, inserted);
    EXPECT_EQ(Describe(list), "D8@0 E0@2:18 xFE@20:6 mFE:12 xDB@26:6 DA@32:5 D37,4 D9@41");
    const std::string expected =
        kFile.substr(0, 20) + "\xFF\xFE" + std::string("\0\x0A", 2) + "new text" + kFile.substr(32);
    EXPECT_EQ(WriteToString(dir, path, list), expected);
    // An empty list gives an empty file.
    EXPECT_EQ(WriteToString(dir, path, SegmentList{}), "");
}

TEST(SegmentList, RecordsAndTheirFactory) {
    const uint8_t nine[9] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    EXPECT_EQ(CMarkerSegment(8, nine).flags, SEG_INLINE);
    CMarkerSegment large(9, nine);
    EXPECT_EQ(large.flags, 0);
    EXPECT_EQ(large.length, 9u);
    EXPECT_EQ(large.Bytes()[8], 9);
    EXPECT_EQ(large.Code(), -1);
    auto com = Comment("abc");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(com->Bytes()), com->ByteCount()),
              std::string("\xFF\xFE\x00\x05"
                          "abc",
                          7));
    EXPECT_EQ(com->LengthField(), 5);
    EXPECT_EQ(com->Code(), 0xFE);
    EXPECT_NE(Comment(std::string(65533, 'x')), nullptr);
    EXPECT_EQ(Comment(std::string(65534, 'x')), nullptr);
}

TEST(MarkerName, CoversEveryCodeFromC0ToFE) {
    EXPECT_STREQ(MarkerName(0xC0), "SOF0  (Baseline DCT/Huffman)");
    EXPECT_STREQ(MarkerName(0xCB), "SOF11 (Loseless/Arith)");
    EXPECT_STREQ(MarkerName(0xD3), "RST3");
    EXPECT_STREQ(MarkerName(0xDD), "DRI   (Number of restart interval)");
    EXPECT_STREQ(MarkerName(0xEF), "APP15");
    EXPECT_STREQ(MarkerName(0xFD), "JPG13");
    EXPECT_STREQ(MarkerName(0xFE), "COM   (Comment)");
    EXPECT_STREQ(MarkerName(0xBF), "");
    EXPECT_STREQ(MarkerName(0xFF), "");
    for (int code = 0xC0; code <= 0xFE; ++code)
        EXPECT_GT(std::strlen(MarkerName(code)), 2u);
}

TEST(ReplaceFileViaTemp, ReplacesContentsAndKeepsPermissionBits) {
    TempDir dir;
    const std::string target = dir.Write("photo.jpg", "old contents");
    chmod(target.c_str(), 0604);
    const std::string newFile = dir.Write("tlmn0001.jpg", std::string(200000, 'n'));
    Headless().ClearMessages();
    ASSERT_TRUE(ReplaceFileViaTemp(newFile, target));
    EXPECT_EQ(TempDir::Read(target), std::string(200000, 'n'));
    EXPECT_TRUE(std::filesystem::exists(newFile)); // the caller removes it
    struct stat info {};
    ASSERT_EQ(stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0604u);
    EXPECT_TRUE(Headless().Messages().empty());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 2);
}

TEST(ReplaceFileViaTemp, FailuresAreReportedAndLeaveTheTargetAlone) {
    TempDir dir;
    const std::string target = dir.Write("photo.jpg", "old contents");
    Headless().ClearMessages();
    EXPECT_FALSE(ReplaceFileViaTemp(dir.File("missing.jpg"), target));
    EXPECT_EQ(TempDir::Read(target), "old contents");
    ASSERT_EQ(Headless().Messages().size(), 1u);
    EXPECT_EQ(Headless().Messages()[0].text, "MoveTemp:中間ファイルが生成できません\n" + target);
    Headless().ClearMessages();
    EXPECT_FALSE(ReplaceFileViaTemp(target, dir.File("gone.jpg")));
    ASSERT_EQ(Headless().Messages().size(), 1u);
    EXPECT_EQ(Headless().Messages()[0].text.substr(0, 7), "Rename:");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
    Headless().ClearMessages();
}
