#include "jpegtools/DefaultComment.h"

#include "jpegtools/Charset.h"

#include <fstream>

namespace {
constexpr size_t kMaxCommentFile = 1 << 20; // far beyond what a COM segment can hold
}

std::string DefaultCommentLines(const std::string& bytes) {
    // Each line (LF or CR LF ended; the last one may have no end) gets a CR LF.
    std::string text;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        size_t length = end - start;
        if (length > 0 && bytes[start + length - 1] == '\r') --length;
        text.append(bytes, start, length);
        text += "\r\n";
        start = end + 1;
    }
    return text;
}

std::string CommentFileLines(const std::string& path) {
    std::string bytes;
    if (!path.empty()) {
        std::ifstream in(path, std::ios::binary);
        if (in) {
            bytes.resize(kMaxCommentFile);
            in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
            bytes.resize(static_cast<size_t>(in.gcount()));
        }
    }
    return DefaultCommentLines(bytes);
}

void LoadDefaultComment(SettingsStore& store, const std::string& path) {
    store.defaultCommentText.clear();
    std::string text = CommentFileLines(path);
    int length = static_cast<int>(text.size());
    store.defaultCommentCharset = ChooseReadCharset(text.data(), length, kCharsetAuto,
                                                    store.autoReadCharset, store.readCharset);
    store.defaultCommentText = DecodeComment(text.data(), length, store.defaultCommentCharset);
}
