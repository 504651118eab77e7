// batch-convert end to end over BMP files: summary, exit status, a full disk, Ctrl+C, the bar.
#include "core/DocFixture.h"
#include "support/RunCli.h"

#include <cstring>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

class BatchConvertCli : public DocTest {
protected:
    void SetUp() override {
        DocTest::SetUp();
        fs::create_directories(src);
        fs::create_directories(dst);
    }
    void Bmp(const std::string& name, int width, int height) {
        CImageDoc document{context};
        document.ReplaceImage(MakeImage(width, height, Gradient(width, height)));
        EXPECT_TRUE(document.SaveFile(src + "/" + name));
    }
    // The conversion keeps BMP files BMP, logging into log.htm.
    std::vector<std::string> Args(std::vector<std::string> extra = {}) {
        std::vector<std::string> args = {"--set", "bulkconv.StrExtFilter=.bmp", "--set",
                                         "bulkconv.ExtThrough=1"};
        args.insert(args.end(), extra.begin(), extra.end());
        args.insert(args.end(), {"batch-convert", "--log", log, src, dst});
        return args;
    }
    std::string Env() const { return "XDG_CONFIG_HOME=" + config.Path(); }
    std::string CommandLine() {
        std::string line = Env() + " " + ShellQuote(CLI_PATH);
        for (const std::string& arg : Args())
            line += " " + ShellQuote(arg);
        return line;
    }
    std::vector<std::string> Leftovers() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dst))
            if (entry.path().filename().string()[0] == '.')
                names.push_back(entry.path().filename());
        return names;
    }

    TempDir config;
    std::string src = dir.File("src"), dst = dir.File("dst"), log = dir.File("log.htm");
};

} // namespace

TEST_F(BatchConvertCli, PrintsTheSummaryAndFailsOnAnyFailure) {
    Bmp("a.bmp", 64, 48);
    Bmp("b.bmp", 64, 48);
    CliResult result = RunCli(Args(), Env());
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "2 files processed\n");
    EXPECT_EQ(result.err, ""); // no bar when stderr is not a terminal
    EXPECT_TRUE(fs::exists(dst + "/b.bmp"));

    std::ofstream(src + "/c.bmp") << "broken";
    result = RunCli(Args(), Env());
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "3 files processed\n1 of them failed (log: " + log + ")\n");
    // One line for the file, the reader's report; the log's own line is not repeated.
    EXPECT_EQ(result.err, "tolmena-cli: " + fs::canonical(src).string() +
                              "/c.bmp: LoadBmpFile:Cannot make the bitmap\n");
    // The decoder's report, which names no file, names the file it was reading.
    std::ofstream(src + "/e.jpg") << "not a JPEG";
    result = RunCli(Args({"--set", "bulkconv.StrExtFilter=.jpg"}), Env());
    EXPECT_NE(result.err.find("tolmena-cli: " + fs::canonical(src).string() + "/e.jpg: JPEGLIB:"),
              std::string::npos)
        << result.err;

    result = RunCli({"batch-convert", dir.File("missing"), dst}, Env());
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err,
              "tolmena-cli: " + dir.File("missing") +
                  ": BulkCnv:The source folder does not exist (No such file or directory)\n");
    EXPECT_EQ(RunCli({"batch-convert", src}, Env()).status, 2);
    EXPECT_EQ(RunCli({"--set", "bulkconv.Quality=1", "batch-convert", src, dst}, Env()).status, 2);
}

// "batch-convert photos photos": every output would be its own source; none is written.
TEST_F(BatchConvertCli, OneTreeForSourceAndDestinationLeavesEverySource) {
    Bmp("a.bmp", 640, 480);
    Bmp("b.bmp", 64, 48);
    const std::string a = TempDir::Read(src + "/a.bmp"), b = TempDir::Read(src + "/b.bmp");
    std::vector<std::string> args = Args();
    args.back() = src;
    CliResult result = RunCli(args, Env());
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "2 files processed\n2 of them failed (log: " + log + ")\n");
    const std::string root = fs::canonical(src).string();
    EXPECT_EQ(result.err, "tolmena-cli: " + root + "/a.bmp: BulkCnv:Cannot write (File exists)\n" +
                              "tolmena-cli: " + root +
                              "/b.bmp: BulkCnv:Cannot write (File exists)\n");
    EXPECT_EQ(TempDir::Read(src + "/a.bmp"), a);
    EXPECT_EQ(TempDir::Read(src + "/b.bmp"), b);
}

TEST_F(BatchConvertCli, AFullDiskKeepsTheFilesThatWereThere) {
    Bmp("a.bmp", 640, 480);
    Bmp("b.bmp", 8, 8);
    const std::string earlier = "the output of an earlier run";
    std::ofstream(dst + "/a.bmp") << earlier;
    // 4 KiB may be written per file: enough for b's output, not for a's.
    CliResult result = RunCli(Args({"--set", "bulkconv.NotEnlarge=1"}), "ulimit -f 8; " + Env());
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(TempDir::Read(dst + "/a.bmp"), earlier);
    EXPECT_TRUE(fs::exists(dst + "/b.bmp"));
    EXPECT_EQ(Leftovers(), std::vector<std::string>{});
    const std::string output = fs::canonical(dst).string() + "/a.bmp";
    EXPECT_NE(TempDir::Read(log).find("[Can't Save to " + output + "]"), std::string::npos);
    EXPECT_EQ(result.err.rfind("tolmena-cli: " + output + ": ", 0), 0u) << result.err;
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
}

TEST_F(BatchConvertCli, CtrlCEndsTheRunLikeTheAbortButton) {
    constexpr int kFiles = 400;
    for (int i = 0; i < kFiles; ++i)
        Bmp("f" + std::to_string(i) + ".bmp", 64, 48);
    // Interrupt once processing has begun (the log is opened then).
    std::string command;
    for (const std::string& arg : Args())
        command += " " + ShellQuote(arg);
    const std::string script = Env() + " " + ShellQuote(CLI_PATH) + command + " >" +
                               dir.File("out") + " 2>" + dir.File("err") + " & pid=$!; " +
                               "while [ ! -s " + log + " ]; do sleep 0.001; done; " +
                               "kill -INT $pid; wait $pid";
    const int raw = std::system(script.c_str());
    ASSERT_TRUE(WIFEXITED(raw));
    EXPECT_EQ(WEXITSTATUS(raw), 130);
    const std::string out = TempDir::Read(dir.File("out"));
    const int processed = std::atoi(out.c_str() + std::strlen("Interrupted: "));
    EXPECT_EQ(out, "Interrupted: " + std::to_string(processed) + " files processed\n");
    EXPECT_LT(processed, kFiles);
    const std::string text = TempDir::Read(log);
    EXPECT_EQ(text.substr(text.size() - 15), "</BODY></HTML>\n");
    EXPECT_EQ(Leftovers(), std::vector<std::string>{});
}

TEST_F(BatchConvertCli, DrawsABarOnATerminal) {
    Bmp("a.bmp", 8, 8);
    Bmp("b.bmp", 8, 8);
    std::string command;
    for (const std::string& arg : Args())
        command += " " + ShellQuote(arg);
    const std::string script = Env() + " script -qec " +
                               ShellQuote(ShellQuote(CLI_PATH) + command) + " /dev/null >" +
                               dir.File("tty");
    ASSERT_EQ(std::system(script.c_str()), 0);
    const std::string screen = TempDir::Read(dir.File("tty"));
    EXPECT_NE(screen.find("[########################] 2 / 2 "), std::string::npos) << screen;
    EXPECT_NE(screen.find("2 files processed"), std::string::npos);
}
