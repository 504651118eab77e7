// JPEG reader over arbitrary bytes: libjpeg with the COM and APP1 marker processors, the Exif
// parse of the APP1 block, the description and the pixel conversion.
#include "base/HeadlessPlatform.h"
#include "core/JpegRead.h"

#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0 || size > (1 << 18)) return 0;
    std::FILE* file = fmemopen(const_cast<uint8_t*>(data), size, "rb");
    if (!file) return 0;
    CDibImage image;
    JpegFileFacts facts;
    const JpegPixelForm form = size % 2 ? JpegPixelForm::DeviceForm : JpegPixelForm::PackedDib;
    DecodeJpegStream(file, "fuzz.jpg", size_t{1} << 20, form, image, facts);
    std::fclose(file);
    Headless().ClearMessages();
    return 0;
}
