#include "app/ui/NameFilters.h"

#include "app/util/DialogFilter.h"

QStringList NameFilters(StringId table) {
    QStringList filters;
    for (const DialogFilter& filter : ParseDialogFilters(LoadString(table)))
        filters << QString::fromStdString(DialogFilterText(filter));
    return filters;
}
