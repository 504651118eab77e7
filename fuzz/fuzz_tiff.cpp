// TIFF reader over arbitrary bytes: the directory parse, the tag checks and the strip reads
// into a document.
#include "core/ImageDoc.h"
#include "core/TiffFile.h"
#include "platform/HeadlessPlatform.h"

#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0 || size > (1 << 18)) return 0;
    std::FILE* file = fmemopen(const_cast<uint8_t*>(data), size, "rb");
    if (!file) return 0;
    {
        CImageDoc document;
        LoadTiffStream(document, file, "fuzz.tif", size_t{1} << 20);
    }
    std::fclose(file);
    Headless().ClearMessages();
    return 0;
}
