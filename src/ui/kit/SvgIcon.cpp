#include "ui/kit/SvgIcon.h"

QIcon SvgIcon(const char* name) {
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)));
}
