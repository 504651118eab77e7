#include "jpegtools/MarkerTreeModel.h"
#include "base/HeadlessPlatform.h"
#include "base/StringTable.h"
#include "jpegtools/SegmentHexText.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

const std::string kMarkersDir = std::string(TEST_DATA_DIR) + "/markers/";

std::string Segment(uint8_t code, const std::string& payload) {
    const size_t length = payload.size() + 2;
    return std::string{'\xFF', static_cast<char>(code), static_cast<char>(length >> 8),
                       static_cast<char>(length)} +
           payload;
}

const std::string kSoi("\xFF\xD8", 2);
const std::string kEoi("\xFF\xD9", 2);
const std::string kScan = Segment(0xDA, std::string("\x01\x01\x00\x00\x3F\x00", 6)) + "\x12\x34";

// Texts of a node and its descendants, one per line, children indented by two spaces.
std::string Outline(const MarkerNode& node, int depth = 0) {
    std::string text = std::string(depth * 2, ' ') + node.text + "\n";
    for (const MarkerNode& child : node.children)
        text += Outline(child, depth + 1);
    return text;
}

// Answers every question with answer and records the texts asked.
struct Questions {
    Answer answer = Answer::Yes;
    std::vector<std::string> asked;
    CMarkerTreeModel::Ask Ask() {
        return [this](const std::string& text, Buttons) {
            asked.push_back(text);
            return answer;
        };
    }
};

class MarkerTreeModelTest : public ::testing::Test {
protected:
    void SetUp() override { Headless().ClearMessages(); }
    void TearDown() override { Headless().ClearMessages(); }

    // Loads bytes written as a file of the given name.
    CMarkerTreeModel& Load(const std::string& bytes, const std::string& name = "test.jpg") {
        path_ = dir_.Write(name, bytes);
        EXPECT_TRUE(model_.Load(path_));
        return model_;
    }
    // The file after a confirmed save, which must succeed.
    std::string SaveConfirmed() {
        Questions yes;
        EXPECT_EQ(model_.SaveAndReload(dir_.Path(), yes.Ask()),
                  CMarkerTreeModel::SaveResult::Saved);
        EXPECT_EQ(yes.asked, std::vector<std::string>{LoadString(StringId::SaveMarkersQuestion)});
        return TempDir::Read(path_);
    }

    TempDir dir_;
    std::string path_;
    CMarkerTreeModel model_;
};

TEST_F(MarkerTreeModelTest, ShortSegmentsShowOnlyTheFieldsTheyHold) {
    const std::string frame("\x08\x00\x10\x00\x20\x02\x01\x21\x00\x02", 10); // component 2 cut
    CMarkerTreeModel& model = Load(
        kSoi + Segment(0xE0, std::string("JFIF\0\x01\x02\x01\0\x48", 10)) + Segment(0xC0, frame) +
        Segment(0xDD, "\x01") + Segment(0xDB, std::string("\x00\x01\x02", 3)) + kEoi);
    ASSERT_EQ(model.ItemCount(), 6u);
    EXPECT_EQ(Outline(model.Item(1)), "APP0(14)\n  JFIF1.2\n");
    EXPECT_EQ(Outline(model.Item(2)),
              "SOF0  (Baseline DCT/Huffman)(14)\n  Precision=8bit\n  Rows=16\n  Columns=32\n"
              "  Number of components=2\n  Component #1\n    H:V=(2:1)\n"
              "    Quantization Table ID=0\n");
    EXPECT_EQ(Outline(model.Item(3)), "DRI   (Number of restart interval)(5)\n");
    EXPECT_EQ(Outline(model.Item(4)),
              "DQT   (Quantization table)(7)\n  Precision=0(8bit) Table ID=0\n");
    EXPECT_FALSE(model.Tables().HasTable(0));
    EXPECT_EQ(model.Tables().QualityLabel(0), "N/A");
}

