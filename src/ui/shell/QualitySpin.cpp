#include "ui/shell/QualitySpin.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>

namespace {
constexpr int kLowest = 0, kHighest = 100;
}

CQualitySpin::CQualitySpin(QWidget* parent) : QAbstractSpinBox(parent) {
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
}

void CQualitySpin::SetText(const QString& text) {
    lineEdit()->setText(text);
}

long long CQualitySpin::TypedValue() const {
    bool isNumber = false;
    const long long value = lineEdit()->text().trimmed().toLongLong(&isNumber);
    return isNumber ? value : 0;
}

void CQualitySpin::stepBy(int steps) {
    const long long value = std::clamp<long long>(TypedValue() + steps, kLowest, kHighest);
    lineEdit()->setText(QString::number(value));
}

QValidator::State CQualitySpin::validate(QString& input, int&) const {
    for (QChar c : input)
        if (!c.isDigit() && c != ' ') return QValidator::Invalid;
    return QValidator::Acceptable;
}

bool CQualitySpin::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste) &&
        !lineEdit()->hasSelectedText()) {
        event->ignore(); // left to the shortcut
        return true;
    }
    return QAbstractSpinBox::event(event);
}

QAbstractSpinBox::StepEnabled CQualitySpin::stepEnabled() const {
    const long long value = TypedValue();
    StepEnabled enabled = StepNone;
    if (value < kHighest) enabled |= StepUpEnabled;
    if (value > kLowest) enabled |= StepDownEnabled;
    return enabled;
}
