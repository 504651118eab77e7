#pragma once
// Dialog fields that take only what their rule takes: text fields one line, number fields a
// number in their range. Typing that no further typing can make acceptable is refused with a
// beep; a field that is left (or Entered) holding an unfinished number goes back to its last
// good value with a beep. The dialogs read the last good value.
#include "settings/ValueRule.h"

#include <QString>

class QLineEdit;

// Gives the field its rule; its current text counts as good.
void ApplyFieldRule(QLineEdit* field, const ValueRule& rule);
// The text the field's rule took last (the field's text when it has no rule).
QString GoodText(const QLineEdit* field);
