#pragma once
// File dialog filters from a filter string of the string table.
#include "app/util/StringTable.h"

#include <QStringList>

// "JPEG file(*.jpg *.jpeg)", ... as QFileDialog::setNameFilters takes them.
QStringList NameFilters(StringId table);
