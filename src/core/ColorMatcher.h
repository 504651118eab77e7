#pragma once
// Nearest palette colour by luminance buckets: the palette entries are sorted into 16 buckets
// of luma / 16, and a colour is compared only with the entries of its own bucket (or the next
// higher one when its own is empty), by the sum of absolute channel differences.
#include "core/DibImage.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class CColorMatcher {
public:
    // The palette is not copied and must outlive the matcher.
    void Init(const RgbQuad* palette, size_t count);
    void Build();
    // Index of the palette entry chosen for the colour; 0 for an empty palette.
    int Lookup(uint8_t blue, uint8_t green, uint8_t red) const;

    // The luminance bucket (0..15) of a colour.
    static int BucketKey(int blue, int green, int red) {
        return ((19 * blue + 183 * green + 54 * red) >> 8) >> 4;
    }

private:
    struct Bucket {
        int key;
        size_t first; // position of its first member in order_
        size_t size;
    };
    void SortByKey(std::vector<int>& keys);
    int NearestInBucket(const Bucket& bucket, int blue, int green, int red) const;

    const RgbQuad* palette_ = nullptr;
    size_t count_ = 0;
    std::vector<int> order_;
    std::vector<Bucket> buckets_;
};
