// Times the image operations on raw pixels, without file input and output, so that they can be
// set against ImageMagick on the same picture (see imageops.sh).
//   ImageOpsBench make W H OUT.ppm           a synthetic photo-like picture
//   ImageOpsBench resize IN.ppm W H OUT.ppm  the two-pass scaler
//   ImageOpsBench gamma IN.ppm               the gamma/contrast/bias transfer against memcpy
//   ImageOpsBench preview IN.ppm             the gamma dialog's preview against the full transfer
//   ImageOpsBench hold IN.ppm                reads the picture only (peak memory baseline)
#include "base/GammaTable.h"
#include "imageops/LevelTable.h"
#include "imageops/PreviewPixels.h"
#include "imageops/Resize.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

struct Picture {
    size_t width = 0, height = 0;
    std::vector<uint8_t> bytes; // packed 24-bit, blue green red, bottom-up rows
    size_t Stride() const { return (width * 3 + 3) & ~size_t{3}; }
    PixelLayout Layout() const { return {Stride(), width, height}; }
};

Picture Blank(size_t width, size_t height) {
    Picture picture{width, height, {}};
    picture.bytes.assign(picture.Stride() * height, 0);
    return picture;
}

bool ReadPpm(const std::string& path, Picture& picture) {
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    size_t width = 0, height = 0, maximum = 0;
    in >> magic >> width >> height >> maximum;
    in.get();
    if (!in || magic != "P6" || maximum != 255) return false;
    picture = Blank(width, height);
    std::vector<uint8_t> row(width * 3);
    for (size_t y = 0; y < height; ++y) {
        in.read(reinterpret_cast<char*>(row.data()), static_cast<std::streamsize>(row.size()));
        uint8_t* out = picture.bytes.data() + (height - 1 - y) * picture.Stride();
        for (size_t x = 0; x < width; ++x) {
            out[3 * x] = row[3 * x + 2];
            out[3 * x + 1] = row[3 * x + 1];
            out[3 * x + 2] = row[3 * x];
        }
    }
    return static_cast<bool>(in);
}

bool WritePpm(const std::string& path, const Picture& picture) {
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << picture.width << " " << picture.height << "\n255\n";
    std::vector<uint8_t> row(picture.width * 3);
    for (size_t y = picture.height; y-- > 0;) {
        const uint8_t* in = picture.bytes.data() + y * picture.Stride();
        for (size_t x = 0; x < picture.width; ++x) {
            row[3 * x] = in[3 * x + 2];
            row[3 * x + 1] = in[3 * x + 1];
            row[3 * x + 2] = in[3 * x];
        }
        out.write(reinterpret_cast<const char*>(row.data()),
                  static_cast<std::streamsize>(row.size()));
    }
    return static_cast<bool>(out);
}

// Smooth shading, edges and fine noise, so that neither pass sees flat data.
Picture Synthetic(size_t width, size_t height) {
    Picture picture = Blank(width, height);
    uint32_t noise = 12345;
    for (size_t y = 0; y < height; ++y) {
        uint8_t* row = picture.bytes.data() + y * picture.Stride();
        for (size_t x = 0; x < width; ++x) {
            noise = noise * 1664525u + 1013904223u;
            const double u = static_cast<double>(x) / width, v = static_cast<double>(y) / height;
            const int grain = static_cast<int>(noise >> 28) - 8;
            const int edge = ((x / 97 + y / 61) % 5 == 0) ? 60 : 0;
            const int shade[3] = {static_cast<int>(128 + 100 * std::sin(6.0 * u + 2.0 * v)),
                                  static_cast<int>(255 * v * (1 - u)) + edge,
                                  static_cast<int>(128 + 120 * std::cos(9.0 * u * v))};
            for (int c = 0; c < 3; ++c)
                row[3 * x + c] = static_cast<uint8_t>(std::clamp(shade[c] + grain, 0, 255));
        }
    }
    return picture;
}

// The best of several runs, in milliseconds.
double BestOf(int runs, const std::function<void()>& work) {
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        auto start = std::chrono::steady_clock::now();
        work();
        std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() - start;
        best = std::min(best, spent.count());
    }
    return best;
}

int Resize(const std::string& in, size_t width, size_t height, const std::string& out) {
    Picture source;
    if (!ReadPpm(in, source)) return 1;
    Picture target = Blank(width, height);
    bool ok = true;
    double ms = BestOf(5, [&] {
        ok = ok && ScalePixels(source.bytes.data(), source.Layout(), target.bytes.data(),
                               target.Layout());
    });
    if (!ok) return 1;
    std::printf("resize %zux%zu -> %zux%zu: %.2f ms\n", source.width, source.height, width, height,
                ms);
    return WritePpm(out, target) ? 0 : 1;
}

