#include "ui/shell/ExifWindow.h"

#include "core/ExifData.h"
#include "jpegtools/Charset.h"
#include "jpegtools/ExifSummary.h"
#include "ui/kit/TableText.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

namespace {

enum Field { kCamera, kOptics, kDate, kExposureMode, kExposure };

// Shown by a field whose line is empty, in the order of the summary lines.
constexpr std::array<const char*, 5> kPlaceholders = {"- No maker info -", "- No optical info -",
                                                      "- No Date -", "- No exposure mode -",
                                                      "- No exposure info -"};

// The texts the fields must show in full: the date beside the optics line, and the widest
// exposure mode line.
constexpr const char* kWidestHalf = "0000:00:00 00:00:00";
constexpr int kHalfGap = 12;
// How long after its first showing an activation of the window counts as part of opening it.
constexpr qint64 kOpeningMs = 500;

QString FromSjis(const std::string& line) {
    return QString::fromStdString(
        FromShiftJis(line.data(), kCharsetUtf8, static_cast<int>(line.size())));
}

} // namespace

CExifWindow::CExifWindow(QWidget* mainWindow) : QDialog(mainWindow) {
    setWindowTitle("EXIF information");
    setAttribute(Qt::WA_ShowWithoutActivating);
    CreateFields();
    CreateLayout();
    FillFields(nullptr);
    adjustSize();
    if (mainWindow) AlignRightWith(mainWindow);
}

void CExifWindow::CreateFields() {
    const QFontMetrics metrics(font());
    const int half = metrics.horizontalAdvance(kWidestHalf) + 2 * metrics.averageCharWidth();
    const int full = std::max(2 * half + kHalfGap,
                              metrics.horizontalAdvance(TableText(StringId::ExifWidestLine)));
    const char* names[] = {"camera", "optics", "date", "exposureMode", "exposure"};
    for (size_t i = 0; i < fields_.size(); ++i) {
        fields_[i] = new QLabel(this);
        fields_[i]->setObjectName(names[i]);
        fields_[i]->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        // A fixed width: a long text is cut off rather than widening the window.
        fields_[i]->setFixedWidth(i == kOptics || i == kDate ? (full - kHalfGap) / 2 : full);
    }
    fields_[kDate]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void CExifWindow::CreateLayout() {
    auto* close = new QPushButton("Close", this);
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &CExifWindow::closeRequested);

    auto* grid = new QGridLayout(this);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    grid->setHorizontalSpacing(kHalfGap);
    grid->addWidget(fields_[kCamera], 0, 0, 1, 2);
    grid->addWidget(fields_[kOptics], 1, 0);
    grid->addWidget(fields_[kDate], 1, 1);
    grid->addWidget(fields_[kExposureMode], 2, 0, 1, 2);
    grid->addWidget(fields_[kExposure], 3, 0, 1, 2);
    grid->addWidget(close, 4, 0, 1, 2, Qt::AlignHCenter);
}

void CExifWindow::ShowDocument(const QString& title, const CIfdReader* reader) {
    setWindowTitle(title);
    FillFields(reader);
}

void CExifWindow::FillFields(const CIfdReader* reader) {
    std::array<std::string, 5> lines;
    if (reader) lines = ExifSummaryLines(*reader, kSummaryJapanese);
    for (size_t i = 0; i < fields_.size(); ++i)
        fields_[i]->setText(lines[i].empty() ? QString(kPlaceholders[i]) : FromSjis(lines[i]));
}

void CExifWindow::ShowDocument(const QString& title, const ExifData& exif) {
    ShowDocument(title, exif.Reader());
}

void CExifWindow::ShowNoDocument() {
    ShowDocument(TableText(StringId::NoFiles), nullptr);
}

void CExifWindow::AlignRightWith(const QWidget* mainWindow) {
    const QRect mainFrame = mainWindow->frameGeometry();
    // Until the window has been shown its frame is unknown: assume borders like the main
    // window's.
    const int frameWidth =
        isVisible() ? frameGeometry().width() : width() + mainFrame.width() - mainWindow->width();
    move(mainFrame.right() + 1 - frameWidth, mainFrame.top());
}

void CExifWindow::reject() {
    emit closeRequested();
}

void CExifWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (shownFor_.isValid()) return;
    shownFor_.start();
    QWidget* active = QApplication::activeWindow();
    handBackTo_ = active != this ? active : nullptr;
}

void CExifWindow::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isActiveWindow() || !handBackTo_) return;
    if (shownFor_.elapsed() <= kOpeningMs) handBackTo_->activateWindow();
    handBackTo_ = nullptr;
}
