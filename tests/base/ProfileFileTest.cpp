#include "base/ProfileFile.h"
#include "base/AtomicFile.h"
#include "support/TempDir.h"

#include <climits>
#include <gtest/gtest.h>
#include <sys/stat.h>

TEST(ProfileFile, LookupIgnoresCaseAndKeepsForeignLines) {
    ProfileFile profile;
    profile.Parse("; note\n[Default]\nparam1 = 90\nName=a=b\n\n[Other]\nx=1\n");
    EXPECT_EQ(profile.GetInt("default", "PARAM1", 0), 90);
    EXPECT_EQ(profile.GetString("DEFAULT", "name", ""), "a=b");
    EXPECT_EQ(profile.GetInt("default", "missing", 7), 7);
    profile.WriteInt("default", "New", 5);
    profile.WriteInt("DEFAULT", "Param1", 91);
    EXPECT_EQ(profile.Text(), "; note\n[Default]\nparam1=91\nName=a=b\nNew=5\n\n[Other]\nx=1\n");
}

TEST(ProfileFile, IntegersReadLikeTheProfileFunctions) {
    EXPECT_EQ(ParseProfileInt("-2147483648"), INT_MIN);
    EXPECT_EQ(ParseProfileInt(" 12abc"), 12);
    EXPECT_EQ(ParseProfileInt("abc"), 0);
    EXPECT_EQ(ParseProfileInt("99999999999999999999"), INT_MAX);
    EXPECT_EQ(ParseProfileInt("-99999999999999999999"), INT_MIN);
}

TEST(ProfileFile, HostileTextNeverBreaksParsing) {
    std::string binary;
    for (int i = 0; i < 4096; ++i)
        binary += static_cast<char>(i * 37);
    binary += std::string(100000, 'k'); // one endless line
    binary += "\n[default\n[]\n=\n[x]\nk=v";
    ProfileFile profile;
    profile.Parse(binary);
    EXPECT_EQ(profile.GetString("x", "k", ""), "v");
    ProfileFile again;
    again.Parse(profile.Text());
    EXPECT_EQ(again.GetString("x", "k", ""), "v");
}

TEST(ProfileFile, SaveReplacesAtomicallyAndKeepsMode) {
    TempDir dir;
    std::string path = dir.Write("p.ini", "[a]\nk=1\n");
    chmod(path.c_str(), 0640);
    ProfileFile profile;
    ASSERT_TRUE(profile.Load(path));
    profile.WriteInt("a", "k", 2);
    ASSERT_TRUE(profile.Save(path));
    EXPECT_EQ(TempDir::Read(path), "[a]\nk=2\n");
    struct stat info {};
    stat(path.c_str(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

TEST(ProfileFile, FailedSaveLeavesTheOriginal) {
    TempDir dir;
    std::string blocker = dir.Write("file", "not a directory");
    EXPECT_FALSE(WriteFileAtomically(blocker + "/p.ini", "x"));
    EXPECT_EQ(TempDir::Read(blocker), "not a directory");
    ProfileFile missing;
    EXPECT_FALSE(missing.Load(dir.File("absent.ini")));
}
