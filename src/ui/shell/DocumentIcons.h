#pragma once
// The icons of documents, by document type code, and of the application:
// drawings of 16 × 16 logical pixels.
#include <QIcon>

// The icon of a child window holding a document of that type (132 clipboard,
// 133 BMP, 134 raw RGB, 135 JPEG, 136 PNG, 137 MAG/MAKI, 139 TIFF); a plain
// page for any other code.
QIcon DocumentIcon(int typeCode);
// The program's own icon.
QIcon ApplicationIcon();
