#pragma once
// The quality field of the control bar: takes whatever number is typed (the settings clamp it
// when they take it), while its arrows step within 0 to 100.
#include <QAbstractSpinBox>

class CQualitySpin : public QAbstractSpinBox {
    Q_OBJECT
public:
    explicit CQualitySpin(QWidget* parent = nullptr);

    // The field's text as typed (text() reads it).
    void SetText(const QString& text);

    void stepBy(int steps) override;
    QValidator::State validate(QString& input, int& position) const override;

protected:
    // Paste's keys reach the command (a picture from the clipboard) unless the user is editing a
    // selection of the field's text.
    bool event(QEvent* event) override;
    StepEnabled stepEnabled() const override;

private:
    // The typed number, or 0 when the field holds none.
    long long TypedValue() const;
};
