// The DIB decoder over arbitrary packed DIBs. Byte 0 picks the screen depth, the 16-bit dither
// and whether the DIB is adopted in one block; bytes 1-2 give the header block's length; the rest
// is the header block and the pixels. Every DIB that realizes is extracted at each colour type.
#include "DibSizeLimit.h"
#include "base/HeadlessPlatform.h"
#include "core/DibExtract.h"
#include "core/DibImage.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>

namespace {

std::unique_ptr<CDibImage> Load(uint8_t mode, const uint8_t* header, size_t headerSize,
                                const uint8_t* pixels, size_t pixelSize) {
    auto image = std::make_unique<CDibImage>();
    if (mode & 0x40) {
        if (!image->AdoptDib(header, headerSize + pixelSize, nullptr, 0)) return nullptr;
        return image;
    }
    if (!image->AllocateDib(headerSize, pixelSize)) return nullptr;
    if (headerSize) std::memcpy(image->HeaderBlock(), header, headerSize);
    if (pixelSize) std::memcpy(image->Pixels(), pixels, pixelSize);
    return PrepareForDisplay(std::move(image), Platform().ScreenDepth(), mode & 0x80);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3 || size > (1 << 20)) return 0;
    static const int kScreenDepths[] = {32, 24, 16, 8, 6, 4};
    const uint8_t mode = data[0];
    size_t headerSize = std::min<size_t>(size - 3, data[1] | data[2] << 8);
    const uint8_t* header = data + 3;
    if (!IsSmallDib(header, headerSize)) return 0;
    Headless().SetScreenDepth(kScreenDepths[mode % 6]);
    auto image = Load(mode, header, headerSize, header + headerSize, size - 3 - headerSize);
    if (image) {
        for (int colorType : {-1, 0, 2, 16, 256})
            ExtractDib(*image, colorType);
        image->PixelColor(image->Width() - 1, image->Height() - 1);
    }
    Headless().ClearMessages();
    return 0;
}
