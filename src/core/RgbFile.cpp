#include "core/RgbFile.h"

#include "base/ByteReader.h"
#include "base/FileHandle.h"
#include "base/ReportError.h"
#include "core/DibExtract.h"
#include "core/ImageSaveRequest.h"
#include "core/OutputFiles.h"
#include "core/PackedImage.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <strings.h>
#include <sys/stat.h>
#include <vector>

namespace {

constexpr const char* kLoadName = "LoadRgbFile";
constexpr const char* kSaveName = "SaveRgbFile";
constexpr int kMaxSide = 65535;
constexpr size_t kMaxHeaderBytes = 4096;
constexpr size_t kLineLength = 80;

// The extension's "." when the file name (not a directory) has one.
std::optional<size_t> ExtensionInName(const std::string& path) {
    size_t dot = path.rfind('.');
    size_t slash = path.rfind('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    return dot;
}

// The number at the start of text as atoi reads it; saturates far beyond any valid side.
std::optional<long> LeadingNumber(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    size_t start = i;
    long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = std::min(value * 10 + (text[i] - '0'), 10L * kMaxSide);
    if (i == start) return {};
    return negative ? -value : value;
}

bool ValidSide(std::optional<long> side) {
    return side && *side >= 1 && *side <= kMaxSide;
}

std::string Description(int width, int height) {
    return FormatImageSize(width, height) + " RGB/Q0+FAL";
}

bool ReadHeaderFile(const std::string& path, int& width, int& height) {
    FileHandle file = FileHandle::Open(path, "rb");
    if (!file) {
        ReportCannotOpen(kLoadName, path);
        return false;
    }
    std::string text(kMaxHeaderBytes, '\0');
    text.resize(std::fread(text.data(), 1, text.size(), file.get()));
    if (!ParseFalHeader(text, width, height)) {
        ReportError(kLoadName, path, "ヘッダの画像サイズが不正です");
        return false;
    }
    return true;
}

// Reads file rows (top-down, R G B) into the bottom-up B G R rows of the packed DIB. Rows the
// file does not hold stay black.
void ReadRows(std::FILE* file, CDibImage& image, size_t width, size_t height) {
    const size_t rowBytes = width * 3, stride = DibStride(width, 24);
    std::vector<uint8_t> row(rowBytes);
    for (size_t r = 0; r < height; ++r) {
        size_t got = std::fread(row.data(), 1, rowBytes, file);
        uint8_t* target = image.Pixels() + (height - 1 - r) * stride;
        for (size_t x = 0; x + 3 <= got; x += 3) {
            target[x] = row[x + 2];
            target[x + 1] = row[x + 1];
            target[x + 2] = row[x];
        }
        if (got < rowBytes) break;
    }
}

// The packed 24-bit DIB of the data file, or null after a report. A data file shorter than
// the picture loads with the missing rows black as long as it holds at least half of it, so
// a header alone cannot make the reader allocate far beyond the data there is.
std::unique_ptr<CDibImage> ReadDataFile(const std::string& path, int width, int height,
                                        uint32_t& fileSize) {
    FileHandle file = FileHandle::Open(path, "rb");
    struct stat info {};
    if (!file || fstat(fileno(file.get()), &info) != 0) {
        ReportCannotOpen(kLoadName, path);
        return nullptr;
    }
    fileSize = info.st_size > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(info.st_size);
    const size_t w = static_cast<size_t>(width), h = static_cast<size_t>(height);
    size_t pictureBytes = 0, pixelBytes = 0;
    if (!CheckedMultiply(w * 3, h, pictureBytes) ||
        !CheckedMultiply(DibStride(w, 24), h, pixelBytes) ||
        static_cast<uint64_t>(info.st_size) < pictureBytes / 2 + pictureBytes % 2) {
        ReportError(kLoadName, path, "データファイルが短すぎます");
        return nullptr;
    }
    std::unique_ptr<CDibImage> image = NewPackedImage(width, height, 24);
    if (!image) {
        ReportErrorId(kLoadName, path, StringId::NoMemory);
        return nullptr;
    }
    ReadRows(file.get(), *image, w, h);
    return image;
}

} // namespace

std::string FalHeaderPath(const std::string& path) {
    std::optional<size_t> dot = ExtensionInName(path);
    return (dot ? path.substr(0, *dot) : path) + ".fal";
}

std::string RgbDataPath(const std::string& path) {
    std::optional<size_t> dot = ExtensionInName(path);
    if (!dot) return path + ".rgb";
    if (strcasecmp(path.c_str() + *dot, ".fal") == 0) return path.substr(0, *dot) + ".rgb";
    return path;
}

bool ParseFalHeader(const std::string& text, int& width, int& height) {
    size_t start = text.find('\n');
    if (start == std::string::npos) return false;
    std::string_view line(text.data() + start + 1, text.size() - start - 1);
    line = line.substr(0, std::min({line.find('\n'), line.size(), kLineLength}));
    size_t space = line.find(' ');
    if (space == std::string_view::npos) return false;
    std::optional<long> w = LeadingNumber(line), h = LeadingNumber(line.substr(space + 1));
    if (!ValidSide(w) || !ValidSide(h)) return false;
    width = static_cast<int>(*w);
    height = static_cast<int>(*h);
    return true;
}

std::optional<DecodedPicture> ReadRgbFile(const std::string& path,
                                          const ImageReadOptions& options) {
    int width = 0, height = 0;
    if (!ReadHeaderFile(FalHeaderPath(path), width, height)) return std::nullopt;
    const std::string dataPath = RgbDataPath(path);
    DecodedPicture decoded;
    std::unique_ptr<CDibImage> image =
        ReadDataFile(dataPath, width, height, decoded.facts.fileSize);
    if (!image) return std::nullopt;
    decoded.image = PrepareForScreen(std::move(image), options);
    if (!decoded.image) {
        ReportErrorId(kLoadName, dataPath, StringId::NoBitmap);
        return std::nullopt;
    }
    decoded.facts.description = Description(width, height);
    return decoded;
}

bool SaveRgbFile(const ImageSaveRequest& request, ImageFacts& written, COutputFiles& output,
                 const std::string& path) {
    const CDibImage& image = request.picture;
    const int width = image.Width(), height = image.Height();
    const std::string headerPath = FalHeaderPath(path), dataPath = RgbDataPath(path);
    std::FILE* header = output.Create(headerPath, false);
    if (!header) {
        ReportError(kSaveName, headerPath,
                    output.CreateFailureMessage(LoadString(StringId::CannotOpen)));
        return false;
    }
    std::fprintf(header, "F_ALL(V1.00)\r\n%d %d 0 0\r\n1.00 255 255 255 0\r\n", width, height);
    std::FILE* data = output.Create(dataPath);
    if (!data) {
        ReportError(kSaveName, dataPath,
                    output.CreateFailureMessage(LoadString(StringId::CannotOpen)));
        return false;
    }
    const size_t w = static_cast<size_t>(width), h = static_cast<size_t>(height);
    const size_t stride = DibStride(w, 24);
    const std::optional<PackedDib> dib = ExtractDib(image, 0);
    if (!dib || dib->Pixels().size() < stride * h) {
        ReportErrorId(kSaveName, dataPath, StringId::NoDib);
        return false;
    }
    std::vector<uint8_t> row(w * 3);
    for (size_t r = 0; r < h; ++r) {
        const uint8_t* source = dib->Pixels().data() + (h - 1 - r) * stride;
        for (size_t x = 0; x < row.size(); x += 3) {
            row[x] = source[x + 2];
            row[x + 1] = source[x + 1];
            row[x + 2] = source[x];
        }
        if (std::fwrite(row.data(), 1, row.size(), data) != row.size()) break;
    }
    written.description = Description(width, height);
    return true;
}
