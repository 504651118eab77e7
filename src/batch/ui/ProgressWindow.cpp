#include "batch/ui/ProgressWindow.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>

namespace {

// The path line keeps the window's width: a long path loses its middle.
constexpr int kPathLineChars = 56;

QLabel* Line(const QString& text, const char* name, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

} // namespace

CProgressWindow::CProgressWindow()
    : QDialog(nullptr), status_(Line(QString::fromUtf8("処理中です..."), "status", this)),
      counter_(Line(QStringLiteral("0%"), "counter", this)), path_(Line(QString(), "path", this)),
      bar_(new QProgressBar(this)), abort_(new QPushButton(QString::fromUtf8("中断(&A)"), this)) {
    setModal(false);
    bar_->setObjectName("bar");
    bar_->setTextVisible(false);
    abort_->setObjectName("abort");
    path_->setMinimumWidth(fontMetrics().averageCharWidth() * kPathLineChars);
    path_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    auto* grid = new QGridLayout(this);
    grid->addWidget(status_, 0, 0);
    grid->addWidget(counter_, 0, 1, Qt::AlignRight);
    grid->addWidget(path_, 1, 0, 1, 2);
    grid->addWidget(bar_, 2, 0, 1, 2);
    grid->addWidget(abort_, 3, 0, 1, 2, Qt::AlignHCenter);
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
    path_->setText(path_->fontMetrics().elidedText(QString::fromStdString(text), Qt::ElideMiddle,
                                                   path_->width()));
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