// The tables of a typical correction: γ 2.2, contrast 40, bias −12.
struct Tables {
    int gamma[256], levels[256];
    Tables() {
        BuildGammaTable(gamma, 2.2);
        BuildLevelTable(levels, 40, -12);
    }
};

int Gamma(const std::string& in) {
    Picture picture;
    if (!ReadPpm(in, picture)) return 1;
    const Tables tables;
    const int *gamma = tables.gamma, *levels = tables.levels;
    std::vector<uint8_t> copy(picture.bytes.size());
    const double megabytes = static_cast<double>(picture.bytes.size()) / 1e6;
    double transfer = BestOf(10, [&] {
        ApplyTransfer(picture.bytes.data(), copy.data(), picture.Layout(), gamma, levels);
    });
    double inPlace = BestOf(10, [&] {
        ApplyTransfer(picture.bytes.data(), picture.bytes.data(), picture.Layout(), gamma, levels);
    });
    double memcpyMs =
        BestOf(10, [&] { std::memcpy(copy.data(), picture.bytes.data(), copy.size()); });
    // The same rows read and written by a loop the compiler vectorizes: memory speed for a
    // byte-wise transform.
    double streamMs = BestOf(10, [&] {
        const size_t rowBytes = picture.width * 3;
        for (size_t y = 0; y < picture.height; ++y) {
            const uint8_t* in = picture.bytes.data() + y * picture.Stride();
            uint8_t* out = copy.data() + y * picture.Stride();
            for (size_t x = 0; x < rowBytes; ++x)
                out[x] = static_cast<uint8_t>(in[x] ^ 0x5A);
        }
    });
    std::printf("gamma %zux%zu (%.1f MB): copy %.2f ms (%.0f MB/s), in place %.2f ms, "
                "memcpy %.2f ms (%.0f MB/s), vectorized xor %.2f ms (%.0f MB/s)\n",
                picture.width, picture.height, megabytes, transfer, megabytes / transfer * 1e3,
                inPlace, memcpyMs, megabytes / memcpyMs * 1e3, streamMs,
                megabytes / streamMs * 1e3);
    return 0;
}

// What a new setting costs the gamma dialog's preview (a 318 x 238 window) next to the
// transfer of the whole picture, and what a resize or click costs it.
int Preview(const std::string& in) {
    Picture picture;
    if (!ReadPpm(in, picture)) return 1;
    const Tables tables;
    std::vector<uint8_t> copy(picture.bytes.size());
    const double whole = BestOf(5, [&] {
        ApplyTransfer(picture.bytes.data(), copy.data(), picture.Layout(), tables.gamma,
                      tables.levels);
    });
    PreviewModel model(static_cast<int>(picture.width), static_cast<int>(picture.height));
    model.Resize(318, 238);
    PreviewPixels pixels(picture.bytes.data(), picture.Layout());
    const double nearest = BestOf(5, [&] { pixels.Sample(model, false); });
    const double averaged = BestOf(5, [&] { pixels.Sample(model, true); });
    const double transfer = BestOf(20, [&] { pixels.Transfer(tables.gamma, tables.levels); });
    model.Click(159, 119);
    const double detail = BestOf(5, [&] { pixels.Sample(model, false); });
    const double detailTransfer = BestOf(20, [&] { pixels.Transfer(tables.gamma, tables.levels); });
    std::printf("preview of %zux%zu in 318x238: new setting %.3f ms (1:1: %.3f ms) | full "
                "transfer %.2f ms | sampling: nearest %.3f ms, averaged %.2f ms, 1:1 %.3f ms\n",
                picture.width, picture.height, transfer, detailTransfer, whole, nearest, averaged,
                detail);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 4 && args[0] == "make")
        return WritePpm(args[3], Synthetic(std::stoul(args[1]), std::stoul(args[2]))) ? 0 : 1;
    if (args.size() == 5 && args[0] == "resize")
        return Resize(args[1], std::stoul(args[2]), std::stoul(args[3]), args[4]);
    if (args.size() == 2 && args[0] == "gamma") return Gamma(args[1]);
    if (args.size() == 2 && args[0] == "preview") return Preview(args[1]);
    if (args.size() == 2 && args[0] == "hold") {
        Picture picture;
        return ReadPpm(args[1], picture) ? 0 : 1;
    }
    std::fprintf(stderr, "usage: see the comment at the top of ImageOpsBench.cpp\n");
    return 2;
}
