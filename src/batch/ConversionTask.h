#pragma once
// The batch conversion: every selected file of the source tree is read into one work
// document, scaled to the target size when that differs, and saved under its output name in
// the mirrored destination tree; the output's extension decides its format.
#include "batch/BatchJob.h"
#include "batch/BulkConvSettings.h"

#include <string>

class CDocTemplate;
class CImageDoc;

struct ImageSize {
    int width = 0;
    int height = 0;
    bool operator==(const ImageSize&) const = default;
};

// The size a width × height picture is converted to. Divisions truncate; a side that a very
// long or tall picture would shrink to 0 is kept at 1.
ImageSize ConversionTargetSize(ImageSize source, const BulkConvSettings& settings);

// The output name of a source file name: its extension (from the last ".") replaced by the
// output extension, or the output extension appended when it has none. With keepSourceType a
// ".jpg", ".png" or ".bmp" name (any case) is kept as it is.
std::string ConversionOutputName(const std::string& name, const std::string& outputExtension,
                                 bool keepSourceType);

class CConversionTask : public IBatchTask {
public:
    // The work document is made in documents for the length of the run.
    CConversionTask(const BulkConvSettings& settings, CDocTemplate& documents)
        : settings_(settings), documents_(documents) {}

    std::string ReportName() const override { return "BulkCnv"; }
    void Configure(CBatchJob& job) override;
    bool Run(CBatchJob& job) override;
    std::string OutputName(const std::string& name) const override;
    // Worker 0 uses the work document; each other worker a document of its own, outside the
    // template (no window shows it).
    std::unique_ptr<IBatchWorker> NewWorker(int index) override;

private:
    BulkConvSettings settings_;
    CDocTemplate& documents_;
    CImageDoc* document_ = nullptr;
};
