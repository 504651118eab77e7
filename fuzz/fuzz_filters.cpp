// The lossless filters over arbitrary files. Input: two bytes of filter choices, then the file.
// The filtered file must be written, and split again it must hold every segment the filters
// do not touch (frames, scans, restart markers, the data between them) unchanged and in order;
// united tables keep their payloads in order; an in-place rewrite leaves no temporary file.
#include "JpegMutator.h"
#include "jpegtools/LosslessFilter.h"
#include "settings/SettingsStore.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr size_t kMaxInput = 1 << 18;
constexpr size_t kChoiceBytes = 2;

// A directory for this process's files, in memory when the system offers it; removed at exit.
struct WorkDirectoryHolder {
    WorkDirectoryHolder() {
        std::string pattern =
            std::string(access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") + "/fuzzflt-XXXXXX";
        if (!mkdtemp(pattern.data())) __builtin_trap();
        path = pattern;
    }
    ~WorkDirectoryHolder() {
        std::error_code error;
        std::filesystem::remove_all(path, error);
    }
    std::string path;
};

const std::string& WorkDirectory() {
    static const WorkDirectoryHolder directory;
    return directory.path;
}

BulkFltOptions OptionsFrom(unsigned bits) {
    BulkFltOptions options;
    int32_t* flags[] = {&options.removeThumb, &options.removeJfxx, &options.removeAppX,
                        &options.uniteDqt,    &options.uniteDht,   &options.removeCom,
                        &options.convertExif, &options.exifGenCmt, &options.exifGenEng,
                        &options.exifUserCmt};
    for (int32_t* flag : flags) {
        *flag = bits & 1;
        bits >>= 1;
    }
    options.removeApp[1] = bits & 1;  // APP2 (ICC profiles)
    options.removeApp[13] = bits & 2; // APP14 (Adobe)
    return options;
}

// Records the filters may change: APPn, COM, DQT, DHT.
bool IsEdited(int code) {
    return (code >= 0xE0 && code <= 0xEF) || code == 0xFE || code == 0xDB || code == 0xC4;
}

struct Split {
    std::vector<std::string> kept; // the other records' bytes, data stretches included
    std::string tables[2];         // DQT and DHT payloads joined
};

Split SplitFile(const std::string& path) {
    Split split;
    CSegmentReader reader;
    SegmentList list;
    if (!reader.Open(path)) __builtin_trap();
    reader.ParseJpeg(list);
    std::string bytes(reader.GetLength(), '\0');
    reader.Rewind();
    reader.Read(reinterpret_cast<uint8_t*>(bytes.data()), bytes.size());
    // Data stretches with only edited records between them count as one: once the filters
    // have removed or moved those records the stretches meet and read back as one.
    bool lastKeptIsData = false;
    for (const auto& record : list) {
        const int code = record->Code();
        const auto* held = reinterpret_cast<const char*>(record->Bytes());
        if (record->Has(SEG_DATA)) {
            std::string data = bytes.substr(record->offset, record->length);
            if (lastKeptIsData)
                split.kept.back() += data;
            else
                split.kept.push_back(std::move(data));
            lastKeptIsData = true;
        } else if (!IsEdited(code)) {
            split.kept.emplace_back(held, record->ByteCount());
            lastKeptIsData = false;
        } else if (code == 0xDB || code == 0xC4) {
            split.tables[code == 0xC4].append(held + 4, record->ByteCount() - 4);
        }
    }
    return split;
}

void Write(const std::string& path, const uint8_t* data, size_t size) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) __builtin_trap();
    std::fwrite(data, 1, size, file);
    std::fclose(file);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < kChoiceBytes || size > kMaxInput) return 0;
    const unsigned choices = data[0] | data[1] << 8;
    const bool inPlace = choices & 0x8000;
    const std::string source = WorkDirectory() + "/source.jpg";
    const std::string destination = inPlace ? source : WorkDirectory() + "/filtered.jpg";
    Write(source, data + kChoiceBytes, size - kChoiceBytes);
    const Split before = SplitFile(source);

    SettingsStore settings;
    settings.tempDir = WorkDirectory() + "/temp";
    std::filesystem::create_directories(settings.tempDir);
    settings.autoWriteCharset = choices >> 12 & 1;
    settings.writeCharset = choices >> 13 & 3;
    CSegmentReader reader;
    SegmentList list;
    if (!reader.Open(source)) __builtin_trap();
    reader.ParseJpeg(list);
    reader.Close();
    FilterFileContext context{list, reader, source, destination, settings};
    if (!ApplyFilters(context, OptionsFrom(choices))) __builtin_trap();

    const Split after = SplitFile(destination);
    if (after.kept != before.kept) __builtin_trap();
    if (after.tables[0] != before.tables[0] || after.tables[1] != before.tables[1])
        __builtin_trap();
    // No temporary file stays: the work directory holds the two files and "temp", empty.
    if (!std::filesystem::is_empty(settings.tempDir)) __builtin_trap();
    const auto entries = std::filesystem::directory_iterator(WorkDirectory());
    if (std::distance(entries, std::filesystem::directory_iterator()) > 3) __builtin_trap();
    return 0;
}

extern "C" size_t LLVMFuzzerCustomMutator(uint8_t* data, size_t size, size_t maxSize,
                                          unsigned seed) {
    return MutateJpegInput(data, size, maxSize, seed, kChoiceBytes);
}
