// What the command line refuses, by command: the exit status, the one line on stderr, and the
// files left as they were.
#include "support/RunCli.h"

#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

const std::string kCanon = std::string(TEST_DATA_DIR) + "/exif/canon_40d.jpg";
const std::string kPng = std::string(TEST_DATA_DIR) + "/png/pngsuite/basn2c08.png";

class CliRefusal : public ::testing::Test {
protected:
    std::string Env() const { return "XDG_CONFIG_HOME=" + config.Path(); }
    CliResult Run(const std::vector<std::string>& args) const { return RunCli(args, Env()); }
    // A copy of the Canon JPEG in the work directory.
    std::string Photo(const std::string& name) const {
        return dir.Write(name, TempDir::Read(kCanon));
    }
    static std::string Usage(const std::string& message) {
        return "tolmena-cli: " + message + "; try 'tolmena-cli --help'\n";
    }

    TempDir config, dir;
};

} // namespace

TEST_F(CliRefusal, ImageCommandsReplaceTheirInputOnlyInPlace) {
    const std::string photo = Photo("a.jpg"), bytes = TempDir::Read(photo);
    const std::vector<std::vector<std::string>> commands = {
        {"convert", photo, photo},
        {"jpeg", photo, photo},
        {"resize", photo, photo, "10x10"},
        {"gamma", photo, photo, "--gamma", "2"},
        {"convert", photo, dir.Path() + "/./a.jpg"},
    };
    for (const auto& command : commands) {
        CliResult result = Run(command);
        EXPECT_EQ(result.status, 2) << command[0];
        EXPECT_EQ(result.err,
                  Usage(command[0] + ": OUT is the file IN; give --in-place to replace it"));
    }
    EXPECT_EQ(TempDir::Read(photo), bytes);

    CliResult inPlace = Run({"resize", "--in-place", photo, photo, "10x10"});
    EXPECT_EQ(inPlace.status, 0) << inPlace.err;
    EXPECT_EQ(Run({"describe", photo}).out.substr(0, 6), "10x10 ");
}

TEST_F(CliRefusal, NumbersOutOfRange) {
    const std::string photo = Photo("a.jpg"), out = dir.File("b.jpg");
    for (const char* gamma : {"nan", "inf", "-inf", "5"})
        EXPECT_EQ(Run({"gamma", photo, out, "--gamma", gamma}).err,
                  Usage("gamma: --gamma takes a number from 0.01 to 4.99"))
            << gamma;
    EXPECT_EQ(Run({"gamma", photo, out, "--contrast", "256"}).status, 2);
    EXPECT_EQ(Run({"gamma", photo, out, "--bias", "-300"}).status, 2);
    for (const char* size : {"0x0", "0x10", "10x0"})
        EXPECT_EQ(Run({"resize", photo, out, size}).err,
                  Usage("resize: the size is written WIDTHxHEIGHT, each from 1 up, e.g. 640x480"))
            << size;
    EXPECT_FALSE(fs::exists(out));
}

TEST_F(CliRefusal, SetChecksTypeAndRange) {
    const std::vector<std::pair<std::string, std::string>> refused = {
        {"Param1=abc", "--set Param1 takes a whole number from 0 to 100, not 'abc'"},
        {"Param1=-5", "--set Param1 takes a whole number from 0 to 100, not '-5'"},
        {"Param1=1e9", "--set Param1 takes a whole number from 0 to 100, not '1e9'"},
        {"UseCustomDQT=2", "--set UseCustomDQT takes 0 or 1, not '2'"},
        {"ScreenGamma=inf", "--set ScreenGamma takes a number above 0, not 'inf'"},
        {"bulkconv.SizeWidth=0",
         "--set bulkconv.SizeWidth takes a whole number from 1 to 65535, not '0'"},
        {"bulkfilter.RemoveCOM=yes", "--set bulkfilter.RemoveCOM takes 0 or 1, not 'yes'"},
        {"MemoryLimitMB=0",
         "--set MemoryLimitMB takes a whole number from 1 to 1073741824, not '0'"},
    };
    for (const auto& [assignment, message] : refused) {
        CliResult result = Run({"--set", assignment, "settings"});
        EXPECT_EQ(result.status, 2) << assignment;
        EXPECT_EQ(result.err, Usage(message));
    }
    EXPECT_EQ(Run({"--set", "Param1=100", "--set", "TempDir=/x", "settings"}).status, 0);
}

