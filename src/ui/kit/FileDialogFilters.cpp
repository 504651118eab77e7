#include "ui/kit/FileDialogFilters.h"

#include "base/DialogFilter.h"

QStringList FileDialogNameFilters(StringId table) {
    QStringList filters;
    for (const DialogFilter& filter : ParseDialogFilters(LoadString(table)))
        filters << QString::fromStdString(DialogFilterText(filter));
    return filters;
}
