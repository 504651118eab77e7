#include "imageops/Resize.h"

#include "base/ByteReader.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

namespace {

static_assert(kMaxScaleLength * 255 <= UINT32_MAX, "box sums must fit in 32 bits");

// The scaler works on bundles of lines that share their length: sample s of lane l lies at
// base[s * step + l]. A single line has one lane; the column pass takes every byte of a row as
// a lane, so that it reads and writes the rows in memory order.

// Exact-coverage box averaging, n > m: each input sample is m units wide, each output sample n
// units, so that every output is the sum of its coverage divided by n.
void ShrinkLanes(uint8_t* out, size_t m, size_t outStep, const uint8_t* in, size_t n, size_t inStep,
                 size_t lanes, uint32_t* sums) {
    std::fill(sums, sums + lanes, 0u);
    const auto width = static_cast<uint32_t>(m);
    const auto divisor = static_cast<uint32_t>(n);
    uint32_t covered = 0; // units of the current output sample already summed
    for (size_t s = 0; s < n; ++s, in += inStep) {
        if (covered + width < divisor) {
            for (size_t l = 0; l < lanes; ++l)
                sums[l] += width * in[l];
            covered += width;
            continue;
        }
        const uint32_t part = divisor - covered;
        const uint32_t rest = covered + width - divisor;
        for (size_t l = 0; l < lanes; ++l) {
            out[l] = static_cast<uint8_t>((sums[l] + part * in[l]) / divisor);
            sums[l] = rest * in[l];
        }
        out += outStep;
        covered = rest;
    }
}

// Table-driven interpolation, m > n. The input position follows the accumulator rule that
// MakeStretchTable used to measure the distances.
void StretchLanes(uint8_t* out, size_t m, size_t outStep, const uint8_t* in, size_t n,
                  size_t inStep, size_t lanes, const StretchTable& table) {
    if (table.size() != m) return;
    size_t position = 0;
    size_t phase = n / 2;
    for (size_t j = 0; j < m; ++j, out += outStep) {
        const uint8_t* centre = in + position * inStep;
        const StretchWeights& w = table[j];
        if (w.centre == 0 || w.sum <= 0) {
            std::memcpy(out, centre, lanes); // the output falls on an input sample
        } else {
            // An unused neighbour reads the centre with weight 0, so the loop has no branches.
            const uint64_t wc = w.centre > 0 ? w.centre : 0;
            const uint64_t wp = w.previous > 0 ? w.previous : 0;
            const uint64_t wn = w.next > 0 ? w.next : 0;
            const uint8_t* previous = wp ? centre - inStep : centre;
            const uint8_t* next = wn ? centre + inStep : centre;
            const auto sum = static_cast<uint64_t>(w.sum);
            for (size_t l = 0; l < lanes; ++l)
                out[l] =
                    static_cast<uint8_t>((wc * centre[l] + wp * previous[l] + wn * next[l]) / sum);
        }
        phase += n;
        if (phase >= m) {
            phase -= m;
            ++position;
        }
    }
}

void CopyLanes(uint8_t* out, size_t outStep, const uint8_t* in, size_t n, size_t inStep,
               size_t lanes) {
    if (outStep == lanes && inStep == lanes) {
        std::memcpy(out, in, n * lanes);
        return;
    }
    for (size_t s = 0; s < n; ++s)
        std::memcpy(out + s * outStep, in + s * inStep, lanes);
}

// Weights inversely proportional to the used distances (kUnusedWeight marks the others): each
// weight is P / δ with P the product of the used distances, formed here as the product of the
// other used distances so that P itself (up to three distances) never has to fit in 64 bits.
// A distance of 0 makes P, and so every weight, 0.
StretchWeights WeighByInverseDistance(const int64_t (&distance)[3]) {
    bool onSample = false;
    for (int64_t d : distance)
        onSample = onSample || d == 0;
    int64_t weight[3];
    int64_t sum = 0;
    for (int k = 0; k < 3; ++k) {
        if (distance[k] < 0) {
            weight[k] = kUnusedWeight;
            continue;
        }
        weight[k] = onSample ? 0 : 1;
        for (int other = 0; other < 3 && !onSample; ++other)
            if (other != k && distance[other] > 0) weight[k] *= distance[other];
        sum += weight[k];
    }
    return {weight[0], weight[1], weight[2], sum};
}

// Resamples bundles of lanes from n to m samples; the table or the sums are made once and
// serve every bundle of a pass.
class LineResampler {
public:
    LineResampler(size_t n, size_t m, size_t lanes) : n_(n), m_(m), lanes_(lanes) {
        if (m > n) table_ = MakeStretchTable(n, m);
        if (m < n) sums_.resize(lanes);
    }

