#include "ui/kit/FieldRule.h"

#include "base/Platform.h"

#include <QLineEdit>
#include <QValidator>

namespace {

class CRuleValidator : public QValidator {
public:
    CRuleValidator(const ValueRule& rule, QString good, QObject* parent)
        : QValidator(parent), rule_(rule), good_(std::move(good)) {}

    State validate(QString& input, int&) const override {
        switch (TypedState(rule_, input.toStdString())) {
        case Typed::Taken:
            good_ = input;
            return Acceptable;
        case Typed::Unfinished:
            return Intermediate;
        case Typed::Refused:
            break;
        }
        Platform().Beep();
        return Invalid;
    }

    void fixup(QString& input) const override {
        input = good_;
        Platform().Beep();
    }

    const QString& Good() const { return good_; }

private:
    ValueRule rule_;
    mutable QString good_; // follows every text the rule takes
};

} // namespace

void ApplyFieldRule(QLineEdit* field, const ValueRule& rule) {
    field->setValidator(new CRuleValidator(rule, field->text(), field));
}

QString GoodText(const QLineEdit* field) {
    const auto* validator = dynamic_cast<const CRuleValidator*>(field->validator());
    return validator ? validator->Good() : field->text();
}
