#pragma once
// The values of the gamma / contrast / bias dialog and their two tables, with the rules of its
// sliders and edit fields. Sliders store their value before they rewrite their edit field, so
// the edit notification that follows changes nothing.
#include <string>

constexpr int kGammaSliderMin = 1, kGammaSliderMax = 499; // γ × 100
constexpr int kLevelSliderMin = 0, kLevelSliderMax = 510; // contrast or bias + 255
constexpr int kLevelMin = -255, kLevelMax = 255;

// What an edit of a field did: nothing, refused with a beep, or a new value (the slider, the
// curve and the preview then follow).
enum class EditOutcome { Unchanged, Refused, Changed };

class GammaDialogModel {
public:
    GammaDialogModel(); // γ = 1, contrast = bias = 0: both tables the identity

    double Gamma() const { return gamma_; }
    int Contrast() const { return contrast_; }
    int Bias() const { return bias_; }
    const int* GammaTable() const { return gammaTable_; }
    const int* LevelTable() const { return levelTable_; }

    int GammaSliderPosition() const; // trunc(γ × 100)
    int ContrastSliderPosition() const { return contrast_ + 255; }
    int BiasSliderPosition() const { return bias_ + 255; }
    std::string GammaText() const; // "%1.2f"
    std::string ContrastText() const { return std::to_string(contrast_); }
    std::string BiasText() const { return std::to_string(bias_); }

    void MoveGammaSlider(int position);
    void MoveContrastSlider(int position);
    void MoveBiasSlider(int position);

    // γ from 0.01 to 4.99 is taken; other text (and text that is not a number) is refused.
    // Empty text is ignored while the user is still typing.
    EditOutcome EditGamma(const std::string& text);
    // Contrast and bias from -255 to 255 are taken; other numbers are refused; text that is
    // not a number reads as 0.
    EditOutcome EditContrast(const std::string& text);
    EditOutcome EditBias(const std::string& text);

private:
    void SetGamma(double gamma);
    void SetLevels(int contrast, int bias);
    EditOutcome EditLevel(const std::string& text, bool isContrast);

    double gamma_ = 1.0;
    int contrast_ = 0, bias_ = 0;
    int gammaTable_[256];
    int levelTable_[256];
};
