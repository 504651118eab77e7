#include "core/JpegConvert.h"

#include "app/util/FileExtension.h"
#include "app/util/ReportError.h"
#include "app/util/StringTable.h"
#include "app/util/TempFile.h"
#include "core/DocTemplate.h"
#include "core/DocumentHost.h"
#include "core/JpegRead.h"
#include "core/JpegWrite.h"
#include "core/OutputFiles.h"
#include "platform/Platform.h"

#include <cstdio>

namespace {

constexpr int kTempPrefixId = 215, kSamplingNameId = 271, kNoTempFileId = 355;

std::string TempDirectory(const SettingsStore& settings) {
    return settings.tempDir.empty() ? Platform().TempDirectory() : settings.tempDir;
}

bool WriteConversionFile(CImageDoc& source, const std::string& path) {
    COutputFiles output;
    return SaveJpegFile(source, output, path) && output.Commit("ConvertFile");
}

// Opens the written file in a new document that owns it.
CImageDoc* OpenConversion(CImageDoc& source, CDocTemplate& documents, const std::string& path,
                          const std::string& label) {
    CImageDoc* document = documents.OpenDocumentFile(std::string());
    if (!document) return nullptr;
    if (!LoadJpegFile(*document, path)) {
        documents.CloseDocument(*document);
        return nullptr;
    }
    document->SetSyncId(source.SyncId());
    document->SetInfoText(document->description, false);
    document->SetPathName(path, false);
    document->docType = kTypeJpeg;
    document->SetConversionFile(path);
    document->SetTitle(FileTitle(path) + "(" + label + ")");
    document->UpdateAllViews();
    return document;
}

} // namespace

std::string ConversionLabel(const SettingsStore& settings, bool customDqt) {
    const JpegWriteSettings values = JpegWriteSettingsFrom(settings);
    std::string label = customDqt ? "CustomDQT" : "Q=" + std::to_string(values.quality);
    label += " DS=" + LoadString(kSamplingNameId + settings.param2);
    if (settings.param3 == 1) label += " Prg.";
    return label;
}

CImageDoc* ConvertToJpeg(CImageDoc& source, CDocTemplate& documents, std::string& label) {
    SettingsStore& settings = AppSettings();
    DocumentHost().CommitControlBar(settings);
    label = ConversionLabel(settings, source.customDqt);
    const std::string directory = TempDirectory(settings);
    std::string path;
    if (!CreateTempFile(directory, LoadString(kTempPrefixId), ".jpg", path)) {
        ReportErrorId("Convert", directory, kNoTempFileId);
        return nullptr;
    }
    if (!WriteConversionFile(source, path)) {
        ReportError("ConvertFile", source.PathName(), "Convert failed.");
        std::remove(path.c_str());
        return nullptr;
    }
    CImageDoc* converted = OpenConversion(source, documents, path, label);
    if (!converted) std::remove(path.c_str());
    return converted;
}
