#include "ui/shell/DocumentIcons.h"

#include "base/FileExtension.h"
#include "ui/kit/SvgIcon.h"

#include <map>

namespace {

// The drawing of each document type that has one of its own.
const std::map<int, const char*>& IconNames() {
    static const std::map<int, const char*> names = {
        {kTypeClipboard, "document-clipboard"},
        {kTypeBmp, "document-bmp"},
        {kTypeRgb, "document-rgb"},
        {kTypeJpeg, "document-jpeg"},
        {kTypePng, "document-png"},
        {kTypeMag, "document-mag"},
        {kTypeTiff, "document-tiff"},
        {kTypeHeif, "document-heif"},
        {kTypeAvif, "document-avif"},
        {kTypeWebp, "document-webp"},
        {kTypeJxl, "document-jxl"},
    };
    return names;
}

} // namespace

QIcon DocumentIcon(int typeCode) {
    const auto found = IconNames().find(typeCode);
    return SvgIcon(found == IconNames().end() ? "document-plain" : found->second);
}

QIcon ApplicationIcon() {
    return SvgIcon("application");
}
