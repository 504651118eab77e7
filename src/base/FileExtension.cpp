#include "base/FileExtension.h"

#include <strings.h>

std::optional<size_t> FindExtension(const std::string& path) {
    size_t dot = path.rfind('.');
    if (dot == std::string::npos) return std::nullopt;
    return dot;
}

std::string ExtensionOf(const std::string& path) {
    auto dot = FindExtension(path);
    return dot ? path.substr(*dot) : std::string();
}

int FileTypeFromExtension(const std::string& extension) {
    static const struct {
        const char* extension;
        int type;
    } table[] = {
        {".bmp", kTypeBmp},   {".dib", kTypeBmp},   {".rle", kTypeBmp},   {".rgb", kTypeRgb},
        {".q0", kTypeRgb},    {".fal", kTypeRgb},   {".jpg", kTypeJpeg},  {".jpeg", kTypeJpeg},
        {".jif", kTypeJpeg},  {".jfif", kTypeJpeg}, {".png", kTypePng},   {".mag", kTypeMag},
        {".mki", kTypeMag},   {".tif", kTypeTiff},  {".tiff", kTypeTiff}, {".webp", kTypeWebp},
        {".heic", kTypeHeif}, {".heif", kTypeHeif}, {".hif", kTypeHeif},  {".avif", kTypeAvif},
        {".jxl", kTypeJxl},
    };
    for (const auto& entry : table)
        if (strcasecmp(extension.c_str(), entry.extension) == 0) return entry.type;
    return kTypeUnknown;
}

std::optional<size_t> MatchExtensionList(const std::string& list, const std::string& extension) {
    std::string wanted =
        (!extension.empty() && extension[0] == '.') ? extension.substr(1) : extension;
    size_t i = 0;
    while (i < list.size()) {
        while (i < list.size() && list[i] == ' ')
            ++i;
        if (i < list.size() && list[i] == '.') ++i;
        size_t start = i;
        while (i < list.size() && list[i] != ';' && list[i] != ' ')
            ++i;
        size_t length = i - start;
        if (length > 0 && length == wanted.size() &&
            strncasecmp(list.data() + start, wanted.data(), length) == 0)
            return start;
        if (i < list.size()) ++i;
    }
    return std::nullopt;
}
