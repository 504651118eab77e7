#include "core/OpenJpegTables.h"

#include "base/FileExtension.h"
#include "core/DocTemplate.h"
#include "core/ImageDoc.h"

std::vector<OpenJpegTables> OpenJpegTablesOf(const CDocTemplate& documents) {
    std::vector<OpenJpegTables> jpegs;
    for (const auto& document : documents.Documents())
        if (document->DocType() == kTypeJpeg)
            jpegs.push_back({document->Title(), document->QuantTables()});
    return jpegs;
}
