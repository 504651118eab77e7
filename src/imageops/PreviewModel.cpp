#include "imageops/PreviewModel.h"

#include <algorithm>

namespace {

// The origin of a 1:1 detail along one axis, centred on a source coordinate: never beyond
// the far edge of the picture, never before its start.
int DetailOrigin(double centre, int client, int image) {
    int origin = static_cast<int>(centre) - client / 2;
    return std::max(std::min(origin, image - client), 0);
}

} // namespace

PreviewModel::PreviewModel(int imageWidth, int imageHeight)
    : imageWidth_(std::max(imageWidth, 0)), imageHeight_(std::max(imageHeight, 0)) {}

void PreviewModel::Resize(int clientWidth, int clientHeight) {
    clientWidth_ = std::max(clientWidth, 0);
    clientHeight_ = std::max(clientHeight, 0);
    CentreDetail();
    FitWhole();
}

void PreviewModel::CentreDetail() {
    sourceX_ = (imageWidth_ - clientWidth_) / 2;
    sourceY_ = (imageHeight_ - clientHeight_) / 2;
    destinationX_ = std::max(-sourceX_, 0);
    destinationY_ = std::max(-sourceY_, 0);
    sourceX_ = std::max(sourceX_, 0);
    sourceY_ = std::max(sourceY_, 0);
}

void PreviewModel::FitWhole() {
    fitted_ = {0, 0, 0, 0};
    scale_ = 0.0;
    if (clientWidth_ == 0 || clientHeight_ == 0 || imageWidth_ == 0 || imageHeight_ == 0) return;
    // Fill the width when the picture is relatively wider than the window, else the height,
    // so that the whole picture is always inside.
    const int64_t w = imageWidth_, h = imageHeight_, cx = clientWidth_, cy = clientHeight_;
    if (h * cx < w * cy) {
        const auto height = static_cast<int>(cx * h / w);
        fitted_ = {0, (clientHeight_ - height) / 2, clientWidth_, height};
        scale_ = static_cast<double>(w) / static_cast<double>(cx);
    } else {
        const auto width = static_cast<int>(cy * w / h);
        fitted_ = {(clientWidth_ - width) / 2, 0, width, clientHeight_};
        scale_ = static_cast<double>(h) / static_cast<double>(cy);
    }
}

PreviewRect PreviewModel::Detail() const {
    return {destinationX_, destinationY_,
            std::max(std::min(clientWidth_ - destinationX_, imageWidth_ - sourceX_), 0),
            std::max(std::min(clientHeight_ - destinationY_, imageHeight_ - sourceY_), 0)};
}

void PreviewModel::Click(int x, int y) {
    if (mode_ == PreviewMode::Detail) {
        mode_ = PreviewMode::Whole;
        return;
    }
    mode_ = PreviewMode::Detail;
    sourceX_ = DetailOrigin((x - fitted_.x) * scale_, clientWidth_, imageWidth_);
    sourceY_ = DetailOrigin((y - fitted_.y) * scale_, clientHeight_, imageHeight_);
}
