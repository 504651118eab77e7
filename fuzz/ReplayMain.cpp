// Runs a fuzz target over every file of the directories (or files) named on the command line,
// so the normal test build replays seed corpora and saved crash files under the sanitizers.
// Replaying no file at all fails: a moved or empty corpus would otherwise pass unnoticed.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

static int ReplayFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    return 1;
}

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    int count = 0;
    for (int i = 1; i < argc; ++i) {
        fs::path root(argv[i]);
        std::error_code ec;
        if (fs::is_regular_file(root, ec)) {
            count += ReplayFile(root);
            continue;
        }
        if (!fs::is_directory(root, ec)) continue;
        for (const auto& entry : fs::recursive_directory_iterator(root, ec))
            if (entry.is_regular_file()) count += ReplayFile(entry.path());
    }
    std::printf("replayed %d inputs\n", count);
    if (count == 0) std::fprintf(stderr, "no input found to replay\n");
    return count > 0 ? 0 : 1;
}
