#include "ui/kit/HelpWindow.h"

#include "base/HelpTopics.h"
#include "base/ProfileFile.h"
#include "settings/SettingsStore.h"
#include "ui/kit/TableText.h"

#include <QFile>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QSettings>
#include <QShortcut>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr const char* kEdition = "qrc:/manual/ja/";
constexpr int kTargetRole = Qt::UserRole;
const QSize kDefaultSize(860, 640);
constexpr int kListWidth = 220;

// The window's size in the profile.
constexpr const char* kSizeSection = "HelpWindow";
constexpr const char* kWidthKey = "Width";
constexpr const char* kHeightKey = "Height";

// The size earlier versions kept in a settings file of their own beside the profile; taken
// over once, then the profile holds it.
QSize FormerSize() {
    const QSettings former(QSettings::IniFormat, QSettings::UserScope, "tolmena", "help");
    return former.value("size", kDefaultSize).toSize();
}

QSize StoredSize(const ProfileFile& profile) {
    if (!profile.HasKey(kSizeSection, kWidthKey)) return FormerSize();
    const QSize size(profile.GetInt(kSizeSection, kWidthKey, 0),
                     profile.GetInt(kSizeSection, kHeightKey, 0));
    return size.isValid() && !size.isEmpty() ? size : kDefaultSize;
}

std::vector<HelpEntry> ReadList(const QString& name) {
    QFile file(QString(":/manual/ja/") + name);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return ParseHelpList(file.readAll().toStdString());
}

} // namespace

QUrl HelpPageUrl(const QString& page) {
    return QUrl(kEdition + page);
}

CHelpWindow::CHelpWindow(QWidget* parent) : CHelpWindow(AppSettings().profile, parent) {}

CHelpWindow::CHelpWindow(ProfileFile& profile, QWidget* parent)
    : QWidget(parent, Qt::Window), profile_(profile) {
    setObjectName("helpWindow");
    setWindowTitle(TableText(StringId::HelpTitle));
    tabs_ = new QTabWidget(this);
    contents_ = new QTreeWidget(tabs_);
    contents_->setObjectName("helpContents");
    contents_->setHeaderHidden(true);
    auto* index = new QWidget(tabs_);
    search_ = new QLineEdit(index);
    search_->setObjectName("helpSearch");
    search_->setPlaceholderText(TableText(StringId::HelpSearchHint));
    search_->setClearButtonEnabled(true);
    keywords_ = new QListWidget(index);
    keywords_->setObjectName("helpKeywords");
    auto* indexLayout = new QVBoxLayout(index);
    indexLayout->setContentsMargins(0, 0, 0, 0);
    indexLayout->addWidget(search_);
    indexLayout->addWidget(keywords_);
    tabs_->addTab(contents_, TableText(StringId::HelpContentsTab));
    tabs_->addTab(index, TableText(StringId::HelpIndexTab));

    browser_ = new QTextBrowser(this);
    browser_->setObjectName("helpBrowser");
    browser_->setOpenExternalLinks(true);
    auto* splitter = new QSplitter(this);
    splitter->addWidget(tabs_);
    splitter->addWidget(browser_);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({kListWidth, kDefaultSize.width() - kListWidth});
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(splitter);

    FillContents();
    FillIndex();
    connect(contents_, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { OpenTarget(item->data(0, kTargetRole).toString()); });
    connect(contents_, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { OpenTarget(item->data(0, kTargetRole).toString()); });
    connect(keywords_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { OpenTarget(item->data(kTargetRole).toString()); });
    connect(keywords_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { OpenTarget(item->data(kTargetRole).toString()); });
    connect(search_, &QLineEdit::textChanged, this, &CHelpWindow::FilterIndex);
    connect(search_, &QLineEdit::returnPressed, this, &CHelpWindow::OpenFirstMatch);
    connect(new QShortcut(QKeySequence::Cancel, this), &QShortcut::activated, this,
            &QWidget::close);
    resize(StoredSize(profile_));
}

void CHelpWindow::FillContents() {
    std::vector<QTreeWidgetItem*> parents;
    for (const HelpEntry& entry : ReadList("contents.txt")) {
        const size_t level = std::min<size_t>(static_cast<size_t>(entry.level), parents.size());
        parents.resize(level);
        auto* item =
            parents.empty() ? new QTreeWidgetItem(contents_) : new QTreeWidgetItem(parents.back());
        item->setText(0, QString::fromStdString(entry.title));
        item->setData(0, kTargetRole, QString::fromStdString(entry.target));
        parents.push_back(item);
    }
    contents_->expandAll();
}

void CHelpWindow::FillIndex() {
    for (const HelpEntry& entry : ReadList("keywords.txt")) {
        auto* item = new QListWidgetItem(QString::fromStdString(entry.title), keywords_);
        item->setData(kTargetRole, QString::fromStdString(entry.target));
    }
    keywords_->sortItems();
}

void CHelpWindow::FilterIndex(const QString& text) {
    for (int row = 0; row < keywords_->count(); ++row) {
        QListWidgetItem* item = keywords_->item(row);
        item->setHidden(!item->text().contains(text.trimmed(), Qt::CaseInsensitive));
    }
}

void CHelpWindow::OpenFirstMatch() {
    for (int row = 0; row < keywords_->count(); ++row) {
        QListWidgetItem* item = keywords_->item(row);
        if (item->isHidden()) continue;
        keywords_->setCurrentItem(item);
        OpenTarget(item->data(kTargetRole).toString());
        return;
    }
}

void CHelpWindow::OpenTarget(const QString& target) {
    if (!target.isEmpty()) browser_->setSource(HelpPageUrl(target));
}

void CHelpWindow::ShowContext(int context) {
    OpenTarget(QString::fromStdString(HelpPageOf(context)));
    tabs_->setCurrentIndex(0);
    Present();
}

void CHelpWindow::ShowIndex() {
    if (browser_->source().isEmpty()) OpenTarget(QString::fromStdString(HelpPageOf(kHelpContents)));
    tabs_->setCurrentIndex(1);
    Present();
    search_->setFocus();
    search_->selectAll();
}

void CHelpWindow::Present() {
    show();
    raise();
    activateWindow();
}

void CHelpWindow::hideEvent(QHideEvent* event) {
    profile_.WriteInt(kSizeSection, kWidthKey, width());
    profile_.WriteInt(kSizeSection, kHeightKey, height());
    QWidget::hideEvent(event);
}
