#include "ui/jpegtools/InspectorIcons.h"

#include "ui/kit/SvgIcon.h"

QIcon InspectorIconOf(InspectorIcon icon) {
    static const char* const kNames[] = {"inspector-insert", "inspector-delete", "inspector-apply",
                                         "inspector-discard"};
    return SvgIcon(kNames[static_cast<int>(icon)]);
}
