#include "jpegtools/JpegMarkerNodes.h"

#include "jpegtools/Charset.h"
#include "jpegtools/MarkerName.h"
#include "jpegtools/SegmentFields.h"

#include <cstring>

namespace {

constexpr int kFirstMarkerCode = 0xC0;
constexpr size_t kHeaderSize = 4; // 0xFF, code, length field

enum MarkerCode : int {
    kDht = 0xC4,
    kDac = 0xCC,
    kSos = 0xDA,
    kDqt = 0xDB,
    kDri = 0xDD,
    kApp0 = 0xE0,
    kCom = 0xFE,
};

bool IsStandalone(int code) {
    return code >= 0xD0 && code <= 0xD9;
}

// SOF0-SOF15 less DHT (0xC4), JPG (0xC8) and DAC (0xCC).
bool IsStartOfFrame(int code) {
    return code >= 0xC0 && code <= 0xCF && code != kDht && code != 0xC8 && code != kDac;
}

unsigned High(unsigned byte) {
    return byte >> 4;
}
unsigned Low(unsigned byte) {
    return byte & 0x0F;
}

void AddFrameNodes(const SegmentFields& fields, MarkerNode& node) {
    unsigned precision, rows, columns, components;
    if (!fields.U8(4, precision)) return;
    node.Add(NodeText("Precision=%ubit", precision), 4, 1);
    if (!fields.U16(5, rows)) return;
    node.Add(NodeText("Rows=%u", rows), 5, 2);
    if (!fields.U16(7, columns)) return;
    node.Add(NodeText("Columns=%u", columns), 7, 2);
    if (!fields.U8(9, components)) return;
    node.Add(NodeText("Number of components=%u", components), 9, 1);
    for (size_t k = 0, d = 10; k < components && fields.Has(d, 3); ++k, d += 3) {
        unsigned id = 0, sampling = 0, table = 0; // read for sure: fields.Has(d, 3)
        fields.U8(d, id);
        fields.U8(d + 1, sampling);
        fields.U8(d + 2, table);
        MarkerNode& component = node.Add(NodeText("Component #%u", id), d, 3);
        component.Add(NodeText("H:V=(%u:%u)", High(sampling), Low(sampling)), d + 1, 1);
        component.Add(NodeText("Quantization Table ID=%u", table), d + 2, 1);
    }
}

constexpr const char* kHuffmanClasses[] = {"(DC)", "(AC)"};
constexpr const char* kPrecisions[] = {"(8bit)", "(16bit)"};

// One node per table and one for its code counts and values; the next table follows them.
void AddHuffmanNodes(const SegmentFields& fields, MarkerNode& node) {
    size_t d = kHeaderSize;
    unsigned classAndIndex;
    while (fields.U8(d, classAndIndex)) {
        node.Add(NodeText("Class=%u%s Index=%u", High(classAndIndex),
                          NameOf(High(classAndIndex), kHuffmanClasses, "(?)"), Low(classAndIndex)),
                 d, 1);
        if (!fields.Has(d + 1, 16)) return;
        size_t size = 16;
        for (size_t i = 0; i < 16; ++i)
            size += *fields.At(d + 1 + i);
        if (!fields.Has(d + 1, size)) return;
        node.Add(NodeText(" HT data(%zu)", size), d + 1, size);
        d += 1 + size;
    }
}

void AddScanNodes(const SegmentFields& fields, MarkerNode& node) {
    unsigned components;
    if (!fields.U8(4, components)) return;
    node.Add(NodeText("Components=%u", components), 4, 1);
    size_t d = 5;
    for (size_t k = 0; k < components; ++k, d += 2) {
        unsigned id, tables;
        if (!fields.U8(d, id)) return;
        MarkerNode& component = node.Add(NodeText("Component #%u", id), d, 1);
        if (!fields.U8(d + 1, tables)) return;
        component.Add(NodeText("Coding table (DC=%u AC=%u)", High(tables), Low(tables)), d + 1, 1);
    }
    unsigned start, end, approximation;
    if (!fields.U8(d, start) || !fields.U8(d + 1, end)) return;
    node.Add(NodeText("Spectral selection Ss-Se(%u-%u)", start, end), d, 2);
    if (!fields.U8(d + 2, approximation)) return;
    node.Add(NodeText("Spectral selection Ah-Al(%u-%u)", High(approximation), Low(approximation)),
             d + 2, 1);
}

// One node per table and one for its values; tables 0 and 1 are drawn. A precision other than
// 8 or 16 bits gives the table no size, so nothing after it can be placed.
void AddQuantizationNodes(const SegmentFields& fields, MarkerNode& node, CDqtPreview& tables) {
    size_t d = kHeaderSize;
    unsigned precisionAndId;
    while (fields.U8(d, precisionAndId)) {
        const unsigned precision = High(precisionAndId), id = Low(precisionAndId);
        node.Add(NodeText("Precision=%u%s Table ID=%u", precision,
                          NameOf(precision, kPrecisions, "(?)"), id),
                 d, 1);
        if (precision > 1) return;
        const size_t size = precision == 0 ? 64 : 128;
        if (!fields.Has(d + 1, size)) return;
        node.Add(NodeText(" QT data(%zu)", size), d + 1, size);
        tables.Draw(static_cast<int>(id), fields.At(d + 1), precision == 1);
        d += 1 + size;
    }
}

void AddRestartIntervalNode(const SegmentFields& fields, MarkerNode& node) {
    unsigned interval;
    if (fields.U16(4, interval)) node.Add(NodeText("Interval=%u", interval), 4, 2);
}

constexpr const char* kDensityUnits[] = {"", "dpi", "dot/cm"};

void AddJfifNodes(const SegmentFields& fields, MarkerNode& node) {
    if (!fields.Has(4, 4) || std::memcmp(fields.At(4), "JFIF", 4) != 0) return;
    unsigned major, minor, unit, x, y, width, height;
    if (!fields.U8(9, major) || !fields.U8(10, minor)) return;
    node.Add(NodeText("JFIF%u.%u", major, minor), 4, 7);
    if (!fields.U8(11, unit) || !fields.U16(12, x) || !fields.U16(14, y)) return;
    node.Add(NodeText(" X:Y=%u:%u%s", x, y, NameOf(unit, kDensityUnits, "(?)")), 11, 5);
    if (!fields.U8(16, width) || !fields.U8(17, height)) return;
    node.Add(NodeText(" Thumb=%ux%u", width, height), 16, 2);
}

// The comment's detected character code and its text in Shift_JIS, up to its first zero byte.
void AddCommentNode(const SegmentFields& fields, MarkerNode& node) {
    const size_t size = fields.End() - kHeaderSize;
    const char* text = reinterpret_cast<const char*>(fields.At(kHeaderSize));
    const int length = static_cast<int>(size);
    const int code = DetectCharset(text, length);
    const char* name = CharsetName(code);
    node.Add(std::string("(") + (name ? name : "?") + ") " + DecodeComment(text, length, code),
             kHeaderSize, size);
}

void AddFieldNodes(int code, const SegmentFields& fields, MarkerNode& node, CDqtPreview& tables) {
    if (IsStartOfFrame(code)) return AddFrameNodes(fields, node);
    switch (code) {
    case kDht:
        return AddHuffmanNodes(fields, node);
    case kSos:
        return AddScanNodes(fields, node);
    case kDqt:
        return AddQuantizationNodes(fields, node, tables);
    case kDri:
        return AddRestartIntervalNode(fields, node);
    case kApp0:
        return AddJfifNodes(fields, node);
    case kCom:
        return AddCommentNode(fields, node);
    default:
        return;
    }
}

} // namespace

MarkerNode JpegSegmentNode(const CMarkerSegment& segment, CDqtPreview& tables) {
    if (segment.Has(SEG_DATA))
        return {
            NodeText("Scan data(%llu)", static_cast<unsigned long long>(segment.length)), 0, 0, {}};
    const size_t held = segment.ByteCount();
    const int code = segment.Code();
    // Bytes typed into the editor need not form a marker at all.
    if (code < kFirstMarkerCode || code == 0xFF)
        return {NodeText("Unknown(%zu)", held), 0, held, {}};
    const std::string name = MarkerName(code);
    if (IsStandalone(code)) return {name + "(2)", 0, 2, {}};

    // The text shows the whole segment's size (length field + 2); a record too short to hold a
    // length field shows its byte count.
    const int lengthField = segment.LengthField();
    if (lengthField < 0) return {name + NodeText("(%zu)", held), 0, held, {}};
    const size_t declared = static_cast<size_t>(lengthField) + 2;
    MarkerNode node{name + NodeText("(%zu)", declared), 0, kHeaderSize, {}};
    if (lengthField < 2 || held < declared) return node;
    AddFieldNodes(code, SegmentFields(segment.Bytes(), declared), node, tables);
    return node;
}
