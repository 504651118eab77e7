#include "core/PngSaveChoices.h"

#include "base/FileExtension.h"
#include "core/ImageDoc.h"
#include "core/PngWrite.h"
#include "settings/SettingsPageRules.h"
#include "settings/SettingsStore.h"

namespace {

int SuggestedSaveMode(const CImageDoc& document) {
    const ImageFacts& facts = document.Facts();
    const bool lowDepth = facts.bitsPerSample <= 4;
    if (facts.grayscale) return lowDepth ? kPngSaveGray4 : kPngSaveGray8;
    if (!facts.palette.empty()) return lowDepth ? kPngSaveIndexed4 : kPngSaveIndexed8;
    return kPngSaveRgb24;
}

} // namespace

RgbQuad ColorFromSetting(int value) {
    const unsigned bits = static_cast<unsigned>(value);
    return RgbQuad{static_cast<uint8_t>(bits >> 16), static_cast<uint8_t>(bits >> 8),
                   static_cast<uint8_t>(bits), 0};
}

int ColorToSetting(const RgbQuad& color) {
    return color.rgbRed | color.rgbGreen << 8 | color.rgbBlue << 16;
}

PngSaveChoices OpenPngSaveChoices(const SettingsStore& settings, const CImageDoc* document) {
    PngSaveChoices choices;
    choices.interlace = settings.useInterlaceOnSave != 0;
    choices.gammaText = GammaText(settings.defaultGamma);
    if (document) {
        const ImageFacts& facts = document->Facts();
        choices.saveMode = SuggestedSaveMode(*document);
        choices.transparentColor = facts.transparentColor;
        choices.writeTransparent = facts.hasTransparent;
        choices.writeGamma = settings.useDefaultGammaOnSave != 0 || facts.hasGamma;
        if (facts.hasGamma) choices.gammaText = GammaText(facts.gamma);
    } else {
        choices.saveMode = settings.pngSaveMode;
        choices.writeTransparent = settings.useTransparentOnSave != 0;
        choices.writeGamma =
            settings.useWriteGammaValue != 0 || settings.useDefaultGammaOnSave != 0;
        choices.transparentColor = ColorFromSetting(settings.colorTransparent);
    }
    return choices;
}

void ApplyPngSaveChoices(const PngSaveChoices& choices, SettingsStore& settings,
                         CImageDoc* document) {
    settings.useInterlaceOnSave = choices.interlace;
    if (!document || document->DocType() == kTypeClipboard) {
        settings.pngSaveMode = choices.saveMode;
        settings.useTransparentOnSave = choices.writeTransparent;
        settings.useWriteGammaValue = choices.writeGamma;
        settings.colorTransparent = ColorToSetting(choices.transparentColor);
    }
    if (!document) return;
    document->SetTransparency(choices.writeTransparent, choices.transparentColor);
    document->SetPngSaveState(choices.saveMode, choices.writeGamma);
    if (choices.writeGamma) document->SetGamma(GammaFromText(choices.gammaText));
}
