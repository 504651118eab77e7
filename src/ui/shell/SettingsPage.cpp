#include "ui/shell/SettingsPage.h"

#include "ui/kit/FieldRule.h"
#include "ui/kit/TableText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CSettingsPage::CSettingsPage(int helpContext, QWidget* parent)
    : QWidget(parent), helpContext_(helpContext) {}

void CSettingsPage::showEvent(QShowEvent* event) {
    wasShown_ = true;
    QWidget::showEvent(event);
}

QGroupBox* CSettingsPage::AddGroup(StringId title) {
    auto* layout = new QVBoxLayout(this);
    auto* group = new QGroupBox(TableText(title), this);
    layout->addWidget(group);
    layout->addStretch();
    return group;
}

QCheckBox* MakeCheck(StringId caption, int value, const char* name, QWidget* parent) {
    auto* box = new QCheckBox(TableText(caption), parent);
    box->setObjectName(name);
    box->setChecked(value != 0);
    return box;
}

QComboBox* MakeList(const QStringList& entries, int selection, const char* name, QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    list->addItems(entries);
    list->setCurrentIndex(selection >= 0 && selection < entries.size() ? selection : -1);
    return list;
}

QLineEdit* MakeField(const QString& text, const char* name, QWidget* parent,
                     const ValueRule& rule) {
    auto* field = new QLineEdit(text, parent);
    field->setObjectName(name);
    ApplyFieldRule(field, rule);
    return field;
}

void FitDigits(QLineEdit* field, int digits) {
    constexpr int kFrame = 16; // the field's frame and margins
    field->setMaximumWidth(field->fontMetrics().horizontalAdvance(QString(digits, '0')) + kFrame);
}

QLabel* MakeLabel(StringId caption, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(TableText(caption), parent);
    label->setBuddy(buddy);
    return label;
}

void EnableWhileTicked(QCheckBox* box, QWidget* control, bool inverted) {
    control->setEnabled(box->isChecked() != inverted);
    QObject::connect(box, &QCheckBox::toggled, control,
                     [control, inverted](bool ticked) { control->setEnabled(ticked != inverted); });
}
