#pragma once
// File name extensions and the document type codes they select.
#include <cstddef>
#include <optional>
#include <string>

// Document type codes (they double as the icon resource ids).
enum DocumentType : int {
    kTypeUnknown = 0,
    kTypeClipboard = 132,
    kTypeBmp = 133,
    kTypeRgb = 134,
    kTypeJpeg = 135,
    kTypePng = 136,
    kTypeMag = 137,
    kTypeTiff = 139,
    kTypeWebp = 140,
    kTypeHeif = 141, // HEIC and other HEIF files
    kTypeAvif = 142,
    kTypeJxl = 143,
};

// Position of the last "." of the path (directories included), if any.
std::optional<size_t> FindExtension(const std::string& path);
// The path's extension with its ".", or "" when it has none.
std::string ExtensionOf(const std::string& path);
// Type code of an extension given with its ".", ignoring case.
int FileTypeFromExtension(const std::string& extension);
// Position in the list (such as ".jpg;.jfif; .jpeg") of the item equal to the extension,
// ignoring case and one leading "." on either side.
std::optional<size_t> MatchExtensionList(const std::string& list, const std::string& extension);
