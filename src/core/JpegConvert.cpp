#include "core/JpegConvert.h"

#include "base/FileExtension.h"
#include "base/Platform.h"
#include "base/ReportError.h"
#include "base/StringTable.h"
#include "base/TempFile.h"
#include "core/DocTemplate.h"
#include "core/FormatTable.h"
#include "core/ImageWriteOptions.h"
#include "core/JpegWrite.h"
#include "core/OutputFiles.h"

#include <cstdio>

namespace {

// The source takes what the writer learned about the file, as a save does.
bool WriteConversionFile(CImageDoc& source, const ImageWriteOptions& options,
                         const std::string& path) {
    WaitCursor wait;
    ImageFacts written = source.Facts();
    COutputFiles output;
    if (!SaveJpegFile(source.SaveRequest(options), written, output, path) ||
        !output.Commit("ConvertFile"))
        return false;
    source.TakeWrittenFacts(std::move(written));
    return true;
}

// Reads the written file into a new document, which owns the file from then on.
bool FillConversion(CImageDoc& document, const CImageDoc& source, const std::string& path,
                    const std::string& label, const SettingsStore& settings) {
    document.ResetFormatState();
    const ImageReadOptions options =
        ImageReadOptions::FromSettings(settings, Platform().ScreenDepth());
    std::optional<DecodedPicture> decoded = ReadImageFile(kTypeJpeg, path, options);
    if (!decoded) return false;
    document.AdoptDecoded(std::move(*decoded));
    document.SetSyncId(source.SyncId());
    document.SetInfoText(document.Facts().description, false);
    document.SetPathName(path);
    document.SetDocType(kTypeJpeg);
    document.SetConversionFile(path);
    document.SetTitle(FileTitle(path) + "(" + label + ")");
    return true;
}

} // namespace

std::string ConversionLabel(const SettingsStore& settings, bool customDqt) {
    const JpegWriteSettings values = JpegWriteSettingsFrom(settings);
    std::string label = customDqt ? "CustomDQT" : "Q=" + std::to_string(values.quality);
    label += " DS=" + LoadString(StringIdAt(StringId::SamplingNames, settings.param2));
    if (settings.param3 == 1) label += " Prg.";
    return label;
}

CImageDoc* ConvertToJpeg(CImageDoc& source, CDocTemplate& documents, std::string& label) {
    const DocumentContext& context = documents.Context();
    SettingsStore& settings = *context.settings;
    context.prompts->CommitControlBar(settings);
    label = ConversionLabel(settings, source.UsesCustomDqt());
    const std::string directory = TempDirectory(settings);
    std::string path;
    if (!CreateTempFile(directory, LoadString(StringId::TempFilePrefix), ".jpg", path)) {
        ReportErrorId("Convert", directory, StringId::NoTempFile);
        return nullptr;
    }
    if (!WriteConversionFile(source, ImageWriteOptions::FromSettings(settings), path)) {
        ReportError("ConvertFile", source.PathName(), "Convert failed.");
        std::remove(path.c_str());
        return nullptr;
    }
    CImageDoc* converted = documents.OpenFilledDocument([&](CImageDoc& document) {
        return FillConversion(document, source, path, label, settings);
    });
    if (!converted) std::remove(path.c_str());
    return converted;
}
