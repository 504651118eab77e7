#include "core/JpegDescription.h"

#include "base/QuantSum.h"
#include "base/StringTable.h"
#include "jpegtools/IfdReader.h"
#include "jpegtools/QuantTablePair.h"

#include <algorithm>

namespace {

const char* ColorSpaceName(int colorSpace) {
    static const char* const kNames[] = {"Unknown", "Grayscale", "RGB", "YCbCr", "CMYK", "YCCK"};
    return colorSpace >= 0 && colorSpace < 6 ? kNames[colorSpace] : kNames[0];
}

std::string Format(const char* format, int a, int b) {
    char text[64];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

// The number in up to two leading characters, as atoi reads them (no digit: 0).
int TwoDigitNumber(const char* text, size_t length) {
    int value = 0;
    for (size_t i = 0; i < length && i < 2 && text[i] >= '0' && text[i] <= '9'; ++i)
        value = value * 10 + (text[i] - '0');
    return value;
}

uint32_t RunningTableSum(const JpegFrameFacts& facts) {
    uint32_t running = 0;
    bool first = true;
    for (const JQUANT_TBL* table : facts.tables) {
        if (!table) continue;
        uint32_t sum = SumQuantTable(table->quantval);
        running = first ? sum : (sum + running) / 2;
        first = false;
    }
    return running;
}

} // namespace

namespace {

// The fields both kinds of structure share.
template <typename Info> JpegFrameFacts SharedFacts(const Info& info) {
    JpegFrameFacts facts;
    facts.width = info.image_width;
    facts.height = info.image_height;
    facts.jfifMajor = info.JFIF_major_version;
    facts.jfifMinor = info.JFIF_minor_version;
    facts.colorSpace = info.jpeg_color_space;
    facts.components = info.num_components;
    if (info.comp_info && info.num_components > 0) {
        facts.hSampling = info.comp_info[0].h_samp_factor;
        facts.vSampling = info.comp_info[0].v_samp_factor;
    }
    facts.progressive = info.progressive_mode;
    std::copy(info.quant_tbl_ptrs, info.quant_tbl_ptrs + NUM_QUANT_TBLS, facts.tables);
    return facts;
}

} // namespace

JpegFrameFacts FrameFactsOf(const jpeg_decompress_struct& info) {
    JpegFrameFacts facts = SharedFacts(info);
    facts.jfif = info.saw_JFIF_marker;
    return facts;
}

JpegFrameFacts FrameFactsOf(const jpeg_compress_struct& info) {
    JpegFrameFacts facts = SharedFacts(info);
    facts.jfif = info.write_JFIF_header;
    return facts;
}

JpegDescription DescribeJpeg(const JpegFrameFacts& facts, const std::string& exifLabel) {
    JpegDescription result;
    std::string& text = result.text;
    text = Format(LoadString(StringId::ImageSizeFormat).c_str(), static_cast<int>(facts.width),
                  static_cast<int>(facts.height));
    if (facts.jfif)
        text += Format("JFIF%d.%d", facts.jfifMajor, facts.jfifMinor);
    else
        text += exifLabel.empty() ? std::string("JPEG") : exifLabel;
    text += std::string("(") + ColorSpaceName(facts.colorSpace) + ")";
    result.grayscale = facts.colorSpace == JCS_GRAYSCALE;
    if (facts.components > 1) {
        bool quarter = facts.hSampling * facts.vSampling == 4;
        text += Format(" DS=%d:%d", quarter ? 4 : facts.hSampling, quarter ? 1 : facts.vSampling);
    }
    if (facts.progressive) text += " Prg.";
    result.qualityEstimate = RunningTableSum(facts);
    // Sums above 64 x 255 (tables with 16-bit entries) lie below the bottom of the scale.
    text += " Qf=" + QualityText(std::min<uint32_t>(result.qualityEstimate, 64 * 255));
    return result;
}

std::string ExifVersionNumber(const char* text, size_t length) {
    int major = TwoDigitNumber(text, length);
    int minor = length >= 4 ? TwoDigitNumber(text + 2, 2) : 0;
    return Format("%d.%d", major, minor % 10 != 0 ? minor : minor / 10);
}

std::string ExifLabel(const CIfdReader& reader) {
    constexpr uint16_t kExifVersion = 0x9000, kInteropIndex = 1, kInteropVersion = 2;
    std::string label = "Exif";
    const CIfdEntry* version = reader.FindTag(kExifVersion);
    const CIfdEntry* index = nullptr;
    if (!version) {
        version = reader.FindTag(kInteropVersion);
        index = reader.FindTag(kInteropIndex);
    }
    if (version) {
        std::string text = reader.GetText(*version);
        label += ExifVersionNumber(text.data(), text.size());
    }
    if (index) label += "/" + reader.GetText(*index);
    return label;
}
