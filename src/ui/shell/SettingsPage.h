#pragma once
// A page of the settings sheet. It shows the settings when it is made and stores them on the
// sheet's OK, but only once it has been shown: a page the user never opened stores nothing.
#include "base/StringTable.h"
#include "settings/SettingsStore.h"
#include "settings/ValueRule.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;

class CSettingsPage : public QWidget {
public:
    CSettingsPage(int helpContext, QWidget* parent);

    virtual void Store(SettingsStore& settings) = 0;
    int HelpContext() const { return helpContext_; }
    bool WasShown() const { return wasShown_; }

protected:
    void showEvent(QShowEvent* event) override;
    // The page's one frame, titled as given; the page's controls go into it.
    QGroupBox* AddGroup(StringId title);

private:
    int helpContext_;
    bool wasShown_ = false;
};

// A check box with the caption, ticked when value is nonzero.
QCheckBox* MakeCheck(StringId caption, int value, const char* name, QWidget* parent);
// A drop-down list of the entries with the one numbered selection selected; a number out of
// range selects none.
QComboBox* MakeList(const QStringList& entries, int selection, const char* name, QWidget* parent);
// A field that takes what the rule takes (FieldRule.h: the pages read GoodText of it).
QLineEdit* MakeField(const QString& text, const char* name, QWidget* parent,
                     const ValueRule& rule = TextRule());
// Narrows a field to about the given number of digits.
void FitDigits(QLineEdit* field, int digits);
QLabel* MakeLabel(StringId caption, QWidget* buddy, QWidget* parent);
// The control is enabled exactly while the box is ticked (or, inverted, while it is clear),
// from now on and as the box changes.
void EnableWhileTicked(QCheckBox* box, QWidget* control, bool inverted = false);
