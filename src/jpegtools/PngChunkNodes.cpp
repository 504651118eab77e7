#include "jpegtools/PngChunkNodes.h"

#include "jpegtools/SegmentFields.h"

namespace {

constexpr size_t kDataStart = 8;      // after the length field and the type
constexpr size_t kChunkOverhead = 12; // length field, type and CRC

constexpr uint32_t ChunkType(const char (&letters)[5]) {
    return uint32_t(uint8_t(letters[0])) << 24 | uint32_t(uint8_t(letters[1])) << 16 |
           uint32_t(uint8_t(letters[2])) << 8 | uint32_t(uint8_t(letters[3]));
}

constexpr const char* kColourTypes[] = {"(GrayScale)",
                                        nullptr,
                                        "(TrueColor)",
                                        "(IndexColor)",
                                        "(GrayScale with Alpha)",
                                        nullptr,
                                        "(TrueColor with Alpha)"};
constexpr const char* kCompressions[] = {"(Deflate)"};
constexpr const char* kFilters[] = {"(PNG)"};
constexpr const char* kInterlaces[] = {"(none)", "(Adam7)"};
constexpr const char* kIntents[] = {"Perceptual", "Relative colorimetric", "Saturation",
                                    "Absolute colorimetric"};

void AddHeaderNodes(const SegmentFields& fields, MarkerNode& node, PngChunkContext& context) {
    uint32_t width, height;
    unsigned depth, colourType, compression, filter, interlace;
    if (!fields.U32(8, width)) return;
    node.Add(NodeText("Width=%u", width), 8, 4);
    if (!fields.U32(12, height)) return;
    node.Add(NodeText("Height=%u", height), 12, 4);
    if (!fields.U8(16, depth)) return;
    node.Add(NodeText("BitDepth=%u", depth), 16, 1);
    if (!fields.U8(17, colourType)) return;
    node.Add(NodeText("ColorType=%u%s", colourType, NameOf(colourType, kColourTypes, "(Unknown)")),
             17, 1);
    context.colourType = static_cast<int>(colourType);
    if (!fields.U8(18, compression)) return;
    node.Add(
        NodeText("Compression=%u%s", compression, NameOf(compression, kCompressions, "(Unknown)")),
        18, 1);
    if (!fields.U8(19, filter)) return;
    node.Add(NodeText("Filter=%u%s", filter, NameOf(filter, kFilters, "(Unknown)")), 19, 1);
    if (!fields.U8(20, interlace)) return;
    node.Add(NodeText("Interlace=%u%s", interlace, NameOf(interlace, kInterlaces, "(Unknown)")), 20,
             1);
}

// A grey level (16 bits) or an RGB triple (three 16-bit values) at offset 8, as "Grayscale(%d)"
// and "RGB(%d.%d.%d)" after the prefix; nothing when the chunk is too short.
void AddGreyNode(const SegmentFields& fields, MarkerNode& node, const char* prefix) {
    unsigned grey;
    if (fields.U16(8, grey)) node.Add(NodeText("%sGrayscale(%u)", prefix, grey), 8, 2);
}
void AddRgbNode(const SegmentFields& fields, MarkerNode& node, const char* prefix) {
    unsigned red, green, blue;
    if (!fields.U16(8, red) || !fields.U16(10, green) || !fields.U16(12, blue)) return;
    node.Add(NodeText("%sRGB(%u.%u.%u)", prefix, red, green, blue), 8, 6);
}
void AddUnknownColourTypeNode(const SegmentFields& fields, MarkerNode& node, const char* prefix,
                              int colourType) {
    node.Add(NodeText("%sUnknown ColorType %d", prefix, colourType), 8, fields.End() - kDataStart);
}

void AddBackgroundNode(const SegmentFields& fields, MarkerNode& node, int colourType) {
    const char* prefix = "Background=";
    unsigned index;
    switch (colourType) {
    case 0:
    case 4:
        AddGreyNode(fields, node, prefix);
        return;
    case 2:
    case 6:
        AddRgbNode(fields, node, prefix);
        return;
    case 3:
        if (fields.U8(8, index)) node.Add(NodeText("%sIdx(%u)", prefix, index), 8, 1);
        return;
    default:
        AddUnknownColourTypeNode(fields, node, prefix, colourType);
        return;
    }
}

void AddChromaticityNodes(const SegmentFields& fields, MarkerNode& node) {
    static const char* const kPoints[4] = {"White", "Red  ", "Green", "Blue "};
    for (size_t k = 0; k < 4; ++k) {
        uint32_t x, y;
        if (!fields.U32(8 + 8 * k, x) || !fields.U32(12 + 8 * k, y)) return;
        node.Add(NodeText("Chromaticity(%s) x=%1.5f y=%1.5f", kPoints[k], x * 0.00001, y * 0.00001),
                 8 + 8 * k, 8);
    }
}

void AddGammaNode(const SegmentFields& fields, MarkerNode& node) {
    uint32_t gamma;
    if (fields.U32(8, gamma)) node.Add(NodeText("Gamma=%2.2f", gamma * 0.00001), 8, 4);
}

// Pixels per unit in X and Y; for metres the resolution in dpi as well.
void AddDimensionNodes(const SegmentFields& fields, MarkerNode& node) {
    uint32_t perUnit[2];
    unsigned unit;
    if (!fields.U32(8, perUnit[0]) || !fields.U32(12, perUnit[1]) || !fields.U8(16, unit)) return;
    for (size_t k = 0; k < 2; ++k) {
        std::string text = NodeText("Dimension %c=%u%s", k == 0 ? 'X' : 'Y', perUnit[k],
                                    unit == 1 ? "(pix/m)" : "(unkown)");
        if (unit == 1) {
            const uint64_t dpi = (uint64_t{perUnit[k]} * 254 + 5000) / 10000;
            text += NodeText(" (%llu dpi)", static_cast<unsigned long long>(dpi));
        }
        node.Add(std::move(text), 8 + 4 * k, 4);
    }
}

// Significant bits per channel: grey, grey and alpha, RGB (also for palette images), RGBA.
size_t SignificantBitsCount(int colourType) {
    switch (colourType) {
    case 0:
        return 1;
    case 4:
        return 2;
    case 2:
    case 3:
        return 3;
    case 6:
        return 4;
    default:
        return 0;
    }
}

void AddSignificantBitsNode(const SegmentFields& fields, MarkerNode& node, int colourType) {
    const char* prefix = "SigBits ";
    const size_t count = SignificantBitsCount(colourType);
    if (count == 0) return AddUnknownColourTypeNode(fields, node, prefix, colourType);
    unsigned b[4] = {};
    for (size_t i = 0; i < count; ++i)
        if (!fields.U8(8 + i, b[i])) return;
    std::string text;
    switch (count) {
    case 1:
        text = NodeText("%sG=%u", prefix, b[0]);
        break;
    case 2:
        text = NodeText("%sG=%u A=%u", prefix, b[0], b[1]);
        break;
    case 3:
        text = NodeText("%sRGB=(%u %u %u)", prefix, b[0], b[1], b[2]);
        break;
    default:
        text = NodeText("%sRGB=(%u %u %u) A=%u", prefix, b[0], b[1], b[2], b[3]);
        break;
    }
    node.Add(std::move(text), 8, count);
}

void AddRenderingIntentNode(const SegmentFields& fields, MarkerNode& node) {
    unsigned intent;
    if (!fields.U8(8, intent)) return;
    node.Add(NodeText("Rendering intent=%u(%s)", intent, NameOf(intent, kIntents, "Unknown")), 8,
             1);
}

void AddTimeNode(const SegmentFields& fields, MarkerNode& node) {
    unsigned year, part[5];
    if (!fields.U16(8, year)) return;
    for (size_t i = 0; i < 5; ++i)
        if (!fields.U8(10 + i, part[i])) return;
    node.Add(NodeText("LastModified=%04u/%u/%u %u:%u:%u", year, part[0], part[1], part[2], part[3],
                      part[4]),
             8, 7);
}

void AddTransparencyNodes(const SegmentFields& fields, MarkerNode& node, int colourType) {
    const char* prefix = "Transparent ";
    switch (colourType) {
    case 0:
        AddGreyNode(fields, node, prefix);
        return;
    case 2:
        AddRgbNode(fields, node, prefix);
        return;
    case 3:
        for (size_t k = kDataStart; k < fields.End(); ++k)
            node.Add(NodeText("%sIdx(%u)", prefix, unsigned{*fields.At(k)}), k, 1);
        return;
    default:
        AddUnknownColourTypeNode(fields, node, prefix, colourType);
        return;
    }
}

void AddFieldNodes(uint32_t type, const SegmentFields& fields, MarkerNode& node,
                   PngChunkContext& context) {
    switch (type) {
    case ChunkType("IHDR"):
        return AddHeaderNodes(fields, node, context);
    case ChunkType("bKGD"):
        return AddBackgroundNode(fields, node, context.colourType);
    case ChunkType("cHRM"):
        return AddChromaticityNodes(fields, node);
    case ChunkType("gAMA"):
        return AddGammaNode(fields, node);
    case ChunkType("pHYs"):
        return AddDimensionNodes(fields, node);
    case ChunkType("sBIT"):
        return AddSignificantBitsNode(fields, node, context.colourType);
    case ChunkType("sRGB"):
        return AddRenderingIntentNode(fields, node);
    case ChunkType("tIME"):
        return AddTimeNode(fields, node);
    case ChunkType("tRNS"):
        return AddTransparencyNodes(fields, node, context.colourType);
    default:
        return;
    }
}

// The four type letters; a zero byte ends them as it ends a C string.
std::string TypeLetters(uint32_t type) {
    std::string letters;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const char letter = static_cast<char>(type >> shift);
        if (letter == '\0') break;
        letters += letter;
    }
    return letters;
}

} // namespace

MarkerNode PngChunkNode(const CPngChunk& chunk, PngChunkContext& context) {
    if (chunk.Has(SEG_DATA))
        return {NodeText("IDATA(%llu)", static_cast<unsigned long long>(chunk.length)), 0, 0, {}};
    const size_t held = chunk.ByteCount();
    const size_t dataLength = held >= kChunkOverhead ? held - kChunkOverhead : 0;
    MarkerNode node{TypeLetters(chunk.chunkType) + NodeText("(%zu)", dataLength), 0, 8, {}};
    AddFieldNodes(chunk.chunkType, SegmentFields(chunk.Bytes(), kDataStart + dataLength), node,
                  context);
    node.Add(NodeText("CRC=0x%08x", chunk.crc), kDataStart + dataLength, 4);
    return node;
}
