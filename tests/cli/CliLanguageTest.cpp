// The language of tolmena-cli's diagnostics and summaries follows the locale, while the log and
// the files written stay as they are.
#include "jpegtools/JpegCodecSupport.h"
#include "support/RunCli.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

constexpr const char* kJapanese = "LC_ALL=ja_JP.UTF-8";
constexpr const char* kEnglish = "LC_ALL=C";

bool HasJapanese(const std::string& text) {
    for (size_t i = 0; i + 2 < text.size(); ++i)
        if (static_cast<unsigned char>(text[i]) == 0xE3) return true; // kana and CJK punctuation
    return false;
}

class CliLanguage : public ::testing::Test {
protected:
    CliResult Run(const char* locale, std::vector<std::string> args) {
        return RunCli(args, std::string(locale) + " XDG_CONFIG_HOME=" + dir.File("config"));
    }
    TempDir dir;
};

TEST_F(CliLanguage, FailuresAndUsageErrorsFollowTheLocale) {
    const std::string text = dir.File("missing.jpg");
    const CliResult english = Run(kEnglish, {"describe", text});
    const CliResult japanese = Run(kJapanese, {"describe", text});
    EXPECT_EQ(english.status, japanese.status);
    EXPECT_FALSE(HasJapanese(english.err)) << english.err;
    EXPECT_TRUE(HasJapanese(japanese.err)) << japanese.err;
    EXPECT_NE(english.err.find("tolmena-cli: " + text + ": "), std::string::npos);
    EXPECT_NE(japanese.err.find("tolmena-cli: " + text + ": "), std::string::npos);

    EXPECT_EQ(Run(kEnglish, {"convert", text}).err,
              "tolmena-cli: convert: give IN and OUT; try 'tolmena-cli --help'\n");
    EXPECT_EQ(Run(kJapanese, {"convert", text}).err,
              "tolmena-cli: convert: IN と OUT を指定してください。'tolmena-cli --help' "
              "を参照してください\n");
    // A message inside another is translated too; what the user typed is not.
    EXPECT_EQ(Run("LANG=ja_JP.UTF-8 LC_ALL=", {"--set", "Nope=1", "settings"}).err,
              "tolmena-cli: 不明な設定 'Nope' です。'tolmena-cli --help' を参照してください\n");
}

TEST_F(CliLanguage, SummariesFollowTheLocaleAndTheLogDoesNot) {
    TestJpegRecipe recipe;
    recipe.width = recipe.height = 16;
    fs::create_directories(dir.File("src"));
    dir.Write("src/a.jpg", EncodeTestJpeg(recipe));
    dir.Write("src/b.jpg", "broken");
    std::map<std::string, std::string> logs;
    for (const char* locale : {kEnglish, kJapanese}) {
        const std::string dst = dir.File(locale == kEnglish ? "en" : "ja");
        const CliResult result =
            Run(locale, {"--set", "bulkconv.CreateLog=1", "batch-convert", dir.File("src"), dst});
        EXPECT_EQ(result.status, 1);
        if (locale == kEnglish)
            EXPECT_EQ(result.out,
                      "2 files processed\n1 of them failed (log: " + dst + "/blkcnv.htm)\n");
        else
            EXPECT_EQ(result.out, "2 個のファイルを処理しました\nうち 1 個は失敗しました(ログ: " +
                                      dst + "/blkcnv.htm)\n");
        std::string log = TempDir::Read(dst + "/blkcnv.htm");
        for (size_t at = log.find(dst); at != std::string::npos; at = log.find(dst, at))
            log.replace(at, dst.size(), "DST");
        logs[locale] = log;
    }
    EXPECT_FALSE(logs[kEnglish].empty());
    EXPECT_EQ(logs[kEnglish], logs[kJapanese]);
}

} // namespace
