#pragma once
// A filter string of the string table as the name filters of a file dialog.
#include "app/util/StringTable.h"

#include <QStringList>

QStringList NameFilters(StringId table);
