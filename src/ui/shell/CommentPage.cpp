#include "ui/shell/CommentPage.h"

#include "jpegtools/Charset.h"
#include "jpegtools/CommentPageSettings.h"
#include "ui/kit/FieldRule.h"
#include "ui/kit/FileDialogFilters.h"
#include "ui/kit/TableText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int kHelpContext = 1302;

// The charsets 0 ... 4 by their first names; the code selects its entry, any other code none.
QComboBox* MakeCharsetList(int code, const char* name, QWidget* parent) {
    QStringList names;
    for (int entry = kCharsetAscii; entry <= kCharsetUtf8; ++entry)
        names << CharsetName(entry);
    return MakeList(names, code, name, parent);
}

} // namespace

CCommentPage::CCommentPage(const SettingsStore& settings, QWidget* parent)
    : CSettingsPage(kHelpContext, parent) {
    QGroupBox* group = AddGroup(StringId::CommentGroup);
    path_ = MakeField(QString::fromStdString(settings.defaultCommentPath), "commentPath", group);
    auto* browse = new QPushButton(TableText(StringId::CommentFileBrowse), group);
    connect(browse, &QPushButton::clicked, this, &CCommentPage::BrowseCommentFile);
    defaultComment_ =
        MakeCheck(StringId::DefaultCommentCheck, settings.defaultComment, "defaultComment", group);
    autoRead_ =
        MakeCheck(StringId::AutoReadCharset, settings.autoReadCharset, "autoReadCharset", group);
    readCharset_ = MakeCharsetList(settings.readCharset, "readCharset", group);
    autoWrite_ =
        MakeCheck(StringId::AutoWriteCharset, settings.autoWriteCharset, "autoWriteCharset", group);
    writeCharset_ = MakeCharsetList(settings.writeCharset, "writeCharset", group);
    EnableWhileTicked(autoRead_, readCharset_, true);
    EnableWhileTicked(autoWrite_, writeCharset_, true);

    auto* grid = new QGridLayout(group);
    grid->addWidget(MakeLabel(StringId::DefaultCommentFile, path_, group), 0, 0, 1, 3);
    grid->addWidget(path_, 1, 0, 1, 2);
    grid->addWidget(browse, 1, 2);
    grid->addWidget(defaultComment_, 2, 0, 1, 3);
    grid->addWidget(autoRead_, 3, 0, 1, 3);
    grid->addWidget(new QLabel(TableText(StringId::DefaultCharset), group), 4, 0, Qt::AlignRight);
    grid->addWidget(readCharset_, 4, 1);
    grid->addWidget(autoWrite_, 5, 0, 1, 3);
    grid->addWidget(writeCharset_, 6, 1);
    grid->setColumnStretch(1, 1);
}

void CCommentPage::BrowseCommentFile() {
    QFileDialog dialog(this, TableText(StringId::CommentOpenTitle));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(FileDialogNameFilters(StringId::TextFileFilter));
    dialog.selectFile(path_->text());
    if (dialog.exec() && !dialog.selectedFiles().isEmpty())
        path_->setText(dialog.selectedFiles().first());
}

void CCommentPage::Store(SettingsStore& settings) {
    CommentPageValues values;
    values.defaultCommentPath = GoodText(path_).toStdString();
    values.defaultComment = defaultComment_->isChecked();
    values.autoReadCharset = autoRead_->isChecked();
    values.readCharset = readCharset_->currentIndex();
    values.autoWriteCharset = autoWrite_->isChecked();
    values.writeCharset = writeCharset_->currentIndex();
    StoreCommentPage(settings, values);
}
