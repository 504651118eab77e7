#pragma once
// Helpers of the tests that build MAG and MAKI files byte by byte.
#include "core/MagFile.h"

#include <string>
#include <vector>

inline bool DecodeBytes(const std::string& bytes, MagPicture& picture) {
    return DecodeMag(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), picture);
}

// The three planes that end both formats, in file order.
struct MagPlanes {
    std::vector<uint8_t> flagA, flagB, pixels;

    void AppendTo(std::string& out) const {
        out.append(flagA.begin(), flagA.end());
        out.append(flagB.begin(), flagB.end());
        out.append(pixels.begin(), pixels.end());
    }
};
