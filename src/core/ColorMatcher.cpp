#include "core/ColorMatcher.h"

#include <cstdlib>
#include <utility>

void CColorMatcher::Init(const RgbQuad* palette, size_t count) {
    palette_ = palette;
    count_ = palette ? count : 0;
    order_.assign(count_, 0);
    buckets_.clear();
}

void CColorMatcher::Build() {
    std::vector<int> keys(count_);
    for (size_t i = 0; i < count_; ++i) {
        const RgbQuad& entry = palette_[i];
        keys[i] = BucketKey(entry.rgbBlue, entry.rgbGreen, entry.rgbRed);
        order_[i] = static_cast<int>(i);
    }
    SortByKey(keys);
    buckets_.clear();
    for (size_t i = 0; i < count_; ++i) {
        if (buckets_.empty() || buckets_.back().key != keys[i]) buckets_.push_back({keys[i], i, 0});
        ++buckets_.back().size;
    }
}

// Comb sort of the keys, carrying the entry order along. The order of equal keys decides ties
// in Lookup, so the gap sequence is part of the result: gap × 3/4 per pass, 9 and 10 become 11.
void CColorMatcher::SortByKey(std::vector<int>& keys) {
    size_t gap = count_;
    bool swapped = true;
    while (gap > 1 || swapped) {
        gap = gap / 2 + gap / 4;
        if (gap < 1) gap = 1;
        if (gap == 9 || gap == 10) gap = 11;
        swapped = false;
        for (size_t j = 0; j + gap < count_; ++j) {
            if (keys[j + gap] < keys[j]) {
                std::swap(keys[j], keys[j + gap]);
                std::swap(order_[j], order_[j + gap]);
                swapped = true;
            }
        }
    }
}

int CColorMatcher::Lookup(uint8_t blue, uint8_t green, uint8_t red) const {
    if (buckets_.empty()) return 0;
    const int key = BucketKey(blue, green, red);
    size_t lo = 0, hi = buckets_.size();
    while (lo < hi) {
        size_t mid = (lo + hi) / 2;
        if (key > buckets_[mid].key) {
            lo = mid + 1;
        } else if (key < buckets_[mid].key) {
            hi = mid;
        } else {
            lo = mid;
            break;
        }
    }
    if (lo >= buckets_.size()) lo = buckets_.size() - 1;
    return NearestInBucket(buckets_[lo], blue, green, red);
}

int CColorMatcher::NearestInBucket(const Bucket& bucket, int blue, int green, int red) const {
    int best = order_[bucket.first];
    if (bucket.size == 1) return best;
    int bestDistance = 0x7FFFFFFF;
    for (size_t i = bucket.first; i < bucket.first + bucket.size; ++i) {
        const RgbQuad& entry = palette_[order_[i]];
        int distance = std::abs(entry.rgbBlue - blue) + std::abs(entry.rgbGreen - green) +
                       std::abs(entry.rgbRed - red);
        if (distance <= bestDistance) {
            best = order_[i];
            bestDistance = distance;
            if (distance == 0) break;
        }
    }
    return best;
}
