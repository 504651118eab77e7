#include "base/MemoryLimit.h"
#include "settings/ControlBarValues.h"
#include "settings/RecentFiles.h"
#include "settings/SettingKeys.h"
#include "settings/SettingOverride.h"
#include "settings/SettingsPageRules.h"
#include "settings/SettingsStore.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

struct Fixture : ::testing::Test {
    TempDir dir;
    SettingsStore store;
    void SetUp() override { UseProfile(store, dir.File("tolmena.ini")); }
    std::string Load() {
        store = SettingsStore();
        UseProfile(store, dir.File("tolmena.ini"));
        LoadSettings(store);
        return TempDir::Read(dir.File("tolmena.ini"));
    }
};

using Settings = Fixture;

} // namespace

TEST_F(Settings, FreshStartGivesDefaultsAndSavesEveryKey) {
    LoadSettings(store);
    EXPECT_EQ(store.param1, 75);
    EXPECT_EQ(store.param2, 2);
    EXPECT_EQ(store.param3, 0);
    EXPECT_EQ(store.saveConfig, 1);
    EXPECT_EQ(store.windowPosLeft, INT32_MIN);
    EXPECT_EQ(store.tempDir.back(), '/');
    EXPECT_EQ(store.zoomLabels[0], "10%");
    EXPECT_EQ(store.zoomLabels[11], "1600%");
    EXPECT_EQ(store.zoomTable[12], 0);
    ASSERT_TRUE(SaveSettings(store));
    std::string text = TempDir::Read(store.profilePath);
    EXPECT_EQ(text.rfind("[default]\nReadDir=.\nWriteDir=.\n", 0), 0u) << text;
    for (const char* line : {"SaveConfig=1\n", "DefaultGamma=0.454550\n", "ScreenGamma=2.200000\n",
                             "UseCustomDQT=0\nAllowExtSampling=0\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line;
    EXPECT_EQ(text.find("ZoomRate"), std::string::npos);
    // The PNG flags are written in their own order.
    EXPECT_LT(text.find("UseGammaCorrection"), text.find("UseTransparentOnLoad"));
}

TEST_F(Settings, SavedValuesReadBackIdentically) {
    LoadSettings(store);
    store.param1 = 90;
    store.screenGamma = 1.8;
    store.defaultCommentPath = "/home/u/コメント.txt";
    store.colorTransparent = 0x00FF8040;
    store.windowPosLeft = -20;
    store.recentFiles = {"/a.jpg", "/b.png"};
    SaveSettings(store);
    std::string first = TempDir::Read(store.profilePath);
    SettingsStore saved = store;
    Load();
    for (const SettingKey& key : SettingKeys())
        EXPECT_EQ(SettingText(store, key), SettingText(saved, key)) << key.name;
    EXPECT_EQ(store.recentFiles, saved.recentFiles);
    SaveSettings(store);
    EXPECT_EQ(TempDir::Read(store.profilePath), first);
}

// A line break in a text value would start a line of its own in the profile: another key.
TEST_F(Settings, NoTextValueBreaksItsLine) {
    LoadSettings(store);
    std::vector<const SettingKey*> texts;
    for (const SettingKey& key : SettingKeys())
        if (key.kind == SettingKey::Kind::String) texts.push_back(&key);
    ASSERT_GE(texts.size(), 5u);
    for (const SettingKey* key : texts)
        store.*key->stringMember = std::string(key->name) + "\r\nSaveConfig=0\n";
    ASSERT_TRUE(SaveSettings(store));
    const std::string text = Load();
    EXPECT_EQ(text.find('\r'), std::string::npos);
    EXPECT_EQ(text.find("\nSaveConfig=0"), std::string::npos) << text;
    EXPECT_EQ(store.saveConfig, 1);
    for (const SettingKey* key : texts)
        EXPECT_EQ(store.*key->stringMember, std::string(key->name) + "SaveConfig=0");
}

TEST_F(Settings, SavingSwitchedOffIsRemembered) {
    dir.Write("tolmena.ini", "[default]\nSaveConfig=1\nParam1=60\n[mine]\nk=v\n");
    Load();
    store.saveConfig = 0;
    store.param1 = 10;
    SaveSettings(store);
    EXPECT_EQ(TempDir::Read(store.profilePath),
              "[default]\nSaveConfig=0\nParam1=60\n[mine]\nk=v\n");
    Load();
    store.param1 = 20;
    SaveSettings(store); // stored 0: nothing is written at all
    EXPECT_EQ(TempDir::Read(store.profilePath),
              "[default]\nSaveConfig=0\nParam1=60\n[mine]\nk=v\n");
}

TEST_F(Settings, ZeroZoomRateEndsTheTable) {
    dir.Write("tolmena.ini", "[default]\nZoomRate5=0\n");
    Load();
    EXPECT_EQ(store.zoomTable[3], 50);
    EXPECT_EQ(store.zoomTable[4], 0);
    EXPECT_EQ(store.zoomTable[5], 200);
}

TEST(ControlBar, QualityIsClampedAndFieldRewritten) {
    SettingsStore store;
    EXPECT_EQ(CommitControlBar(store, "250", 3, 1), std::optional<std::string>("100"));
    EXPECT_EQ(store.param1, 100);
    EXPECT_EQ(store.param2, 3);
    EXPECT_EQ(store.param3, 1);
    EXPECT_EQ(CommitControlBar(store, "", -1, 0), std::nullopt);
    EXPECT_EQ(store.param1, 0);
    EXPECT_EQ(store.param2, -1);
    EXPECT_EQ(CommitControlBar(store, "3000000000", 0, 0), std::optional<std::string>("0"));
    EXPECT_EQ(CommitControlBar(store, "85", 0, 0), std::nullopt);
    EXPECT_EQ(store.param1, 85);
    EXPECT_EQ(CommitControlBar(store, "8x", 0, 0), std::nullopt);
    EXPECT_EQ(store.param1, 0);
}

TEST(SettingOverride, KnownKeysOnly) {
    SettingsStore store;
    std::string error;
    EXPECT_TRUE(ApplySettingOverride(store, "param1=90", error));
    EXPECT_EQ(store.param1, 90);
    EXPECT_TRUE(ApplySettingOverride(store, "ScreenGamma=1.5", error));
    EXPECT_DOUBLE_EQ(store.screenGamma, 1.5);
    EXPECT_FALSE(ApplySettingOverride(store, "NoSuchKey=1", error));
    EXPECT_FALSE(ApplySettingOverride(store, "Param1", error));
    EXPECT_FALSE(ApplySettingOverride(store, "bulkconv.Nothing=1", error));
    RegisterSectionKeys("bulkconv", {"SizeWidth"});
    EXPECT_TRUE(ApplySettingOverride(store, "bulkconv.sizewidth=160", error));
    EXPECT_EQ(store.profile.GetInt("bulkconv", "SizeWidth", 0), 160);
}

// Each key takes what the settings table stores in it; a refused value changes nothing.
TEST(SettingOverride, ValuesWithinTheirKeysRange) {
    SettingsStore store;
    std::string error;
    for (const char* refused :
         {"Param1=101", "Param1=", "Param1=7x", "Param2=5", "MaxMRU=10", "SaveConfig=-1",
          "ResolutionH=65536", "ScreenGamma=0", "ScreenGamma=nan",
          "DefaultPNGiTXTLang=ja\nSaveConfig=0", "TempDir=/tmp\r", "ZoomRate1=-1"})
        EXPECT_FALSE(ApplySettingOverride(store, refused, error)) << refused;
    EXPECT_EQ(store.param1, 75);
    EXPECT_EQ(error, "--set ZoomRate1 takes a whole number from 0 to 2147483647, not '-1'");
    for (const char* taken : {"Param1=0", "WindowPosLeft=-2147483648", "colorTransparent=16777215",
                              "DefaultGamma=0.45", "TempDir=/tmp"})
        EXPECT_TRUE(ApplySettingOverride(store, taken, error)) << taken;
    RegisterSectionKeys("bulkconv", {{"SizeWidth", WholeRule(1, 65535)}});
    EXPECT_FALSE(ApplySettingOverride(store, "bulkconv.SizeWidth=0", error));
    EXPECT_FALSE(store.profile.HasKey("bulkconv", "SizeWidth"));
    RegisterSectionKeys("bulkconv", {"LogPath"});
    EXPECT_FALSE(ApplySettingOverride(store, "bulkconv.LogPath=a\nSaveConfig=0", error));
    EXPECT_EQ(error, "--set bulkconv.LogPath takes text on one line, not 'a\nSaveConfig=0'");
}

// What the dialogs' fields take while the user types.
TEST(ValueRule, TypedTextIsTakenUnfinishedOrRefused) {
    const ValueRule quality = WholeRule(1, 100), gamma = PositiveRealRule();
    const struct {
        ValueRule rule;
        const char* text;
        Typed state;
    } cases[] = {
        {quality, "1", Typed::Taken},          {quality, " +100 ", Typed::Taken},
        {gamma, ".5", Typed::Taken},           {TextRule(), "ja", Typed::Taken},
        {quality, "", Typed::Unfinished},      {quality, "0", Typed::Unfinished},
        {gamma, "0.", Typed::Unfinished},      {WholeRule(-5, 5), "-", Typed::Unfinished},
        {quality, "abc", Typed::Refused},      {quality, "101", Typed::Refused},
        {quality, "-1", Typed::Refused},       {quality, "5.", Typed::Refused},
        {gamma, "1.2.3", Typed::Refused},      {WholeRule(-5, 5), "-6", Typed::Refused},
        {TextRule(), "ja\nx", Typed::Refused},
    };
    for (const auto& [rule, text, state] : cases)
        EXPECT_EQ(TypedState(rule, text), state) << text;
}

TEST(RecentFiles, NewestFirstWithoutDuplicates) {
    SettingsStore store;
    store.maxMRU = 2;
    LoadRecentFiles(store);
    AddRecentFile(store, "/a");
    AddRecentFile(store, "/b");
    AddRecentFile(store, "/a");
    AddRecentFile(store, "/c");
    EXPECT_EQ(store.recentFiles, (std::vector<std::string>{"/c", "/a"}));
}

TEST_F(Settings, RecentFileCountChangesAtTheNextStartAndClearingActsOnTheFileAtOnce) {
    dir.Write("tolmena.ini", "[Recent File List]\nFile1=/a\nFile2=/b\nFile3=/c\n[default]\n");
    Load();
    store.maxMRU = 1; // as the General page stores it
    AddRecentFile(store, "/d");
    EXPECT_EQ(store.recentFiles.size(), 4u);

    ClearRecentFiles(store);
    EXPECT_TRUE(store.recentFiles.empty());
    EXPECT_EQ(store.recentListCleared, 1);
    const std::string onDisk = TempDir::Read(store.profilePath);
    EXPECT_EQ(onDisk.find("File1"), std::string::npos) << onDisk;
    EXPECT_NE(onDisk.find("[default]"), std::string::npos);
}

TEST(SettingsPageRules, FieldsReadAsThePagesSay) {
    EXPECT_EQ(HistoryCountFromText("12"), 9);
    EXPECT_EQ(HistoryCountFromText("-3"), 0);
    EXPECT_EQ(HistoryCountFromText(" 4 "), 4);
    EXPECT_EQ(HistoryCountFromText("4x"), 0);
    EXPECT_EQ(SignedFieldValue("-72"), -72);
    EXPECT_EQ(SignedFieldValue("99999999999"), 0);
    EXPECT_EQ(SignedFieldValue(""), 0);
    EXPECT_DOUBLE_EQ(GammaFromText("abc"), 0.0);
    EXPECT_DOUBLE_EQ(GammaFromText(GammaText(0.45455)), 0.45455);
    EXPECT_EQ(GammaText(2.2), "2.200000");
    EXPECT_TRUE(DitherChoiceApplies(15) && DitherChoiceApplies(16));
    EXPECT_FALSE(DitherChoiceApplies(24) || DitherChoiceApplies(8));
}

TEST_F(Settings, MemoryLimitComesFromTheProfile) {
    const uint64_t machine = DefaultMemoryLimit();
    for (const auto& [line, limit] : std::vector<std::pair<std::string, uint64_t>>{
             {"MemoryLimitMB=64\n", uint64_t{64} << 20},
             {"MemoryLimitMB=0\n", machine}, // out of range: the default holds
             {"", machine}}) {
        SetMemoryLimit(1);
        std::ofstream(dir.File("tolmena.ini")) << "[default]\n" << line;
        Load();
        EXPECT_EQ(MemoryLimit(), limit) << line;
    }
    store.profile.WriteString("default", "MemoryLimitMB", "64");
    SaveSettings(store);
    Load();
    EXPECT_EQ(MemoryLimit(), uint64_t{64} << 20); // kept in the profile as it was
    SetMemoryLimit(machine);
}
