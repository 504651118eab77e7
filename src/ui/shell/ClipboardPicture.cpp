#include "ui/shell/ClipboardPicture.h"

#include "core/QuickPng.h"

#include <QBuffer>
#include <QImageWriter>

namespace {
const QString kPng = QStringLiteral("image/png");
const QString kBmp = QStringLiteral("image/bmp");
const QString kQtImage = QStringLiteral("application/x-qt-image");
} // namespace

CClipboardPicture::CClipboardPicture(QImage picture)
    : picture_(picture.convertToFormat(QImage::Format_RGB32)) {}

QStringList CClipboardPicture::formats() const {
    return {kPng, kBmp};
}

bool CClipboardPicture::hasFormat(const QString& mimeType) const {
    return mimeType == kQtImage || mimeType == kPng || mimeType == kBmp;
}

QVariant CClipboardPicture::retrieveData(const QString& mimeType, QMetaType) const {
    if (mimeType == kQtImage) return picture_;
    if (mimeType == kPng) return Png();
    if (mimeType == kBmp) return Bmp();
    return {};
}

QByteArray CClipboardPicture::Png() const {
    if (png_.isEmpty() && !picture_.isNull()) {
        const std::vector<uint8_t> bytes = EncodeQuickPng(
            picture_.constBits(), static_cast<size_t>(picture_.width()),
            static_cast<size_t>(picture_.height()), static_cast<size_t>(picture_.bytesPerLine()));
        png_ = QByteArray(reinterpret_cast<const char*>(bytes.data()),
                          static_cast<qsizetype>(bytes.size()));
    }
    return png_;
}

QByteArray CClipboardPicture::Bmp() const {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, "bmp").write(picture_);
    return bytes;
}