TEST_F(CliRefusal, ProfileMustExistExceptForSettingsSave) {
    const std::string profile = config.File("absent.ini");
    CliResult result = Run({"--profile", profile, "settings"});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.err, Usage("--profile: no profile file '" + profile + "'"));
    EXPECT_EQ(Run({"--profile", profile, "settings", "--save"}).status, 0);
    EXPECT_TRUE(fs::exists(profile));
    EXPECT_EQ(Run({"--profile", profile, "settings"}).status, 0);
}

TEST_F(CliRefusal, SettingsSaveWritesTheDefaultSectionOnly) {
    const std::string profile =
        config.Write("p.ini", "[bulkconv]\nSizeWidth=80\n[default]\nParam1=75\n");
    ASSERT_EQ(Run({"--profile", profile, "--set", "bulkconv.SizeWidth=160", "--set", "Param1=90",
                   "settings", "--save"})
                  .status,
              0);
    const std::string saved = TempDir::Read(profile);
    EXPECT_NE(saved.find("[bulkconv]\nSizeWidth=80\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("Param1=90\n"), std::string::npos);
}

TEST_F(CliRefusal, DqtLoadOfWhatHoldsNoTable) {
    CliResult directory = Run({"dqt", "--load", dir.Path()});
    EXPECT_EQ(directory.status, 1);
    EXPECT_EQ(directory.err,
              "tolmena-cli: " + dir.Path() + ": LoadDQT:Cannot open the file (Is a directory)\n");
    const std::string shortFile = dir.Write("short.dqt", "1, 2, 3\n");
    CliResult few = Run({"dqt", "--load", shortFile});
    EXPECT_EQ(few.status, 1);
    EXPECT_EQ(few.err,
              "tolmena-cli: " + shortFile + ": LoadDQT:3 values, fewer than the 64 of a table\n");
    EXPECT_EQ(few.out, "");
}

TEST_F(CliRefusal, MarkersReadsJpegAndPngOnly) {
    const std::string text = dir.Write("notes.jpg", "plain text");
    CliResult refused = Run({"markers", text});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "tolmena-cli: " + text + ": markers:not a JPEG or PNG file\n");

    std::string png = TempDir::Read(kPng);
    png[29] ^= 0x01; // the CRC of IHDR
    const std::string broken = dir.Write("broken.png", png);
    CliResult flagged = Run({"markers", broken});
    EXPECT_EQ(flagged.status, 1);
    EXPECT_EQ(flagged.err, "tolmena-cli: " + broken + ": markers:CRC error\n");
    EXPECT_EQ(flagged.out.substr(0, flagged.out.find('\n')), "IHDR(13) CRC error");
    EXPECT_EQ(flagged.out.find("CRC error", 20), std::string::npos); // the other chunks are sound
}

TEST_F(CliRefusal, ResizeAboveTheMemoryLimitFailsAtOnce) {
    const std::string photo = Photo("a.jpg"), out = dir.File("big.bmp");
    const auto start = std::chrono::steady_clock::now();
    CliResult result = Run({"--set", "MemoryLimitMB=64", "resize", photo, out, "60000x60000"});
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "tolmena-cli: " + photo +
                              ": Resize:needs 10300 MB, above the memory limit of 64 MB\n");
    EXPECT_FALSE(fs::exists(out));
}

TEST_F(CliRefusal, OptionsHelpAndTheEndOfOptions) {
    CliResult help = Run({"resize", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.substr(0, help.out.find('\n')),
              "Usage: tolmena-cli [--profile FILE] [--set KEY=VALUE]... resize [--in-place] IN "
              "OUT WIDTHxHEIGHT");
    EXPECT_EQ(Run({"describe", "--bogus", kCanon}).err,
              Usage("describe: unknown option '--bogus'"));
    Photo("-a.jpg");
    CliResult described =
        RunCli({"describe", "--", "-a.jpg"}, "cd " + ShellQuote(dir.Path()) + "; " + Env());
    EXPECT_EQ(described.status, 0) << described.err;
    EXPECT_EQ(described.out, "100x68 JFIF1.1(YCbCr) DS=1:1 Qf=80.6\n");
}
