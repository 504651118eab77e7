#include "ui/kit/QtPlatform.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QThread>
#include <algorithm>
#include <cstdio>

namespace {

// The caption of every message box: the program's name, as the main window shows it.
const QString kMessageCaption = QStringLiteral("Tolmena");

QMessageBox::Icon IconFor(MessageKind kind) {
    switch (kind) {
    case MessageKind::Error:
        return QMessageBox::Critical;
    case MessageKind::Warning:
        return QMessageBox::Warning;
    case MessageKind::Information:
        return QMessageBox::Information;
    case MessageKind::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ButtonsFor(Buttons buttons) {
    switch (buttons) {
    case Buttons::Ok:
        return QMessageBox::Ok;
    case Buttons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case Buttons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

Answer AnswerFor(int button) {
    switch (button) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    default:
        return Answer::Ok;
    }
}

// The button of an answer, in the order of Answer: Yes, No, Cancel, Ok.
QMessageBox::StandardButton ButtonFor(Answer answer) {
    constexpr QMessageBox::StandardButton kButtons[] = {QMessageBox::Yes, QMessageBox::No,
                                                        QMessageBox::Cancel, QMessageBox::Ok};
    return kButtons[static_cast<int>(answer)];
}

// The report's lines joined by spaces.
std::string OneLine(std::string text) {
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

} // namespace

Answer AskQuestion(QWidget* parent, const std::string& text, Buttons buttons,
                   Answer defaultAnswer) {
    QMessageBox box(QMessageBox::Question, kMessageCaption, QString::fromStdString(text),
                    ButtonsFor(buttons), parent);
    box.setDefaultButton(ButtonFor(defaultAnswer));
    return AnswerFor(box.exec());
}

Answer QtPlatform::ShowMessage(const std::string& text, MessageKind kind, Buttons buttons) {
    // A report from a worker thread is shown by the GUI thread, which the worker waits for.
    if (QThread::currentThread() != QApplication::instance()->thread()) {
        Answer answer = Answer::Ok;
        QMetaObject::invokeMethod(
            QApplication::instance(), [&] { answer = ShowMessage(text, kind, buttons); },
            Qt::BlockingQueuedConnection);
        return answer;
    }
    // A failure is also logged on stderr, where a desktop launch keeps it (the session's log).
    if (kind == MessageKind::Error) std::fprintf(stderr, "tolmena: %s\n", OneLine(text).c_str());
    QMessageBox box(IconFor(kind), kMessageCaption, QString::fromStdString(text),
                    ButtonsFor(buttons), parent_);
    // A message shown during a long step (under the wait cursor) gets the arrow while it is up.
    const bool waiting = QApplication::overrideCursor() != nullptr;
    if (waiting) QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int answer = box.exec();
    if (waiting) QApplication::restoreOverrideCursor();
    return AnswerFor(answer);
}

void QtPlatform::Beep() {
    QApplication::beep();
}

void QtPlatform::SetWaitCursor(bool on) {
    if (on)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

int QtPlatform::ScreenDepth() const {
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->depth() : 32;
}