    void Run(uint8_t* out, size_t outStep, const uint8_t* in, size_t inStep) {
        if (m_ == n_)
            CopyLanes(out, outStep, in, n_, inStep, lanes_);
        else if (m_ < n_)
            ShrinkLanes(out, m_, outStep, in, n_, inStep, lanes_, sums_.data());
        else
            StretchLanes(out, m_, outStep, in, n_, inStep, lanes_, table_);
    }

private:
    size_t n_, m_, lanes_;
    StretchTable table_;
    std::vector<uint32_t> sums_;
};

bool ValidLayout(const PixelLayout& layout) {
    return layout.width > 0 && layout.height > 0 && layout.width <= kMaxScaleLength &&
           layout.height <= kMaxScaleLength && layout.stride >= layout.width * 3;
}

} // namespace

void ShrinkLine(uint8_t* out, size_t m, size_t outStep, const uint8_t* in, size_t n,
                size_t inStep) {
    if (m == 0 || m >= n || n > kMaxScaleLength) return;
    uint32_t sum = 0;
    ShrinkLanes(out, m, outStep, in, n, inStep, 1, &sum);
}

StretchTable MakeStretchTable(size_t n, size_t m) {
    if (n == 0 || m <= n || m > kMaxScaleLength) return {};
    StretchTable table(m);
    // Distances are measured in units in which an input sample is m wide and an output n wide.
    const auto inputs = static_cast<int64_t>(n), outputs = static_cast<int64_t>(m);
    const int64_t half = inputs / 2;
    const int64_t limit = outputs + half;
    const int64_t offset = inputs * (outputs / inputs / 2);
    int64_t i = 0;
    int64_t phase = half;
    for (int64_t j = 0; j < outputs; ++j) {
        const int64_t d = j * inputs - offset - i * outputs;
        int64_t distance[3] = {std::abs(d), i > 0 ? std::abs(d + outputs) : -1,
                               i < inputs - 1 ? std::abs(d - outputs) : -1};
        for (int64_t& x : distance)
            if (x > limit) x = -1;
        table[static_cast<size_t>(j)] = WeighByInverseDistance(distance);
        phase += inputs;
        if (phase >= outputs) {
            phase -= outputs;
            ++i;
        }
    }
    return table;
}

void StretchLine(uint8_t* out, size_t m, size_t outStep, const uint8_t* in, size_t n, size_t inStep,
                 const StretchTable& table) {
    StretchLanes(out, m, outStep, in, n, inStep, 1, table);
}

bool ScalePixels(const uint8_t* source, const PixelLayout& sourceLayout, uint8_t* target,
                 const PixelLayout& targetLayout) {
    if (!ValidLayout(sourceLayout) || !ValidLayout(targetLayout)) return false;
    const size_t stride = sourceLayout.stride;
    size_t bufferSize = 0;
    if (!CheckedMultiply(stride, targetLayout.height, bufferSize)) return false;
    try {
        // Pass 1, along the columns: every byte of a row is one lane, stepping by the stride.
        auto columns = std::make_unique_for_overwrite<uint8_t[]>(bufferSize);
        LineResampler columnPass(sourceLayout.height, targetLayout.height, sourceLayout.width * 3);
        columnPass.Run(columns.get(), stride, source, stride);
        // Pass 2, along the rows: three lanes (blue, green, red), stepping by 3.
        LineResampler rowPass(sourceLayout.width, targetLayout.width, 3);
        for (size_t y = 0; y < targetLayout.height; ++y)
            rowPass.Run(target + y * targetLayout.stride, 3, columns.get() + y * stride, 3);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}
