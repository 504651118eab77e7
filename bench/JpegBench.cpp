// Times the program's JPEG reader and writer on one file, for comparison with djpeg and cjpeg.
//   jpeg_bench open FILE        opens FILE as a document; prints seconds and peak memory (KiB)
//   jpeg_bench save FILE OUT N  opens FILE, then saves it N times at quality 75 (2x2 sampling,
//                               optimized coding); prints the best time of one save in seconds
#include "core/DocTemplate.h"
#include "core/JpegRead.h"
#include "core/JpegWrite.h"
#include "settings/SettingsStore.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/resource.h>

namespace {

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

long PeakKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

int Open(const std::string& path) {
    CDocTemplate documents(AppSettings());
    CImageDoc& document = documents.CreateNewDocument();
    auto start = std::chrono::steady_clock::now();
    if (!document.LoadFile(path)) return 1;
    std::printf("open %.4f s, peak %ld KiB, %dx%d\n", Seconds(start), PeakKiB(),
                document.ImageWidth(), document.ImageHeight());
    return 0;
}

int Save(const std::string& path, const std::string& out, int runs) {
    CDocTemplate documents(AppSettings());
    CImageDoc& document = documents.CreateNewDocument();
    if (!document.LoadFile(path)) return 1;
    JpegWriteSettings settings;
    settings.quality = 75;
    settings.sampling = kSampling22;
    double best = 1e9;
    for (int i = 0; i < runs; ++i) {
        JpegDescription description;
        auto start = std::chrono::steady_clock::now();
        if (!EncodeJpegFile(out, document.Image(), settings, description)) return 1;
        best = std::min(best, Seconds(start));
    }
    std::printf("save %.4f s\n", best);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    std::string mode = argc > 2 ? argv[1] : "";
    if (mode == "open") return Open(argv[2]);
    if (mode == "save" && argc > 4) return Save(argv[2], argv[3], std::atoi(argv[4]));
    std::fprintf(stderr, "usage: jpeg_bench open FILE | save FILE OUT RUNS\n");
    return 2;
}
