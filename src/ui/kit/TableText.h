#pragma once
// Texts of the string table as Qt strings, for every caption, title and message a window shows.
#include "base/StringTable.h"

#include <QString>
#include <QStringList>

// The text with the given id (UTF-8 in the table).
QString TableText(StringId id);
// The `count` texts of a range, from its first id on.
QStringList TableTexts(StringId first, int count);
