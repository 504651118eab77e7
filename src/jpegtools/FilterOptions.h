#pragma once
// The choice of lossless filters for the batch filter, one flag per field (non-zero = on),
// named after their keys in the profile section "bulkfilter".
#include <cstdint>

constexpr int kAppCodeCount = 15; // APP1 ... APP15

struct BulkFltOptions {
    int32_t removeThumb = 1; // JFIF APP0 segments lose their thumbnail
    int32_t removeJfxx = 1;  // JFIF extension (JFXX) APP0 segments are removed
    int32_t removeAppX = 1;  // APPn segments whose removeApp[n - 1] flag is on are removed
    int32_t removeApp[kAppCodeCount] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    int32_t uniteDqt = 1;    // the DQT segments are joined into one
    int32_t uniteDht = 1;    // the DHT segments before each scan are joined into one
    int32_t removeCom = 0;   // COM segments are removed
    int32_t convertExif = 0; // an Exif APP1 becomes a JFIF APP0 and a generated comment
    int32_t exifGenCmt = 1;  // the shooting data goes into that comment
    int32_t exifGenEng = 0;  // ... in English rather than Japanese
    int32_t exifUserCmt = 1; // a non-blank Exif user comment goes into that comment
};
