#pragma once
// The two quantization tables (IDs 0 and 1) of a JPEG file as the marker inspector draws them:
// values in natural order with their quality figure.
#include "jpegtools/QuantTablePair.h"

#include <array>
#include <cstdint>
#include <string>

class CDqtPreview {
public:
    CDqtPreview() { Clear(); }

    // Forgets both tables: no values, quality "N/A".
    void Clear();
    // Takes the 64 values of table id (0 or 1; others are ignored) in zigzag order from a DQT
    // segment: bytes, or big-endian 16-bit values scaled to 8 bits with rounding.
    void Draw(int id, const uint8_t* zigzagValues, bool sixteenBit);

    bool HasTable(int id) const { return drawn_[id]; }
    const QuantTable& Table(int id) const { return tables_[id]; }
    // "Qf=77.7" for a drawn table, "N/A" before.
    const std::string& QualityLabel(int id) const { return labels_[id]; }

private:
    std::array<QuantTable, 2> tables_{};
    std::array<bool, 2> drawn_{};
    std::array<std::string, 2> labels_;
};
