#pragma once
// The name filters of a file dialog from a filter string of the string table.
#include "app/util/StringTable.h"

#include <QStringList>

QStringList NameFilters(StringId table);
