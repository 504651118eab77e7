#include "ui/batch/ProgressWindow.h"
#include "ui/kit/TableText.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>

namespace {

// The path line sets the window's width.
constexpr int kPathLineChars = 56;

QLabel* Line(const QString& text, const char* name, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

// A long text loses its middle rather than widening the window.
void SetElided(QLabel& label, const std::string& text) {
    label.setText(label.fontMetrics().elidedText(QString::fromStdString(text), Qt::ElideMiddle,
                                                 label.width()));
}

} // namespace

CProgressWindow::CProgressWindow()
    : QDialog(nullptr), status_(Line(TableText(StringId::ProcessingNow), "status", this)),
      counter_(Line(QStringLiteral("0%"), "counter", this)), path_(Line(QString(), "path", this)),
      failures_(Line(QString(), "failures", this)), bar_(new QProgressBar(this)),
      abort_(new QPushButton(TableText(StringId::AbortButton), this)) {
    setModal(false);
    bar_->setObjectName("bar");
    bar_->setTextVisible(false);
    abort_->setObjectName("abort");
    path_->setMinimumWidth(fontMetrics().averageCharWidth() * kPathLineChars);
    path_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    // Room for the line before the first failure, so that the window keeps its size.
    failures_->setMinimumHeight(failures_->fontMetrics().height());
    failures_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    auto* grid = new QGridLayout(this);
    grid->addWidget(status_, 0, 0);
    grid->addWidget(counter_, 0, 1, Qt::AlignRight);
    grid->addWidget(path_, 1, 0, 1, 2);
    grid->addWidget(failures_, 2, 0, 1, 2);
    grid->addWidget(bar_, 3, 0, 1, 2);
    grid->addWidget(abort_, 4, 0, 1, 2, Qt::AlignHCenter);
    grid->setColumnStretch(0, 1);
    connect(abort_, &QPushButton::clicked, this, &CProgressWindow::Abort);
    adjustSize();
    setFixedSize(size());
}

void CProgressWindow::CentreOver(const QWidget* window) {
    const QRect over = window ? window->frameGeometry() : screen()->availableGeometry();
    const QRect own = frameGeometry();
    move(over.left() + (over.width() - own.width()) / 2,
         over.top() + (over.height() - own.height()) / 2);
}

void CProgressWindow::SetStatus(const std::string& text) {
    status_->setText(QString::fromStdString(text));
}

void CProgressWindow::SetCounter(const std::string& text) {
    counter_->setText(QString::fromStdString(text));
}

void CProgressWindow::SetPath(const std::string& text) {
    SetElided(*path_, text);
}

void CProgressWindow::SetFailures(const std::string& text) {
    SetElided(*failures_, text);
    failures_->setToolTip(QString::fromStdString(text));
}

void CProgressWindow::SetRange(int total) {
    bar_->setRange(0, total);
    bar_->setValue(0);
}

void CProgressWindow::Step() {
    bar_->setValue(bar_->value() + 1);
}

bool CProgressWindow::KeepGoing() {
    QApplication::processEvents();
    return !aborted_;
}

void CProgressWindow::reject() {
    Abort();
}

void CProgressWindow::Abort() {
    aborted_ = true;
    hide();
}
