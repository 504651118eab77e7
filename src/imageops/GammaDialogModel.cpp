#include "imageops/GammaDialogModel.h"

#include "base/GammaTable.h"
#include "imageops/DialogNumber.h"
#include "imageops/LevelTable.h"

#include <algorithm>
#include <charconv>

GammaDialogModel::GammaDialogModel() {
    SetGamma(1.0);
    SetLevels(0, 0);
}

int GammaDialogModel::GammaSliderPosition() const {
    return static_cast<int>(gamma_ * 100);
}

std::string GammaDialogModel::GammaText() const {
    char text[32];
    auto [end, error] =
        std::to_chars(text, text + sizeof text, gamma_, std::chars_format::fixed, 2);
    return error == std::errc() ? std::string(text, end) : std::string();
}

void GammaDialogModel::MoveGammaSlider(int position) {
    SetGamma(std::clamp(position, kGammaSliderMin, kGammaSliderMax) * 0.01);
}

void GammaDialogModel::MoveContrastSlider(int position) {
    SetLevels(std::clamp(position, kLevelSliderMin, kLevelSliderMax) - 255, bias_);
}

void GammaDialogModel::MoveBiasSlider(int position) {
    SetLevels(contrast_, std::clamp(position, kLevelSliderMin, kLevelSliderMax) - 255);
}

EditOutcome GammaDialogModel::EditGamma(const std::string& text) {
    if (text.empty()) return EditOutcome::Unchanged;
    const double typed = ReadDecimalField(text);
    if (!(typed >= 0.01 && typed <= 4.99)) return EditOutcome::Refused; // also refuses NaN
    if (typed == gamma_) return EditOutcome::Unchanged;
    SetGamma(typed);
    return EditOutcome::Changed;
}

EditOutcome GammaDialogModel::EditContrast(const std::string& text) {
    return EditLevel(text, true);
}

EditOutcome GammaDialogModel::EditBias(const std::string& text) {
    return EditLevel(text, false);
}

EditOutcome GammaDialogModel::EditLevel(const std::string& text, bool isContrast) {
    const int typed = ReadSignedField(text);
    // Out of range is refused outright: the level table only has room for -255 ... 255.
    if (typed < kLevelMin || typed > kLevelMax) return EditOutcome::Refused;
    if (typed == (isContrast ? contrast_ : bias_)) return EditOutcome::Unchanged;
    if (isContrast)
        SetLevels(typed, bias_);
    else
        SetLevels(contrast_, typed);
    return EditOutcome::Changed;
}

void GammaDialogModel::SetGamma(double gamma) {
    gamma_ = gamma;
    BuildGammaTable(gammaTable_, gamma_);
}

void GammaDialogModel::SetLevels(int contrast, int bias) {
    contrast_ = contrast;
    bias_ = bias;
    BuildLevelTable(levelTable_, contrast_, bias_);
}
