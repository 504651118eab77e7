#pragma once
// The pixels the gamma dialog's preview shows: the whole picture reduced to its fitted
// rectangle, or the 1:1 detail of the client area. The transfer is applied to these pixels
// only, so that a new setting costs the size of the preview, not that of the picture.
#include "imageops/PixelLayout.h"
#include "imageops/PreviewModel.h"

#include <cstdint>
#include <vector>

class PreviewPixels {
public:
    // The packed 24-bit picture (blue, green, red; bottom-up rows); not owned, it must outlive
    // this object.
    PreviewPixels(const uint8_t* source, const PixelLayout& layout);

    // Takes the pixels the preview's current mode and geometry show. The whole picture is
    // reduced by the average of up to 4 x 4 source pixels spread over each preview pixel's area
    // when smooth, else by the source pixel at its centre.
    void Sample(const PreviewModel& preview, bool smooth);
    // Makes the shown pixels G[T[v]] of the sampled ones.
    void Transfer(const int gamma[256], const int levels[256]);

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Width() × Height() words 0xFFRRGGBB, top row first.
    const std::vector<uint32_t>& Shown() const { return shown_; }

private:
    const uint8_t* SourceRow(size_t topDownRow) const;
    void SampleWhole(int width, int height, bool smooth);
    void SampleDetail(int sourceX, int sourceY, int width, int height);

    const uint8_t* source_;
    PixelLayout layout_;
    int width_ = 0, height_ = 0;
    std::vector<uint8_t> sampled_; // blue, green, red; top row first, no padding
    std::vector<uint32_t> shown_;
};
