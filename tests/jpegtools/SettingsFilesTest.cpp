// The settings files read through the codec: the custom quantization tables and the default
// comment.
#include "jpegtools/CommentFile.h"
#include "jpegtools/CommentPageSettings.h"
#include "jpegtools/CustomTables.h"
#include "jpegtools/DefaultComment.h"
#include "settings/SettingsStore.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

struct CustomTables : ::testing::Test {
    TempDir dir;
    SettingsStore store;
    // A fresh start: the profile and the custom tables beside it.
    void Load() {
        store = SettingsStore();
        UseProfile(store, dir.File("tolmena.ini"));
        LoadSettings(store);
        LoadCustomTables(store);
    }
    void Save() {
        SaveCustomTables(store);
        SaveSettings(store);
    }
};

} // namespace

TEST_F(CustomTables, ComeFromTheirFileAsFarAsItGoes) {
    std::string seventy;
    for (int i = 0; i < 70; ++i)
        seventy += "7,";
    dir.Write("tolmena.dqt", seventy + "\n");
    dir.Write("tolmena.ini", "[default]\nParam1=50\n");
    Load();
    EXPECT_EQ(store.customTables[0], 7);
    EXPECT_EQ(store.customTables[63], 7);
    EXPECT_EQ(store.customTables[64], 17); // chrominance at quality 50
    EXPECT_EQ(store.customDqtChanged, 0);

    store.customTables[0] = 3;
    Save(); // unchanged flag: the file stays
    EXPECT_EQ(TempDir::Read(dir.File("tolmena.dqt")), seventy + "\n");
    store.customDqtChanged = 1;
    store.saveConfig = 0;
    Save(); // saving switched off: the file stays too
    EXPECT_EQ(TempDir::Read(dir.File("tolmena.dqt")), seventy + "\n");
    store.saveConfig = 1;
    Save();
    Load();
    EXPECT_EQ(store.customTables[0], 3);
    EXPECT_EQ(store.customTables[64], 17);
}

// The tables are written before the profile at exit: on a first run the configuration folder
// does not exist yet.
TEST_F(CustomTables, AreSavedIntoAFolderMadeForThem) {
    store = SettingsStore();
    UseProfile(store, dir.File("config/tolmena/tolmena.ini"));
    LoadSettings(store);
    LoadCustomTables(store);
    store.customTables[0] = 3;
    store.customDqtChanged = 1;
    SaveCustomTables(store);
    EXPECT_EQ(TempDir::Read(dir.File("config/tolmena/tolmena.dqt")).substr(0, 4), "  3,");
}

TEST(CommentFile, DecodesByTheCharsetItsBytesShow) {
    const std::vector<uint16_t> a = {0x3042, '\r', '\n'};               // hiragana a, one line
    EXPECT_EQ(DecodeCommentFile("\xE3\x81\x82\n"), a);                  // UTF-8
    EXPECT_EQ(DecodeCommentFile("\xEF\xBB\xBF\xE3\x81\x82"), a);        // UTF-8 with its mark
    EXPECT_EQ(DecodeCommentFile("\x1B$B$\"\x1B(B\n"), a);               // ISO-2022-JP
    EXPECT_EQ(DecodeCommentFile("\xA4\xA2\r\n"), a);                    // EUC-JP
    EXPECT_EQ(DecodeCommentFile("\x82\xA0"), a);                        // Shift_JIS
    EXPECT_EQ(DecodeCommentFile("\xE3\x81\x82\xE3\x81"), std::nullopt); // a cut character
    EXPECT_EQ(DecodeCommentFile("caf\xE9\n"), std::nullopt);            // Latin-1: no Japanese code
}

TEST(DefaultComment, LinesEndInCrLfAndDecodeBySettings) {
    TempDir dir;
    EXPECT_EQ(DefaultCommentLines("a\nb\r\nc"), "a\r\nb\r\nc\r\n");
    EXPECT_EQ(DefaultCommentLines(std::string(300, 'x') + "\n"), std::string(300, 'x') + "\r\n");
    SettingsStore store;
    store.autoReadCharset = 1;
    LoadDefaultComment(store, dir.Write("c.txt", "\xA4\xA2\n")); // hiragana a in EUC-JP
    EXPECT_EQ(store.defaultCommentCharset, 2);
    EXPECT_EQ(store.defaultCommentText, "\x82\xA0\r\n");
    LoadDefaultComment(store, dir.File("missing.txt"));
    EXPECT_EQ(store.defaultCommentText, "");
}

TEST(DefaultComment, CommentPageReloadsByTheCharsetsItReplaces) {
    TempDir dir;
    SettingsStore store;
    store.readCharset = 2; // EUC-JP, as before the page's OK
    store.writeCharset = 1;
    CommentPageValues values;
    values.defaultCommentPath = dir.Write("c.txt", "\xA4\xA2\n");
    values.defaultComment = true;
    values.readCharset = 4; // UTF-8 from now on
    values.autoWriteCharset = true;
    StoreCommentPage(store, values);
    EXPECT_EQ(store.defaultCommentCharset, 2);
    EXPECT_EQ(store.defaultCommentText, "\x82\xA0\r\n");
    EXPECT_EQ(store.readCharset, 4);
    EXPECT_EQ(store.writeCharset, 1); // the list had no selection
    EXPECT_EQ(store.autoWriteCharset, 1);
    EXPECT_EQ(store.defaultComment, 1);
}
