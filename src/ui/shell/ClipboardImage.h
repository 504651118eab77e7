#pragma once
// Reads the picture on the clipboard for Paste: the program's own copy as it is; from another
// program the first offered image format that decodes, PNG and BMP before the others, within
// the program's memory limit (Qt's own, smaller limit for its readers is raised to it).
#include <QImage>
#include <QString>

class QMimeData;

struct ClipboardImage {
    QImage image;   // null when no picture could be read
    QString format; // the format read, or the first that failed ("image/png")
    QString reason; // why that format could not be read
};

ClipboardImage ReadClipboardImage(const QMimeData& data);
// Whether the data offers a picture: Qt's image type or an image format Qt reads.
bool HoldsImage(const QMimeData& data);
