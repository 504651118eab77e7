#pragma once
// The modeless Exif information window: the five summary lines of the active document's Exif
// data, each replaced by its placeholder when it is empty. It opens beside the main window
// without taking the focus from the image.
#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <array>

class CIfdReader;
class ExifData;
class QLabel;

class CExifWindow : public QDialog {
    Q_OBJECT
public:
    // A window owned by mainWindow, moved so that its right edge lines up with the main
    // window's; shown without being activated.
    explicit CExifWindow(QWidget* mainWindow);

    // Captions the window with the document's title and fills the fields from its Exif
    // parser (none: every field shows its placeholder).
    void ShowDocument(const QString& title, const CIfdReader* reader);
    void ShowDocument(const QString& title, const ExifData& exif);
    // No document is active: caption "No Files", placeholders only.
    void ShowNoDocument();

    // Moves the window (size unchanged) so that its right edge is the main window's.
    void AlignRightWith(const QWidget* mainWindow);

signals:
    // The Close button, Escape or the title bar's close box: the owner destroys the window
    // (with deleteLater, since the request comes from inside the window's own event handling).
    void closeRequested();

public slots:
    // Escape and the title bar's close box (through QDialog) ask the owner as well.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void CreateFields();
    void CreateLayout();
    void FillFields(const CIfdReader* reader);

    std::array<QLabel*, 5> fields_{};
    // The window that was active when this one was first shown, and the time since then: an
    // activation that platform or window manager give the new window anyway goes back to it.
    QPointer<QWidget> handBackTo_;
    QElapsedTimer shownFor_;
};
