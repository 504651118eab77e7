// tolmena-cli filter: exit status, summary, progress only on a terminal, a full disk, Ctrl+C.
#include "jpegtools/JpegCodecSupport.h"
#include "support/RunCli.h"

#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <pty.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string Jpeg(int size) {
    TestJpegRecipe recipe;
    recipe.width = recipe.height = size;
    recipe.markers = {{0xFE, "comment"}};
    return EncodeTestJpeg(recipe);
}

// Runs tolmena-cli with the given stdout and stderr descriptors; returns its process id.
pid_t Spawn(const std::vector<std::string>& args, int out, int err, const std::string& config) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out, 1);
    posix_spawn_file_actions_adddup2(&actions, err, 2);
    std::vector<std::string> words = {CLI_PATH};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    std::string configVariable = "XDG_CONFIG_HOME=" + config;
    std::vector<char*> envp = {configVariable.data()};
    for (char** variable = environ; *variable; ++variable)
        if (std::strncmp(*variable, "XDG_CONFIG_HOME=", 16) != 0) envp.push_back(*variable);
    envp.push_back(nullptr);
    pid_t pid = -1;
    posix_spawn(&pid, CLI_PATH, &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

int ExitStatus(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class FilterCommand : public ::testing::Test {
protected:
    FilterCommand() {
        fs::create_directories(src);
        fs::create_directories(dst);
    }
    void Put(const std::string& name, const std::string& bytes) {
        std::ofstream(src + "/" + name, std::ios::binary) << bytes;
    }
    std::string Env(const std::string& prefix = "") const {
        return prefix + " XDG_CONFIG_HOME=" + dir.File("config");
    }

    TempDir dir;
    std::string src = dir.File("src"), dst = dir.File("dst");
};

} // namespace

TEST_F(FilterCommand, FiltersTreeAndPrintsSummary) {
    Put("a.jpg", Jpeg(16));
    Put("b.JPEG", Jpeg(16));
    const CliResult result =
        RunCli({"--set", "bulkfilter.RemoveCOM=1", "--set", "bulkfilter.UniteDQT=0", "--set",
                "bulkfilter.UniteDHT=0", "filter", src, dst},
               Env());
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "2 files processed (22 bytes saved)\n");
    EXPECT_EQ(result.err, ""); // no progress: stderr is no terminal
    EXPECT_TRUE(fs::exists(dst + "/b.jpg"));

    EXPECT_EQ(RunCli({"filter", src}, Env()).status, 2);
    EXPECT_EQ(RunCli({"filter", dir.File("none"), dst}, Env()).status, 1);
}

// With a file-size limit below the larger output, that file fails and keeps its old contents,
// in another directory as in place; the smaller one is written.
TEST_F(FilterCommand, FullDiskLosesNoFile) {
    const std::string small = Jpeg(16), large = Jpeg(160);
    ASSERT_GT(large.size(), 8000u);
    Put("small.jpg", small);
    Put("large.jpg", large);
    std::ofstream(dst + "/large.jpg") << "older";
    const std::string limit = "ulimit -f 8;"; // 4,096 bytes
    CliResult result = RunCli({"--set", "bulkfilter.RemoveCOM=1", "filter", src, dst}, Env(limit));
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "tolmena-cli: " + fs::canonical(dst).string() +
                              "/large.jpg: BulkFlt:Cannot write (File too large)\n");
    EXPECT_NE(result.out.find("\n1 of them failed\n"), std::string::npos) << result.out;
    EXPECT_EQ(TempDir::Read(dst + "/large.jpg"), "older");
    EXPECT_LT(fs::file_size(dst + "/small.jpg"), small.size());

    fs::create_directories(dir.File("tmp"));
    result = RunCli({"--set", "TempDir=" + dir.File("tmp"), "--set", "bulkfilter.RemoveCOM=1",
                     "filter", "--in-place", src, src},
                    Env(limit));
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(TempDir::Read(src + "/large.jpg"), large);
    EXPECT_LT(fs::file_size(src + "/small.jpg"), small.size());
    EXPECT_TRUE(fs::is_empty(dir.File("tmp")));
    EXPECT_EQ(std::distance(fs::directory_iterator(src), fs::directory_iterator()), 2);
}