TEST_F(MarkerTreeModelTest, CommentsDhtAndUnknownPrecision) {
    const std::string counts =
        std::string(1, '\x00') + std::string("\x02", 1) + std::string(14, '\0');
    const std::string dht = std::string(1, '\x00') + counts + "\x01\x02" + "\x11" + counts + "\x03";
    CMarkerTreeModel& model =
        Load(kSoi + Segment(0xFE, "\x93\xfa\x96\x7b\x8c\xea") + Segment(0xFE, "") +
             Segment(0xC4, dht) + Segment(0xDB, std::string("\x21\x05", 2)) + kScan + kEoi);
    EXPECT_EQ(Outline(model.Item(1)),
              "COM   (Comment)(10)\n  (shift_jis) \x93\xfa\x96\x7b\x8c\xea\n");
    EXPECT_EQ(model.Item(1).children[0].offset, 4u);
    EXPECT_EQ(model.Item(1).children[0].count, 6u);
    EXPECT_EQ(Outline(model.Item(2)), "COM   (Comment)(4)\n  (us-ascii) \n");
    // The second table lacks one of its two values: its data node is left out.
    EXPECT_EQ(Outline(model.Item(3)), "DHT   (Huffman table)(41)\n  Class=0(DC) Index=0\n"
                                      "   HT data(18)\n  Class=1(AC) Index=1\n");
    EXPECT_EQ(Outline(model.Item(4)),
              "DQT   (Quantization table)(6)\n  Precision=2(?) Table ID=1\n");
    EXPECT_EQ(Outline(model.Item(5)), "SOS   (Start of scan)(10)\n  Components=1\n  Component #1\n"
                                      "    Coding table (DC=0 AC=0)\n"
                                      "  Spectral selection Ss-Se(0-63)\n"
                                      "  Spectral selection Ah-Al(0-0)\n");
    EXPECT_EQ(model.Item(6).text, "Scan data(2)");
}

TEST_F(MarkerTreeModelTest, QuantizationTablesAreDrawnInNaturalOrder) {
    CMarkerTreeModel& model = Load(TempDir::Read(kMarkersDir + "testorig.jpg"));
    EXPECT_EQ(model.Tables().Table(0), MakeQualityTable(0, 75));
    EXPECT_EQ(model.Tables().Table(1), MakeQualityTable(1, 75));
    EXPECT_EQ(model.Tables().QualityLabel(0), "Qf=88.9");

    // 16-bit values are scaled to 8 bits with rounding: 0x017F -> 1, 0x0180 -> 2.
    std::string table16(128, '\0');
    table16[0] = '\x01', table16[1] = '\x7F'; // zigzag 0: natural 0
    table16[4] = '\x01', table16[5] = '\x80'; // zigzag 2: natural 8
    table16[126] = '\xFF', table16[127] = '\xFF';
    Load(kSoi + Segment(0xDB, "\x11" + table16) + kEoi);
    const QuantTable& table = model.Tables().Table(1);
    EXPECT_EQ(table[0], 1);
    EXPECT_EQ(table[8], 2);
    EXPECT_EQ(table[63], 256);
    EXPECT_FALSE(model.Tables().HasTable(0));
}

TEST_F(MarkerTreeModelTest, HexTextAndSelection) {
    CMarkerTreeModel& model = Load(TempDir::Read(kMarkersDir + "testorig.jpg"));
    const size_t frame = 4;
    ASSERT_EQ(model.Item(frame).text, "SOF0  (Baseline DCT/Huffman)(19)");
    const std::string hex = model.HexText(frame);
    EXPECT_EQ(hex, "ff c0 00 11 08 00 95 00 e3 03 01 22 00 02 11 01 \r\n03 11 01 \r\n");
    const MarkerNode& rows = model.Item(frame).children[1];
    ASSERT_EQ(rows.text, "Rows=149");
    TextRange range = HexSelection(rows.offset, rows.count, hex.size());
    EXPECT_EQ(hex.substr(range.start, range.end - range.start), "00 95");
    const MarkerNode& lastComponent = model.Item(frame).children[6];
    range = HexSelection(lastComponent.offset, lastComponent.count, hex.size());
    EXPECT_EQ(hex.substr(range.start, range.end - range.start), "03 11 01");
    EXPECT_EQ(model.HexText(model.ItemCount() - 2), "(scan data...)");

    EXPECT_EQ(ParseHexText("ff d8\r\n0x1A2b,g7 ;\n123"),
              (std::vector<uint8_t>{0xFF, 0xD8, 0x00, 0x2B, 0x07, 0x23}));
}

