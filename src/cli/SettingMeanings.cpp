#include "cli/SettingMeanings.h"

#include <map>
#include <utility>

namespace {

using Meanings = std::map<std::pair<std::string, std::string>, std::string>;

const Meanings& AllMeanings() {
    static const Meanings meanings = {
        {{"default", "ReadDir"}, "folder the open dialog starts in"},
        {{"default", "WriteDir"}, "folder the save dialog starts in"},
        {{"default", "ReadFilterIdx"}, "file type chosen last in the open dialog"},
        {{"default", "WriteFilterIdx"}, "file type chosen last in the save dialog"},
        {{"default", "TempDir"}, "folder of the JPEG conversion's temporary files"},
        {{"default", "AutoUpdateClipboard"}, "open each new clipboard picture as a document"},
        {{"default", "MaxMRU"}, "entries of the recent-file list (0-9)"},
        {{"default", "Param1"}, "JPEG quality (0-100)"},
        {{"default", "Param2"}, "sampling: 0 B/W, 1 1:1, 2 2:1, 3 4:1, 4 1:2"},
        {{"default", "Param3"}, "encoding: 0 baseline, 1 progressive"},
        {{"default", "RestoreWindowPos"}, "reopen the main window where it was"},
        {{"default", "WindowPosLeft"}, "stored main window left edge"},
        {{"default", "WindowPosTop"}, "stored main window top edge"},
        {{"default", "WindowPosWidth"}, "stored main window width"},
        {{"default", "WindowPosHeight"}, "stored main window height"},
        {{"default", "ResolutionH"}, "horizontal JFIF density (0-65535)"},
        {{"default", "ResolutionV"}, "vertical JFIF density (0-65535)"},
        {{"default", "ResolutionUnit"}, "density unit: 0 aspect, 1 dot/inch, 2 dot/cm"},
        {{"default", "IncludeRST"}, "write JPEG files with restart markers"},
        {{"default", "DefaultComment"}, "new documents include the default comment"},
        {{"default", "DefaultCommentPath"}, "file of the default comment"},
        {{"default", "AutoReadCharset"}, "detect the charset of comments read"},
        {{"default", "ReadCharset"}, "charset assumed for comments read (0-4)"},
        {{"default", "AutoWriteCharset"}, "write a comment in the charset it was read in"},
        {{"default", "WriteCharset"}, "charset comments are written in (0-4)"},
        {{"default", "UseTransparentOnLoad"}, "apply PNG transparency when reading"},
        {{"default", "UseTransparentOnSave"}, "PNG save dialog starts with transparency on"},
        {{"default", "UseGammaCorrection"}, "gamma-correct PNG pictures when reading"},
        {{"default", "UseWriteGammaValue"}, "write a gamma value into PNG files"},
        {{"default", "UseDefaultGammaOnLoad"}, "read PNG files with DefaultGamma"},
        {{"default", "UseDefaultGammaOnSave"}, "always write the gamma value into PNG files"},
        {{"default", "bUseInterlaceOnSave"}, "write PNG files interlaced"},
        {{"default", "DefaultGamma"}, "default PNG file gamma"},
        {{"default", "ScreenGamma"}, "monitor gamma for PNG gamma correction"},
        {{"default", "pngSaveMode"},
         "PNG format: 0 RGB, 1 8bit idx, 2 4bit idx, 3 8bit grey, "
         "4 4bit grey"},
        {{"default", "colorTransparent"}, "transparent colour offered for PNG (red low byte)"},
        {{"default", "bUseHalfToneStretch"}, "smooth scaled drawing"},
        {{"default", "UseDitherFor16bitColor"}, "dither on 15/16-bit screens"},
        {{"default", "AutoFitting"}, "fit a new window to its picture"},
        {{"default", "SaveConfig"}, "save the settings at exit"},
        {{"default", "UsePNGiTXT"}, "write PNG comments as iTXt chunks"},
        {{"default", "DefaultPNGiTXTLang"}, "language tag of iTXt comments"},
        {{"default", "UseCustomDQT"}, "new documents use the custom quantization tables"},
        {{"default", "AllowExtSampling"}, "offer the sampling 1:2"},
        {{"default", "ZoomRate"}, "zoom table entry in percent (read only)"},
        {{"batch", "SrcDirectory"}, "source folder"},
        {{"batch", "DstDirectory"}, "destination folder (must exist)"},
        {{"batch", "CreateLog"}, "write the HTML log"},
        {{"batch", "LogFilePath"}, "the HTML log's file"},
        {{"batch", "RecurseDir"}, "walk subfolders"},
        {{"batch", "ExtFilter"}, "select files by the extension list"},
        {{"batch", "StrExtFilter"}, "the extension list"},
        {{"bulkconv", "SizeConvertMode"}, "0 follow the aspect ratio, 1 the base size, 2 keep"},
        {{"bulkconv", "SizeAlignMode"}, "mode 0 fits: 0 the long side, 1 width, 2 height"},
        {{"bulkconv", "SizeWidth"}, "base width (1-65535)"},
        {{"bulkconv", "SizeHeight"}, "base height (1-65535)"},
        {{"bulkconv", "NotEnlarge"}, "never make a side larger"},
        {{"bulkconv", "UsePngFormat"}, "write PNG files instead of JPEG"},
        {{"bulkconv", "ExtThrough"}, "keep .jpg, .png and .bmp sources in their type"},
        {{"bulkconv", "AltIsOriginalSize"}, "the log's alt text gives the source file size"},
        {{"bulkconv", "KeepMetadata"}, "a JPEG output keeps the source's Exif and ICC segments"},
        {{"bulkconv", "FastShrink"}, "decode large JPEG sources at a reduced scale (--fast)"},
        {{"bulkfilter", "RemoveThumb"}, "remove the JFIF header's thumbnail"},
        {{"bulkfilter", "RemoveJFXX"}, "remove JFXX headers"},
        {{"bulkfilter", "RemoveAppX"}, "remove the APPn segments chosen by RemoveAPPn"},
        {{"bulkfilter", "UniteDQT"}, "unite the DQT segments"},
        {{"bulkfilter", "UniteDHT"}, "unite the DHT segments"},
        {{"bulkfilter", "RemoveCOM"}, "remove COM segments"},
        {{"bulkfilter", "ConvertExif"}, "convert Exif files to JFIF"},
        {{"bulkfilter", "ExifGenCmt"}, "put the shooting data into the comment"},
        {{"bulkfilter", "ExifGenEng"}, "write the shooting data in English"},
        {{"bulkfilter", "ExifUserCmt"}, "keep an Exif user comment that is not blank"},
        {{"bulkfilter", "RemoveAPP"}, "remove this APPn segment"},
    };
    return meanings;
}

// "ZoomRate7" and "RemoveAPP12" share their family's meaning.
std::string Family(const std::string& key) {
    size_t end = key.size();
    while (end > 0 && key[end - 1] >= '0' && key[end - 1] <= '9')
        --end;
    return key.substr(0, end);
}

} // namespace

std::string SettingMeaning(const std::string& section, const std::string& key) {
    const Meanings& meanings = AllMeanings();
    for (const std::string& name : {key, Family(key)})
        for (const std::string& group : {section, std::string("batch")}) {
            auto found = meanings.find({group, name});
            if (found != meanings.end()) return found->second;
        }
    return {};
}