// One folder as SRC and DST, also through a link, takes --in-place; --dry-run changes nothing.
TEST_F(FilterCommand, RewritesTheSourceFolderOnlyWhenAsked) {
    Put("a.jpg", Jpeg(16));
    const std::string original = TempDir::Read(src + "/a.jpg");
    fs::create_directory_symlink(src, dir.File("alias"));
    for (const std::string& to : {src, dir.File("alias")}) {
        const CliResult refused = RunCli({"filter", src, to}, Env());
        EXPECT_EQ(refused.status, 2);
        EXPECT_NE(refused.err.find("--in-place"), std::string::npos) << refused.err;
    }
    const std::string path = fs::canonical(src).string() + "/a.jpg";
    CliResult result = RunCli({"filter", "--dry-run", "--in-place", src, src}, Env());
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, path + " → " + path + "\n");
    EXPECT_EQ(TempDir::Read(src + "/a.jpg"), original);

    result = RunCli({"--set", "bulkfilter.RemoveCOM=1", "filter", "--in-place", src, src}, Env());
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_LT(fs::file_size(src + "/a.jpg"), original.size());
}

TEST_F(FilterCommand, ShowsProgressOnATerminal) {
    Put("a.jpg", Jpeg(16));
    Put("b.jpg", Jpeg(16));
    int master = -1, slave = -1;
    ASSERT_EQ(openpty(&master, &slave, nullptr, nullptr, nullptr), 0);
    const int out = open(dir.File("out").c_str(), O_WRONLY | O_CREAT, 0644);
    const pid_t pid = Spawn({"filter", src, dst}, out, slave, dir.File("config"));
    close(slave);
    close(out);
    std::string screen;
    char buffer[4096];
    for (ssize_t got; (got = read(master, buffer, sizeof buffer)) > 0;)
        screen.append(buffer, static_cast<size_t>(got));
    close(master);
    EXPECT_EQ(ExitStatus(pid), 0);
    EXPECT_NE(screen.find("#] 2 / 2 " + fs::canonical(src).string() + "/b.jpg"), std::string::npos)
        << screen;
}

// Ctrl+C ends the run at the next file: the log is complete, the summary printed, status 1.
TEST_F(FilterCommand, InterruptCancelsLikeTheAbortButton) {
    const std::string jpeg = Jpeg(160);
    for (int i = 0; i < 400; ++i)
        Put("f" + std::to_string(1000 + i) + ".jpg", jpeg);
    const std::string log = dir.File("log.htm");
    const int out = open(dir.File("out").c_str(), O_WRONLY | O_CREAT, 0644);
    const int err = open(dir.File("err").c_str(), O_WRONLY | O_CREAT, 0644);
    const pid_t pid = Spawn({"filter", "--log", log, src, dst}, out, err, dir.File("config"));
    close(out);
    close(err);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!fs::exists(dst + "/f1000.jpg") && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    kill(pid, SIGINT);
    EXPECT_EQ(ExitStatus(pid), 130);
    const std::string summary = TempDir::Read(dir.File("out"));
    EXPECT_EQ(summary.rfind("Interrupted: ", 0), 0u) << summary;
    const int handled = std::atoi(summary.c_str() + std::strlen("Interrupted: "));
    EXPECT_GT(handled, 0);
    EXPECT_LT(handled, 400) << summary;
    EXPECT_NE(summary.find("files processed ("), std::string::npos);
    const std::string page = TempDir::Read(log);
    EXPECT_EQ(page.substr(page.size() - 15), "</BODY></HTML>\n");
}
