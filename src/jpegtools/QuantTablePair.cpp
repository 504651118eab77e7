#include "jpegtools/QuantTablePair.h"

#include "base/QuantSum.h"
#include "jpegtools/JpegErrorManager.h"

#include <algorithm>
#include <cstdio>

std::string QualityText(uint32_t sum) {
    const uint32_t b = 16320000u - 1000u * sum;
    char text[32];
    std::snprintf(text, sizeof text, "%u.%u", b / 162560u, (b / 16256u) % 10u);
    return text;
}

std::string QualityTextOf(const uint16_t table[64]) {
    return QualityText(SumQuantTable(table));
}

QuantTable MakeQualityTable(int index, int quality) {
    QuantTable table{};
    jpeg_compress_struct info{};
    JpegErrorManager errors;
    info.err = InstallJpegErrorManager(errors);
    if (setjmp(errors.jump)) {
        jpeg_destroy_compress(&info);
        table.fill(1);
        return table;
    }
    jpeg_create_compress(&info);
    info.image_width = 8;
    info.image_height = 8;
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, FALSE);
    const JQUANT_TBL* source = info.quant_tbl_ptrs[index == 0 ? 0 : 1];
    for (int i = 0; i < 64; ++i)
        table[i] = static_cast<uint16_t>(std::min<unsigned>(source->quantval[i], 255));
    jpeg_destroy_compress(&info);
    return table;
}

QuantTablePair MakeQualityTablePair(int quality) {
    QuantTablePair pair{};
    QuantTable luminance = MakeQualityTable(0, quality);
    QuantTable chrominance = MakeQualityTable(1, quality);
    std::copy(luminance.begin(), luminance.end(), pair.begin());
    std::copy(chrominance.begin(), chrominance.end(), pair.begin() + 64);
    return pair;
}