TEST_F(MarkerTreeModelTest, EditLengthQuestion) {
    const std::string original = TempDir::Read(kMarkersDir + "testorig.jpg");
    CMarkerTreeModel& model = Load(original);
    const size_t frame = 4;
    std::string shorter = model.HexText(frame);
    shorter.resize(shorter.size() - 5); // drops the last byte "01"
    Questions cancel{Answer::Cancel, {}};
    EXPECT_FALSE(model.ApplyEdit(frame, shorter, cancel.Ask()));
    EXPECT_EQ(cancel.asked, std::vector<std::string>{LoadString(StringId::LengthMismatchQuestion)});
    EXPECT_FALSE(model.IsModified());

    Questions no{Answer::No, {}};
    ASSERT_TRUE(model.ApplyEdit(frame, shorter, no.Ask()));
    EXPECT_EQ(model.Item(frame).text, "SOF0  (Baseline DCT/Huffman)(19)");
    EXPECT_TRUE(model.Item(frame).children.empty()); // it holds fewer bytes than it claims
    Questions yes;
    ASSERT_TRUE(model.ApplyEdit(frame, shorter, yes.Ask()));
    EXPECT_EQ(model.Item(frame).text, "SOF0  (Baseline DCT/Huffman)(18)");
    EXPECT_EQ(model.HexText(frame),
              "ff c0 00 10 08 00 95 00 e3 03 01 22 00 02 11 01 \r\n03 11 \r\n");
    EXPECT_TRUE(model.IsModified());

    // Written: the segment edited in place of the old one, one byte shorter.
    const std::string saved = SaveConfirmed();
    const size_t at = original.find("\xFF\xC0");
    EXPECT_EQ(saved, original.substr(0, at) + std::string("\xFF\xC0\x00\x10", 4) +
                         original.substr(at + 4, 14) +
                         original.substr(at + 19, original.rfind("\xFF\xD9") + 2 - at - 19));
    EXPECT_FALSE(model.IsModified());
    EXPECT_EQ(model.Item(frame).text, "SOF0  (Baseline DCT/Huffman)(18)");
}

TEST_F(MarkerTreeModelTest, InsertDeleteAndEmptyEditAreWritten) {
    const std::string app1 = Segment(0xE1, "Exif");
    CMarkerTreeModel& model = Load(kSoi + app1 + kScan + kEoi);
    ASSERT_TRUE(model.InsertComment(0));
    EXPECT_EQ(model.Item(1).text, "COM   (Comment)(4)");
    EXPECT_EQ(model.HexText(1), "ff fe 00 02 \r\n");
    ASSERT_TRUE(model.DeleteSegment(2)); // APP1
    ASSERT_TRUE(model.InsertComment(1));
    ASSERT_TRUE(model.ApplyEdit(2, "ff fe 00 04 41 42", Questions().Ask()));
    ASSERT_TRUE(model.InsertComment(model.ItemCount() - 1));
    ASSERT_TRUE(model.ApplyEdit(model.ItemCount() - 1, "xyz ?!", Questions().Ask()));
    EXPECT_EQ(model.Item(model.ItemCount() - 1).text, "Unknown(0)");
    ASSERT_TRUE(
        model.ApplyEdit(model.ItemCount() - 3, "ff d9", Questions().Ask())); // the scan data
    EXPECT_EQ(SaveConfirmed(), kSoi + Segment(0xFE, "") + Segment(0xFE, "AB") +
                                   Segment(0xDA, std::string("\x01\x01\x00\x00\x3F\x00", 6)) +
                                   kEoi + kEoi);
}

