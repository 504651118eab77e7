#pragma once
// How a HEIF or AVIF file's pictures are coded, read from its boxes for the description: the
// codec and chroma subsampling of the first coding configuration ("hvcC" or "av1C") in the
// item properties. A grid picture (a phone's photo) has none of its own; its tiles share one.
#include <cstdint>
#include <span>
#include <string>

struct HeifCoding {
    std::string codec;  // "HEVC", "AV1", or "" when no configuration was found
    std::string chroma; // "4:2:0", "4:2:2", "4:4:4", "4:0:0", or ""
};

HeifCoding ReadHeifCoding(std::span<const uint8_t> file);
