#include "ui/shell/ControlBar.h"

#include "base/StringTable.h"
#include "settings/ControlBarValues.h"
#include "ui/kit/TableText.h"
#include "ui/shell/QualitySpin.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace {

constexpr int kSamplingCount = 4, kExtendedSamplingCount = 5, kEncodingCount = 2;

// A caption whose "&" underlines its letter without taking the key: the command table owns
// Alt+Q, Alt+S, Alt+D, Alt+C and Alt+T.
QString UnderlinedCaption(StringId caption) {
    QString text = TableText(caption).toHtmlEscaped();
    const qsizetype mark = text.indexOf("&amp;");
    if (mark >= 0 && mark + 5 < text.size())
        text = text.left(mark) + "<u>" + text[mark + 5] + "</u>" + text.mid(mark + 6);
    return text;
}

// A button that shows its mnemonic without a shortcut of its own.
template <typename Button> Button* CommandButton(StringId caption, QWidget* parent) {
    auto* button = new Button(TableText(caption), parent);
    button->setShortcut(QKeySequence());
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

} // namespace

CControlBar::CControlBar(const SettingsStore& settings, QAction* commentCommand,
                         QAction* editCommand, QWidget* parent)
    : QToolBar(parent) {
    setObjectName("ControlBar");
    setAllowedAreas(Qt::TopToolBarArea | Qt::BottomToolBarArea);
    AddLabel(StringId::ControlQuality);
    qualityLabel_ = qobject_cast<QLabel*>(widgetForAction(actions().back()));
    quality_ = new CQualitySpin(this);
    quality_->SetText(QString::number(settings.param1));
    quality_->setMinimumWidth(quality_->fontMetrics().horizontalAdvance("0000") +
                              quality_->sizeHint().width());
    addWidget(quality_);
    AddLabel(StringId::ControlSampling);
    sampling_ = new QComboBox(this);
    addWidget(sampling_);
    AddLabel(StringId::ControlEncoding);
    encoding_ = new QComboBox(this);
    addWidget(encoding_);
    FillLists(settings);
    comment_ = CommandButton<QCheckBox>(StringId::ControlComment, this);
    addWidget(comment_);
    edit_ = CommandButton<QPushButton>(StringId::ControlEdit, this);
    addWidget(edit_);
    connect(comment_, &QCheckBox::clicked, commentCommand, &QAction::trigger);
    connect(edit_, &QPushButton::clicked, editCommand, &QAction::trigger);
    ShowComment(false);
}

void CControlBar::AddLabel(StringId caption) {
    auto* label = new QLabel(UnderlinedCaption(caption), this);
    label->setTextFormat(Qt::RichText);
    addWidget(label);
}

void CControlBar::FillLists(const SettingsStore& settings) {
    const int samplings = settings.allowExtSampling ? kExtendedSamplingCount : kSamplingCount;
    sampling_->addItems(TableTexts(StringId::SamplingNames, samplings));
    encoding_->addItems(TableTexts(StringId::EncodingNames, kEncodingCount));
    // A stored index the list does not have leaves it without a selection.
    sampling_->setCurrentIndex(settings.param2 < samplings ? settings.param2 : -1);
    encoding_->setCurrentIndex(settings.param3 < kEncodingCount ? settings.param3 : -1);
}

void CControlBar::Commit(SettingsStore& settings) {
    const auto shown = CommitControlBar(settings, quality_->text().toStdString(),
                                        sampling_->currentIndex(), encoding_->currentIndex());
    if (shown) quality_->SetText(QString::fromStdString(*shown));
}

void CControlBar::ShowComment(bool include) {
    comment_->setChecked(include);
    edit_->setEnabled(include);
}

void CControlBar::EnableQuality(bool enable) {
    qualityLabel_->setEnabled(enable);
    quality_->setEnabled(enable);
}

void CControlBar::FocusQuality() {
    quality_->setFocus(Qt::ShortcutFocusReason);
}

void CControlBar::FocusSampling() {
    sampling_->setFocus(Qt::ShortcutFocusReason);
}

void CControlBar::FocusEncoding() {
    encoding_->setFocus(Qt::ShortcutFocusReason);
}
