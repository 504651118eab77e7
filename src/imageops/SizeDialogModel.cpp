#include "imageops/SizeDialogModel.h"

#include "imageops/DialogNumber.h"

namespace {

// ⌊value × numerator / denominator⌋ without overflow; the value itself when denominator is 0.
std::string Proportional(uint32_t value, uint32_t numerator, uint32_t denominator) {
    if (denominator == 0) return std::to_string(value);
    return std::to_string(uint64_t{value} * numerator / denominator);
}

} // namespace

SizeDialogModel::SizeDialogModel(uint32_t width, uint32_t height)
    : startWidth_(width), startHeight_(height), widthText_(std::to_string(width)),
      heightText_(std::to_string(height)) {}

void SizeDialogModel::EditWidth(const std::string& text) {
    widthText_ = text;
    lastEdited_ = Field::Width;
    if (keepAspect_) ApplyAspect(Field::Width);
}

void SizeDialogModel::EditHeight(const std::string& text) {
    heightText_ = text;
    lastEdited_ = Field::Height;
    if (keepAspect_) ApplyAspect(Field::Height);
}

void SizeDialogModel::SetKeepAspect(bool keep) {
    keepAspect_ = keep;
    if (!keep) return;
    ApplyAspect(lastEdited_);
    lastEdited_ = Field::None;
}

void SizeDialogModel::ApplyAspect(Field edited) {
    if (edited == Field::Width)
        heightText_ = Proportional(ChosenWidth(), startHeight_, startWidth_);
    else if (edited == Field::Height)
        widthText_ = Proportional(ChosenHeight(), startWidth_, startHeight_);
}

uint32_t SizeDialogModel::ChosenWidth() const {
    return ReadUnsignedField(widthText_);
}
uint32_t SizeDialogModel::ChosenHeight() const {
    return ReadUnsignedField(heightText_);
}

bool SizeDialogModel::SizeChanged() const {
    return ChosenWidth() != startWidth_ || ChosenHeight() != startHeight_;
}
