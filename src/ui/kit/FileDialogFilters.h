#pragma once
// File dialog name filters from a filter string of the string table.
#include "base/StringTable.h"

#include <QStringList>

// One entry per filter of the table, as QFileDialog::setNameFilters takes them.
QStringList FileDialogNameFilters(StringId table);
