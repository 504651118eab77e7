#pragma once
// The picture a Copy puts on the clipboard. Other programs are offered the formats that paste
// fast, each made only when one asks for it: PNG written for speed (kept once made) and BMP.
// Qt's own image type is not among the formats, since Qt would then offer every image writer it
// has, some of which take seconds for a camera picture while the program waits; pastes inside
// the program take the picture itself.
#include <QImage>
#include <QMimeData>

class CClipboardPicture : public QMimeData {
    Q_OBJECT
public:
    explicit CClipboardPicture(QImage picture);

    const QImage& Picture() const { return picture_; }
    QStringList formats() const override;
    // The offered formats, and Qt's image type, so that hasImage() holds.
    bool hasFormat(const QString& mimeType) const override;

protected:
    QVariant retrieveData(const QString& mimeType, QMetaType type) const override;

private:
    QByteArray Png() const;
    QByteArray Bmp() const;

    QImage picture_; // Format_RGB32
    mutable QByteArray png_;
};
