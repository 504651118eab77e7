#include "jpegtools/DqtPreview.h"

#include "base/QuantSum.h"

namespace {

// Natural (row-major) position of the k-th coefficient in zigzag order.
constexpr uint8_t kNaturalOrder[64] = {
    0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  12, 19, 26, 33, 40, 48,
    41, 34, 27, 20, 13, 6,  7,  14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23,
    30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63,
};

} // namespace

void CDqtPreview::Clear() {
    for (int id = 0; id < 2; ++id) {
        tables_[id].fill(0);
        drawn_[id] = false;
        labels_[id] = "N/A";
    }
}

void CDqtPreview::Draw(int id, const uint8_t* zigzagValues, bool sixteenBit) {
    if (id < 0 || id > 1) return;
    QuantTable& table = tables_[id];
    for (int k = 0; k < 64; ++k) {
        unsigned value = zigzagValues[k];
        if (sixteenBit) value = ((zigzagValues[2 * k] << 8 | zigzagValues[2 * k + 1]) + 128) / 256;
        table[kNaturalOrder[k]] = static_cast<uint16_t>(value);
    }
    drawn_[id] = true;
    labels_[id] = "Qf=" + QualityText(SumQuantTable(table.data()));
}