TEST_F(MarkerTreeModelTest, FailedSaveLeavesTheFileAsItWas) {
    const std::string original = kSoi + Segment(0xFE, "keep") + kScan + kEoi;
    CMarkerTreeModel& model = Load(original);
    Questions no{Answer::No, {}};
    EXPECT_EQ(model.SaveAndReload(dir_.Path(), no.Ask()), CMarkerTreeModel::SaveResult::Declined);
    EXPECT_TRUE(no.asked.empty()); // nothing edited yet: nothing to ask

    ASSERT_TRUE(model.DeleteSegment(1));
    EXPECT_EQ(model.SaveAndReload(dir_.Path(), no.Ask()), CMarkerTreeModel::SaveResult::Declined);
    EXPECT_EQ(TempDir::Read(path_), original);

    Questions yes;
    const std::string missingDir = dir_.File("absent");
    EXPECT_EQ(model.SaveAndReload(missingDir, yes.Ask()), CMarkerTreeModel::SaveResult::Failed);
    ASSERT_EQ(Headless().Messages().size(), 1u);
    EXPECT_EQ(Headless().Messages()[0].text,
              "Save:" + LoadString(StringId::NoTempFile) + "\n" + missingDir);

    // The file changed under the editor: its list no longer fits, nothing is written.
    const std::string changed = original.substr(0, 10);
    dir_.Write("test.jpg", changed);
    const std::string tempDir = dir_.File("temp");
    std::filesystem::create_directory(tempDir);
    Headless().ClearMessages();
    EXPECT_EQ(model.SaveAndReload(tempDir, yes.Ask()), CMarkerTreeModel::SaveResult::Failed);
    EXPECT_EQ(TempDir::Read(path_), changed);
    ASSERT_EQ(Headless().Messages().size(), 1u);
    EXPECT_EQ(Headless().Messages()[0].text.rfind(
                  "CreateTemp:" + LoadString(StringId::NoTempFile) + "\n", 0),
              0u);
    EXPECT_TRUE(std::filesystem::is_empty(tempDir)); // the temporary file is not left behind
    EXPECT_TRUE(model.IsModified());
}

TEST_F(MarkerTreeModelTest, PngIsReadOnlyAndNeedsItsSignature) {
    const std::string png = TempDir::Read(kMarkersDir + "tbbn3p08.png");
    CMarkerTreeModel& model = Load(png, "picture.PNG");
    EXPECT_TRUE(model.IsPng());
    ASSERT_EQ(model.ItemCount(), 7u);
    EXPECT_EQ(model.HexText(0).substr(0, 24), "00 00 00 0d 49 48 44 52 ");
    EXPECT_EQ(model.HexText(5), "(scan data...)");
    EXPECT_FALSE(model.InsertComment(0));
    EXPECT_FALSE(model.DeleteSegment(0));
    EXPECT_FALSE(model.ApplyEdit(0, "00", Questions().Ask()));
    EXPECT_FALSE(model.IsModified());

    Load(kSoi + kEoi, "named.png"); // not a PNG: nothing at all
    EXPECT_FALSE(model.IsPng());
    EXPECT_EQ(model.ItemCount(), 0u);
    Load(png, "named.jpg"); // split as a JPEG by its name
    EXPECT_FALSE(model.IsPng());
    EXPECT_GT(model.ItemCount(), 0u);
}

TEST_F(MarkerTreeModelTest, UnopenableFileIsReported) {
    CMarkerTreeModel model;
    EXPECT_FALSE(model.Load(dir_.File("absent.jpg")));
    EXPECT_EQ(model.ItemCount(), 0u);
    ASSERT_EQ(Headless().Messages().size(), 1u);
    EXPECT_EQ(Headless().Messages()[0].text,
              "JpegMarker:" + LoadString(StringId::CannotOpen) + "\n" + dir_.File("absent.jpg"));
}

} // namespace

TEST(SegmentHexText, LineFeedPositionsLongLinesAndTheTypingLimit) {
    const std::string hex = "ff c0 00 11 08 00 95 00 e3 03 01 22 00 02 11 01 \r\n03 11 01 \r\n";
    const TextRange range = LineFeedRange(hex, HexSelection(16, 3, hex.size()));
    std::string lineFeedText = hex;
    std::erase(lineFeedText, '\r');
    EXPECT_EQ(lineFeedText.substr(range.start, range.end - range.start), "03 11 01");

    const std::string longLine = std::string(254, ' ') + "ab cd\n12";
    EXPECT_EQ(ParseHexText(longLine), (std::vector<uint8_t>{0x0A, 0x12}));

    EXPECT_EQ(CharactersOverLimit(10, 12, 11), 1u);
    EXPECT_EQ(CharactersOverLimit(200000, 200001, 65535), 1u); // the filled text stays
    EXPECT_EQ(CharactersOverLimit(200000, 199999, 65535), 0u);
    EXPECT_EQ(CharactersOverLimit(0, 200000, 65535), 134465u);
}
