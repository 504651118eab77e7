#include "support/RunCli.h"

#include <gtest/gtest.h>
#include <iconv.h>
#include <sstream>

namespace {

std::string Env(const TempDir& config) {
    return "XDG_CONFIG_HOME=" + config.Path();
}

std::string Line(const std::string& text, int index) {
    size_t start = 0;
    for (int i = 0; i < index; ++i)
        start = text.find('\n', start) + 1;
    return text.substr(start, text.find('\n', start) - start);
}

std::string Convert(const char* to, const std::string& utf8) {
    iconv_t cd = iconv_open(to, "UTF-8");
    std::string out(utf8.size() * 4 + 16, '\0');
    char* in = const_cast<char*>(utf8.data());
    size_t inLeft = utf8.size(), outLeft = out.size();
    char* outPtr = out.data();
    iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    iconv(cd, nullptr, nullptr, &outPtr, &outLeft);
    iconv_close(cd);
    out.resize(out.size() - outLeft);
    return out;
}

} // namespace

TEST(CliDqt, PrintsTablesAndQualityFigures) {
    TempDir config;
    CliResult fifty = RunCli({"dqt", "--quality", "50"}, Env(config));
    ASSERT_EQ(fifty.status, 0) << fifty.err;
    EXPECT_EQ(Line(fifty.out, 0), " 16, 11, 10, 16, 24, 40, 51, 61,");
    EXPECT_EQ(Line(fifty.out, 16), "Qf=77.7");
    EXPECT_EQ(Line(fifty.out, 17), "Qf=66.5");
    EXPECT_EQ(Line(RunCli({"dqt", "--quality", "75"}, Env(config)).out, 16), "Qf=88.9");
    CliResult best =
        RunCli({"dqt", "--quality", "100", "--save", config.File("best.dqt")}, Env(config));
    EXPECT_EQ(Line(best.out, 15), "  1,  1,  1,  1,  1,  1,  1,  1,");
    EXPECT_EQ(Line(best.out, 16), "Qf=100.0");
    CliResult loaded = RunCli({"dqt", "--load", config.File("best.dqt")}, Env(config));
    EXPECT_EQ(loaded.out, best.out);
}

TEST(CliDqt, FailuresAndUsage) {
    TempDir config;
    CliResult missing = RunCli({"dqt", "--load", "/nonexistent.dqt"}, Env(config));
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "tolmena-cli: /nonexistent.dqt: LoadDQT:Cannot open the file (No such "
                           "file or directory)\n");
    EXPECT_EQ(RunCli({"dqt", "--quality", "abc"}, Env(config)).status, 2);
    EXPECT_EQ(RunCli({"nosuchcommand"}, Env(config)).status, 2);
    EXPECT_EQ(RunCli({"--set", "NoSuchKey=1", "settings"}, Env(config)).status, 2);
    EXPECT_EQ(RunCli({"--help"}).status, 0);
}

TEST(CliSettings, DefaultsAndSaveReadBack) {
    TempDir config;
    CliResult fresh = RunCli({"settings"}, Env(config));
    ASSERT_EQ(fresh.status, 0);
    for (const char* line : {"Param1=75\n", "Param2=2\n", "DefaultGamma=0.454550\n",
                             "ScreenGamma=2.200000\n", "SaveConfig=1\n", "ZoomRate12=1600\n"})
        EXPECT_NE(fresh.out.find(line), std::string::npos) << line;
    EXPECT_FALSE(std::filesystem::exists(config.File("tolmena/tolmena.ini")));

    CliResult saved = RunCli({"--set", "Param1=90", "settings", "--save"}, Env(config));
    ASSERT_EQ(saved.status, 0);
    EXPECT_TRUE(std::filesystem::exists(config.File("tolmena/tolmena.ini")));
    CliResult reread = RunCli({"settings"}, Env(config));
    EXPECT_EQ(reread.out, saved.out);
    EXPECT_NE(reread.out.find("Param1=90\n"), std::string::npos);

    std::string other = config.File("other.ini");
    RunCli({"--profile", other, "--set", "Param3=1", "settings", "--save"}, Env(config));
    EXPECT_NE(TempDir::Read(other).find("Param3=1"), std::string::npos);
}

