#pragma once
// The child window's icon for a document type code (132 clipboard ... 139 TIFF), drawn in code.
#include <QIcon>

QIcon DocumentIcon(int typeCode);
