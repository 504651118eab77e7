#include "ui/kit/TableText.h"

QString TableText(StringId id) {
    return QString::fromStdString(LoadString(id));
}

QStringList TableTexts(StringId first, int count) {
    QStringList texts;
    for (int offset = 0; offset < count; ++offset)
        texts << TableText(StringIdAt(first, offset));
    return texts;
}
