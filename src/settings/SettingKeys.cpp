#include "settings/SettingKeys.h"

#include "base/Platform.h"

#include <cstdio>
#include <cstdlib>
#include <strings.h>

namespace {

using S = SettingsStore;
using Kind = SettingKey::Kind;

SettingKey Int(const char* name, int S::*member, const char* value) {
    return {name, Kind::Int, member, nullptr, nullptr, value};
}
SettingKey Str(const char* name, std::string S::*member, const char* value) {
    return {name, Kind::String, nullptr, member, nullptr, value};
}
SettingKey Real(const char* name, double S::*member, const char* value) {
    return {name, Kind::Real, nullptr, nullptr, member, value};
}

} // namespace

const int kDefaultZoomRates[kZoomCount] = {10,  25,  33,  50,  100,  200,
                                           300, 400, 600, 800, 1200, 1600};

const std::vector<SettingKey>& SettingKeys() {
    static const std::vector<SettingKey> keys = {
        Str("ReadDir", &S::readDir, "."),
        Str("WriteDir", &S::writeDir, "."),
        Int("ReadFilterIdx", &S::readFilterIdx, "0"),
        Int("WriteFilterIdx", &S::writeFilterIdx, "0"),
        Str("TempDir", &S::tempDir, nullptr),
        Int("AutoUpdateClipboard", &S::autoUpdateClipboard, "0"),
        Int("MaxMRU", &S::maxMRU, "9"),
        Int("Param1", &S::param1, "75"),
        Int("Param2", &S::param2, "2"),
        Int("Param3", &S::param3, "0"),
        Int("RestoreWindowPos", &S::restoreWindowPos, "0"),
        Int("WindowPosLeft", &S::windowPosLeft, "-2147483648"),
        Int("WindowPosTop", &S::windowPosTop, "-2147483648"),
        Int("WindowPosWidth", &S::windowPosWidth, "-2147483648"),
        Int("WindowPosHeight", &S::windowPosHeight, "-2147483648"),
        Int("ResolutionH", &S::resolutionH, "1"),
        Int("ResolutionV", &S::resolutionV, "1"),
        Int("ResolutionUnit", &S::resolutionUnit, "0"),
        Int("IncludeRST", &S::includeRST, "0"),
        Int("DefaultComment", &S::defaultComment, "0"),
        Str("DefaultCommentPath", &S::defaultCommentPath, ""),
        Int("AutoReadCharset", &S::autoReadCharset, "0"),
        Int("ReadCharset", &S::readCharset, "3"),
        Int("AutoWriteCharset", &S::autoWriteCharset, "1"),
        Int("WriteCharset", &S::writeCharset, "3"),
        Int("UseTransparentOnLoad", &S::useTransparentOnLoad, "0"),
        Int("UseTransparentOnSave", &S::useTransparentOnSave, "0"),
        Int("UseGammaCorrection", &S::useGammaCorrection, "1"),
        Int("UseWriteGammaValue", &S::useWriteGammaValue, "1"),
        Int("UseDefaultGammaOnLoad", &S::useDefaultGammaOnLoad, "0"),
        Int("UseDefaultGammaOnSave", &S::useDefaultGammaOnSave, "0"),
        Int("bUseInterlaceOnSave", &S::useInterlaceOnSave, "0"),
        Real("DefaultGamma", &S::defaultGamma, "0.45455"),
        Real("ScreenGamma", &S::screenGamma, "2.2"),
        Int("pngSaveMode", &S::pngSaveMode, "0"),
        Int("colorTransparent", &S::colorTransparent, "0"),
        Int("bUseHalfToneStretch", &S::useHalfToneStretch, "0"),
        Int("UseDitherFor16bitColor", &S::useDitherFor16bitColor, "0"),
        Int("AutoFitting", &S::autoFitting, "0"),
        Int("SaveConfig", &S::saveConfig, "1"),
        Int("UsePNGiTXT", &S::usePngITxt, "0"),
        Str("DefaultPNGiTXTLang", &S::defaultPngITxtLang, "ja-jp"),
        Int("UseCustomDQT", &S::useCustomDQT, "0"),
        Int("AllowExtSampling", &S::allowExtSampling, "0"),
    };
    return keys;
}

const std::vector<const char*>& SettingSaveOrder() {
    static const std::vector<const char*> order = {
        "ReadDir",
        "WriteDir",
        "ReadFilterIdx",
        "WriteFilterIdx",
        "TempDir",
        "AutoUpdateClipboard",
        "MaxMRU",
        "Param1",
        "Param2",
        "Param3",
        "RestoreWindowPos",
        "WindowPosLeft",
        "WindowPosTop",
        "WindowPosWidth",
        "WindowPosHeight",
        "ResolutionH",
        "ResolutionV",
        "ResolutionUnit",
        "IncludeRST",
        "DefaultComment",
        "DefaultCommentPath",
        "AutoReadCharset",
        "ReadCharset",
        "AutoWriteCharset",
        "WriteCharset",
        "UseGammaCorrection",
        "UseWriteGammaValue",
        "UseTransparentOnLoad",
        "UseTransparentOnSave",
        "UseDefaultGammaOnLoad",
        "UseDefaultGammaOnSave",
        "bUseInterlaceOnSave",
        "DefaultGamma",
        "ScreenGamma",
        "pngSaveMode",
        "colorTransparent",
        "bUseHalfToneStretch",
        "UseDitherFor16bitColor",
        "AutoFitting",
        "SaveConfig",
        "UsePNGiTXT",
        "DefaultPNGiTXTLang",
        "UseCustomDQT",
    };
    return order;
}

const SettingKey* FindSettingKey(const std::string& name) {
    for (const SettingKey& key : SettingKeys())
        if (strcasecmp(key.name, name.c_str()) == 0) return &key;
    return nullptr;
}

std::string SettingDefault(const SettingKey& key) {
    return key.defaultValue ? key.defaultValue : Platform().TempDirectory();
}

std::string SettingText(const SettingsStore& store, const SettingKey& key) {
    switch (key.kind) {
    case Kind::Int:
        return std::to_string(store.*key.intMember);
    case Kind::String:
        return store.*key.stringMember;
    case Kind::Real: {
        char text[512];
        std::snprintf(text, sizeof text, "%f", store.*key.realMember);
        return text;
    }
    }
    return {};
}

void SetSettingFromText(SettingsStore& store, const SettingKey& key, const std::string& text) {
    switch (key.kind) {
    case Kind::Int:
        store.*key.intMember = ParseProfileInt(text);
        break;
    case Kind::String:
        store.*key.stringMember = text;
        break;
    case Kind::Real:
        store.*key.realMember = std::atof(text.c_str());
        break;
    }
}

std::string ZoomKeyName(int index) {
    return "ZoomRate" + std::to_string(index + 1);
}
