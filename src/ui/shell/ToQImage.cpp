#include "ui/shell/ToQImage.h"

#include <QList>

QImage ToQImage(const CDibImage& image) {
    const auto bytesPerLine = static_cast<qsizetype>(image.BytesPerLine());
    if (!image.TrueColorPixels().empty())
        return QImage(reinterpret_cast<const uchar*>(image.TrueColorPixels().data()), image.Width(),
                      image.Height(), bytesPerLine, QImage::Format_RGB32);
    if (image.IndexPixels().empty()) return QImage();
    QImage indexed(image.IndexPixels().data(), image.Width(), image.Height(), bytesPerLine,
                   QImage::Format_Indexed8);
    const std::span<const uint32_t, 256> colors = image.DrawableColorTable();
    indexed.setColorTable(QList<QRgb>(colors.begin(), colors.end()));
    return indexed;
}
