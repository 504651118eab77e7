#include "shell/ViewStatusText.h"

#include "base/ByteCount.h"
#include "base/StringTable.h"

std::string FileSizePaneText(uint32_t fileSize) {
    if (fileSize == 0) return LoadString(StringId::UnknownSize);
    std::string grouped, shortForm;
    FormatByteCount(fileSize, &grouped, &shortForm);
    return "[" + grouped + "(" + shortForm + ")byte]";
}

std::string ZoomPaneText(int zoom) {
    return std::to_string(zoom) + "%";
}