TEST(CliText, DetectsAndConverts) {
    TempDir dir;
    const std::string sentence = "日本語のコメントです。";
    struct Case {
        const char* iconvName;
        const char* detected;
    } cases[] = {{"CP932", "3 shift_jis\n"},
                 {"EUC-JP", "2 euc-jp\n"},
                 {"UTF-8", "4 utf-8\n"},
                 {"ISO-2022-JP", "1 iso-2022-jp\n"}};
    for (const Case& c : cases) {
        std::string path = dir.Write(c.iconvName, Convert(c.iconvName, sentence));
        CliResult detect = RunCli({"text", "--detect", path}, Env(dir));
        EXPECT_EQ(detect.out, c.detected) << c.iconvName;
        CliResult toUtf8 = RunCli({"--set", "AutoReadCharset=1", "text", path}, Env(dir));
        EXPECT_EQ(toUtf8.out, sentence) << c.iconvName;
    }
    std::string sjis = dir.Write("sjis", Convert("CP932", sentence));
    EXPECT_EQ(RunCli({"text", "--from", "3", "--to", "euc-jp", sjis}, Env(dir)).out,
              Convert("EUC-JP", sentence));
    EXPECT_EQ(RunCli({"text", "--to", "klingon", sjis}, Env(dir)).status, 2);
}

TEST(CliSettings, SectionListsKeysWithDefaultsAndMeanings) {
    TempDir config;
    CliResult conversion = RunCli(
        {"--set", "bulkconv.SizeWidth=160", "settings", "--section", "bulkconv"}, Env(config));
    ASSERT_EQ(conversion.status, 0) << conversion.err;
    EXPECT_NE(conversion.out.find("\nSizeWidth=160\tdefault: 80\tbase width (1-65535)\n"),
              std::string::npos)
        << conversion.out;
    CliResult filter = RunCli({"settings", "--section", "bulkfilter"}, Env(config));
    EXPECT_NE(filter.out.find("\nRemoveAPP15=1\tdefault: 1\tremove this APPn segment\n"),
              std::string::npos);
    CliResult main =
        RunCli({"--set", "Param1=90", "settings", "--section", "default"}, Env(config));
    EXPECT_EQ(Line(main.out, 7), "Param1=90\tdefault: 75\tJPEG quality (0-100)");
    EXPECT_EQ(RunCli({"settings", "--section", "other"}, Env(config)).status, 2);
}

TEST(CliSettings, SectionListsEveryKeyItReadsAndSavesWhatItLists) {
    TempDir config;
    const std::string profile = config.File("tolmena/tolmena.ini");
    CliResult listed = RunCli(
        {"--set", "bulkconv.FastShrink=1", "settings", "--section", "bulkconv"}, Env(config));
    EXPECT_NE(listed.out.find("\nKeepMetadata=0\tdefault: 0\ta JPEG output keeps"),
              std::string::npos)
        << listed.out;
    EXPECT_NE(listed.out.find("\nFastShrink=1\tdefault: 0\tdecode large JPEG"), std::string::npos);
    for (const char* section : {"default", "bulkconv", "bulkfilter"}) {
        std::istringstream lines(RunCli({"settings", "--section", section}, Env(config)).out);
        for (std::string line; std::getline(lines, line);)
            EXPECT_NE(line.back(), '\t') << section << ": no meaning for " << line;
    }

    CliResult saved =
        RunCli({"--set", "Param1=90", "--set", "bulkconv.FastShrink=1", "--set",
                "bulkconv.SizeWidth=160", "settings", "--section", "bulkconv", "--save"},
               Env(config));
    ASSERT_EQ(saved.status, 0) << saved.err;
    const std::string text = TempDir::Read(profile);
    EXPECT_NE(text.find("FastShrink=1"), std::string::npos) << text;
    EXPECT_NE(text.find("SizeWidth=160"), std::string::npos);
    EXPECT_EQ(text.find("Param1"), std::string::npos) << "only the section named is written";
    EXPECT_EQ(RunCli({"settings", "--section", "bulkconv"}, Env(config)).out,
              listed.out.replace(listed.out.find("SizeWidth=80"), 12, "SizeWidth=160"));
}
