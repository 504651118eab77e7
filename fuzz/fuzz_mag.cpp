// MAG and MAKI decoding over arbitrary bytes, up to the packed DIB.
#include "core/MagFile.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > (1 << 16)) return 0;
    MagPicture picture;
    if (!DecodeMag(data, size, picture)) return 0;
    MagDescription(picture);
    MakeMagDib(picture);
    return 0;
}
