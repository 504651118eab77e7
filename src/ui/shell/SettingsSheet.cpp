#include "ui/shell/SettingsSheet.h"

#include "ui/kit/HelpContext.h"
#include "ui/kit/TableText.h"
#include "ui/shell/CommentPage.h"
#include "ui/shell/GeneralPage.h"
#include "ui/shell/JpegPage.h"
#include "ui/shell/PngPage.h"

#include <QDialogButtonBox>
#include <QTabWidget>
#include <QVBoxLayout>

CSettingsSheet::CSettingsSheet(SettingsStore& settings, QWidget* parent)
    : QDialog(parent), settings_(settings), tabs_(new QTabWidget(this)) {
    setWindowTitle(TableText(StringId::SettingsTitle));
    AddPage(new CGeneralPage(settings, tabs_), TableText(StringId::GeneralPageTab), "generalPage");
    AddPage(new CCommentPage(settings, tabs_), TableText(StringId::CommentPageTab), "commentPage");
    jpegPage_ = new CJpegPage(settings, tabs_);
    AddPage(jpegPage_, "JPEG", "jpegPage");
    AddPage(new CPngPage(settings, tabs_), "PNG", "pngPage");
    auto* buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CSettingsSheet::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CSettingsSheet::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, &CSettingsSheet::ShowHelp);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(buttons);
}

void CSettingsSheet::AddPage(CSettingsPage* page, const QString& caption, const char* name) {
    page->setObjectName(name);
    tabs_->addTab(page, caption);
    pages_.push_back(page);
}

void CSettingsSheet::ShowHelp() {
    ShowHelpContext(this, pages_[static_cast<size_t>(tabs_->currentIndex())]->HelpContext());
}

void CSettingsSheet::accept() {
    for (CSettingsPage* page : pages_)
        if (page->WasShown()) page->Store(settings_);
    QDialog::accept();
}
