#include "imageops/PreviewPixels.h"

#include "imageops/LevelTable.h"

#include <algorithm>
#include <array>

namespace {

struct Span {
    size_t begin, end;
};

// The source pixels under preview pixel d of count along one axis: at least one.
Span AreaSpan(size_t d, size_t count, size_t source) {
    const size_t begin = d * source / count;
    return {begin, std::max((d + 1) * source / count, begin + 1)};
}

// The source pixel at the centre of preview pixel d.
Span CentreSpan(size_t d, size_t count, size_t source) {
    const size_t centre = (2 * d + 1) * source / (2 * count);
    return {centre, centre + 1};
}

// Evenly spread positions within a span, at most 4: a smooth reduction that reads a few
// pixels of each preview pixel's area rather than all of a large picture.
struct Samples {
    Span span;
    size_t count;
    explicit Samples(Span s) : span(s), count(std::min<size_t>(s.end - s.begin, 4)) {}
    size_t At(size_t k) const {
        return span.begin + (2 * k + 1) * (span.end - span.begin) / (2 * count);
    }
};

// A coordinate or length limited to 0 ... limit.
size_t Within(int value, size_t limit) {
    return std::min(static_cast<size_t>(std::max(value, 0)), limit);
}

} // namespace

PreviewPixels::PreviewPixels(const uint8_t* source, const PixelLayout& layout)
    : source_(source), layout_(layout) {}

const uint8_t* PreviewPixels::SourceRow(size_t topDownRow) const {
    return source_ + (layout_.height - 1 - topDownRow) * layout_.stride;
}

void PreviewPixels::Sample(const PreviewModel& preview, bool smooth) {
    if (preview.Mode() == PreviewMode::Whole) {
        const PreviewRect& fitted = preview.Fitted();
        SampleWhole(fitted.width, fitted.height, smooth);
    } else {
        const PreviewRect detail = preview.Detail();
        SampleDetail(preview.SourceX(), preview.SourceY(), detail.width, detail.height);
    }
}

void PreviewPixels::SampleWhole(int width, int height, bool smooth) {
    width_ = layout_.width && layout_.height ? std::max(width, 0) : 0;
    height_ = width_ ? std::max(height, 0) : 0;
    sampled_.resize(static_cast<size_t>(width_) * height_ * 3);
    auto span = smooth ? AreaSpan : CentreSpan;
    uint8_t* out = sampled_.data();
    for (size_t dy = 0; dy < static_cast<size_t>(height_); ++dy) {
        const Samples rows(span(dy, height_, layout_.height));
        for (size_t dx = 0; dx < static_cast<size_t>(width_); ++dx) {
            const Samples columns(span(dx, width_, layout_.width));
            std::array<size_t, 3> sum{};
            for (size_t i = 0; i < rows.count; ++i) {
                const uint8_t* row = SourceRow(rows.At(i));
                for (size_t k = 0; k < columns.count; ++k)
                    for (size_t c = 0; c < 3; ++c)
                        sum[c] += row[3 * columns.At(k) + c];
            }
            const size_t count = rows.count * columns.count;
            for (size_t c = 0; c < 3; ++c)
                *out++ = static_cast<uint8_t>((sum[c] + count / 2) / count);
        }
    }
}

void PreviewPixels::SampleDetail(int sourceX, int sourceY, int width, int height) {
    // Kept inside the picture whatever geometry the caller passes.
    const size_t x0 = Within(sourceX, layout_.width), y0 = Within(sourceY, layout_.height);
    width_ = static_cast<int>(Within(width, layout_.width - x0));
    height_ = static_cast<int>(Within(height, layout_.height - y0));
    const size_t rowBytes = static_cast<size_t>(width_) * 3;
    sampled_.resize(rowBytes * height_);
    for (size_t y = 0; y < static_cast<size_t>(height_); ++y) {
        const uint8_t* row = SourceRow(y0 + y) + x0 * 3;
        std::copy(row, row + rowBytes, sampled_.data() + y * rowBytes);
    }
}

void PreviewPixels::Transfer(const int gamma[256], const int levels[256]) {
    const std::array<uint8_t, 256> transfer = CombinedTransfer(gamma, levels);
    shown_.resize(static_cast<size_t>(width_) * height_);
    const uint8_t* in = sampled_.data();
    for (uint32_t& pixel : shown_) {
        pixel = 0xFF000000u | uint32_t{transfer[in[2]]} << 16 | uint32_t{transfer[in[1]]} << 8 |
                transfer[in[0]];
        in += 3;
    }
}
