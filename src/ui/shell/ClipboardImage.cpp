#include "ui/shell/ClipboardImage.h"

#include "base/MemoryLimit.h"
#include "ui/shell/ClipboardPicture.h"

#include <QBuffer>
#include <QImageReader>
#include <QMimeData>
#include <algorithm>
#include <climits>

namespace {

int Preference(const QString& format) {
    return format == QLatin1String("image/png") ? 0 : format == QLatin1String("image/bmp") ? 1 : 2;
}

// The offered image formats that Qt reads, PNG and BMP first.
QStringList ReadableFormats(const QMimeData& data) {
    const QList<QByteArray> readable = QImageReader::supportedMimeTypes();
    QStringList formats;
    for (const QString& format : data.formats())
        if (readable.contains(format.toLatin1())) formats << format;
    std::stable_sort(formats.begin(), formats.end(), [](const QString& a, const QString& b) {
        return Preference(a) < Preference(b);
    });
    return formats;
}

// Qt's reader limit in MB: the program's own limit, rounded up.
int AllocationLimitMb() {
    const uint64_t megabytes = (MemoryLimit() + (1u << 20) - 1) >> 20;
    return static_cast<int>(std::min<uint64_t>(megabytes, INT_MAX));
}

// Decodes the bytes of one format; false with the reason.
bool Decode(QByteArray bytes, const QString& format, QImage& image, QString& reason) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, QImageReader::imageFormatsForMimeType(format.toLatin1()).value(0));
    const QSize size = reader.size();
    if (size.isValid()) {
        const uint64_t needed = PictureBytes(uint64_t(size.width()) * 4, uint64_t(size.height()));
        if (!FitsMemoryLimit(needed)) {
            reason = QString::fromStdString(MemoryLimitMessage(needed));
            return false;
        }
    }
    image = reader.read();
    if (image.isNull()) reason = reader.errorString();
    return !image.isNull();
}

} // namespace

ClipboardImage ReadClipboardImage(const QMimeData& data) {
    ClipboardImage read;
    if (const auto* own = qobject_cast<const CClipboardPicture*>(&data)) {
        read.image = own->Picture();
        return read;
    }
    QImageReader::setAllocationLimit(AllocationLimitMb());
    for (const QString& format : ReadableFormats(data)) {
        QImage image;
        QString reason;
        if (Decode(data.data(format), format, image, reason)) return {image, format, {}};
        if (read.reason.isEmpty()) read = {{}, format, reason};
    }
    if (read.reason.isEmpty()) read.image = qvariant_cast<QImage>(data.imageData());
    if (read.image.isNull() && read.reason.isEmpty())
        read.reason = QStringLiteral("no picture data");
    return read;
}

bool HoldsImage(const QMimeData& data) {
    return data.hasImage() || !ReadableFormats(data).isEmpty();
}
