#pragma once
// The quantization tables of the open JPEG documents, as the table dialog offers them for import.
#include "base/QuantTableTypes.h"

#include <string>
#include <vector>

class CDocTemplate;

struct OpenJpegTables {
    std::string title;     // the document's title
    QuantTablePair tables; // the two tables its reader kept
};

// Every open JPEG document in the order the template lists them.
std::vector<OpenJpegTables> OpenJpegTablesOf(const CDocTemplate& documents);
