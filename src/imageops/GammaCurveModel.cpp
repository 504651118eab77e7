#include "imageops/GammaCurveModel.h"

#include <algorithm>

SampleRange FindSampleRange(const uint8_t* pixels, const PixelLayout& layout) {
    uint8_t low = 255, high = 0;
    const size_t rowBytes = layout.width * 3;
    for (size_t y = 0; y < layout.height; ++y) {
        const uint8_t* row = pixels + y * layout.stride;
        for (size_t x = 0; x < rowBytes; ++x) {
            low = std::min(low, row[x]);
            high = std::max(high, row[x]);
        }
    }
    return {low, high};
}

GammaCurveModel::GammaCurveModel(const int* gamma, const int* levels, SampleRange range)
    : gamma_(gamma), levels_(levels), range_(range) {}

void GammaCurveModel::Resize(int clientWidth, int clientHeight) {
    side_ = std::max(std::min(clientWidth, clientHeight) - 2, 0);
    x0_ = (clientWidth - side_) / 2;
    y0_ = (clientHeight - side_) / 2;
}

std::array<CurvePoint, 2> GammaCurveModel::Frame() const {
    return {{{x0_ - 1, y0_ - 1}, {x0_ + side_ + 1, y0_ + side_ + 1}}};
}

std::array<CurvePoint, 2> GammaCurveModel::Marker(int value) const {
    const int x = x0_ + value * side_ / 255;
    return {{{x, y0_}, {x, y0_ + side_}}};
}

std::array<CurvePoint, 256> GammaCurveModel::Curve() const {
    std::array<CurvePoint, 256> points;
    for (int i = 0; i < 256; ++i) {
        const int output = std::clamp(gamma_[std::clamp(levels_[i], 0, 255)], 0, 255);
        points[i] = {x0_ + i * side_ / 255, y0_ + (255 - output) * side_ / 255};
    }
    return points;
}
