#include "ui/jpegtools/CustomDqtDialog.h"

#include "base/Platform.h"
#include "jpegtools/CustomTables.h"
#include "jpegtools/DqtFile.h"
#include "jpegtools/QuantTablePair.h"
#include "ui/jpegtools/QuantTableView.h"
#include "ui/kit/FieldRule.h"
#include "ui/kit/FileDialogFilters.h"
#include "ui/kit/HelpContext.h"
#include "ui/kit/TableText.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kHelpContext = 1510;
constexpr QSize kGridSize(80, 80);
constexpr QSize kLegendSize(4, 128);
constexpr int kLowestQuality = 1; // libjpeg's range of quality factors
constexpr int kHighestQuality = 100;

QPushButton* Button(const QString& caption, const char* name, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false); // Enter belongs to the quality edits
    return button;
}

QString FileDialogPath(QWidget* parent, StringId title, const std::string& folder, bool save) {
    QFileDialog dialog(parent, TableText(title), QString::fromStdString(folder));
    dialog.setNameFilters(FileDialogNameFilters(StringId::DqtFilter));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!dialog.exec() || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

} // namespace

CCustomDqtDialog::CCustomDqtDialog(const QuantTablePair& tables,
                                   std::vector<OpenJpegTables> openJpegs, std::string startFolder,
                                   QWidget* parent)
    : QDialog(parent), tables_(tables), openJpegs_(std::move(openJpegs)),
      startFolder_(std::move(startFolder)) {
    setWindowTitle(TableText(StringId::CustomDqtTitle));
    auto* legend = new CQuantTableView(1, 256, kLegendSize, this);
    legend->setObjectName("legend");
    legend->ShowLegend();

    auto* tablesRow = new QHBoxLayout;
    tablesRow->addWidget(CreateTableGroup(0));
    tablesRow->addWidget(legend);
    tablesRow->addWidget(CreateTableGroup(1));
    auto* left = new QVBoxLayout;
    left->addLayout(tablesRow);
    left->addLayout(CreateImportRow());
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(CreateButtonColumn());
    layout->setSizeConstraint(QLayout::SetFixedSize);
    for (int index = 0; index < 2; ++index)
        ShowTable(index);
    lastChanged_ = -1;
}

QGroupBox* CCustomDqtDialog::CreateTableGroup(int index) {
    auto* group = new QGroupBox(QString("DQT(&%1)").arg(index), this);
    grids_[index] = new CQuantTableView(8, 8, kGridSize, group);
    grids_[index]->setObjectName(QString("table%1").arg(index));
    qualityTexts_[index] = new QLabel("N/A", group);
    qualityTexts_[index]->setObjectName(QString("qf%1").arg(index));
    qualityEdits_[index] = new QLineEdit(group);
    qualityEdits_[index]->setObjectName(QString("quality%1").arg(index));
    ApplyFieldRule(qualityEdits_[index], WholeRule(kLowestQuality, kHighestQuality));
    qualityEdits_[index]->setMaximumWidth(
        qualityEdits_[index]->fontMetrics().horizontalAdvance("00000") + 12);
    QPushButton* create =
        Button(TableText(StringId::DqtCreate), index ? "create1" : "create0", group);
    connect(qualityEdits_[index], &QLineEdit::textEdited, this,
            [this, index] { lastChanged_ = index; });
    connect(create, &QPushButton::clicked, this, [this, index] { CreateTable(index); });

    auto* qualityRow = new QHBoxLayout;
    qualityRow->addWidget(qualityEdits_[index]);
    qualityRow->addWidget(create);
    auto* column = new QVBoxLayout(group);
    column->addWidget(grids_[index], 0, Qt::AlignHCenter);
    column->addWidget(qualityTexts_[index], 0, Qt::AlignHCenter);
    column->addLayout(qualityRow);
    return group;
}

QLayout* CCustomDqtDialog::CreateImportRow() {
    auto* label = new QLabel(TableText(StringId::DqtImportLabel), this);
    importList_ = new QComboBox(this);
    importList_->setObjectName("importList");
    for (const OpenJpegTables& jpeg : openJpegs_)
        importList_->addItem(QString::fromStdString(jpeg.title));
    importList_->setCurrentIndex(-1);
    importList_->setMinimumContentsLength(16);
    label->setBuddy(importList_);
    QPushButton* import = Button(TableText(StringId::DqtImport), "importButton", this);
    connect(import, &QPushButton::clicked, this, &CCustomDqtDialog::ImportSelected);

    auto* row = new QVBoxLayout;
    row->addWidget(label);
    auto* listRow = new QHBoxLayout;
    listRow->addWidget(importList_, 1);
    listRow->addWidget(import);
    row->addLayout(listRow);
    return row;
}

QLayout* CCustomDqtDialog::CreateButtonColumn() {
    QPushButton* ok = Button("OK", "okButton", this);
    QPushButton* cancel = Button("Cancel", "cancelButton", this);
    QPushButton* help = Button("&Help...", "helpButton", this);
    QPushButton* load = Button(TableText(StringId::DqtLoad), "loadButton", this);
    QPushButton* save = Button(TableText(StringId::DqtSave), "saveButton", this);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [this] { ShowHelpContext(this, kHelpContext); });
    connect(load, &QPushButton::clicked, this, &CCustomDqtDialog::Load);
    connect(save, &QPushButton::clicked, this, &CCustomDqtDialog::Save);
    auto* column = new QVBoxLayout;
    for (QPushButton* button : {ok, cancel, help})
        column->addWidget(button);
    column->addStretch();
    column->addWidget(load);
    column->addWidget(save);
    return column;
}

void CCustomDqtDialog::ShowTable(int index) {
    const uint32_t sum = grids_[index]->SetTable(tables_.data() + 64 * index);
    qualityTexts_[index]->setText(QString::fromStdString("Qf=" + QualityText(sum)));
}

void CCustomDqtDialog::CreateTable(int index) {
    const QString typed = GoodText(qualityEdits_[index]).trimmed();
    if (typed.isEmpty()) { // no quality typed yet
        Platform().Beep();
        return;
    }
    const int quality = typed.toInt();
    const QuantTable table = MakeQualityTable(index, quality);
    std::copy(table.begin(), table.end(), tables_.begin() + 64 * index);
    ShowTable(index);
}

void CCustomDqtDialog::ImportSelected() {
    const int entry = importList_->currentIndex();
    if (entry < 0 || entry >= static_cast<int>(openJpegs_.size())) {
        QApplication::beep();
        return;
    }
    tables_ = openJpegs_[entry].tables;
    for (int index = 0; index < 2; ++index)
        ShowTable(index);
}

void CCustomDqtDialog::LoadFrom(const std::string& path) {
    const int replaced = LoadDqtTables(path, tables_);
    for (int index = 0; index < replaced; ++index)
        ShowTable(index);
}

void CCustomDqtDialog::SaveTo(const std::string& path) {
    SaveDQT(path, tables_.data());
}

void CCustomDqtDialog::Load() {
    const QString path = FileDialogPath(this, StringId::DqtOpenTitle, startFolder_, false);
    if (!path.isEmpty()) LoadFrom(path.toStdString());
}

void CCustomDqtDialog::Save() {
    const QString path = FileDialogPath(this, StringId::DqtSaveTitle, startFolder_, true);
    if (!path.isEmpty()) SaveTo(path.toStdString());
}

void CCustomDqtDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        QDialog::keyPressEvent(event);
        return;
    }
    if (lastChanged_ >= 0) CreateTable(lastChanged_);
    lastChanged_ = -1;
}

bool EditCustomTables(QWidget* parent, QuantTablePair& tables,
                      const std::vector<OpenJpegTables>& openJpegs,
                      const std::string& startFolder) {
    CCustomDqtDialog dialog(tables, openJpegs, startFolder, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    tables = dialog.Tables();
    return true;
}

bool EditApplicationTables(QWidget* parent, SettingsStore& settings,
                           const std::vector<OpenJpegTables>& openJpegs) {
    QuantTablePair tables = settings.customTables;
    if (!EditCustomTables(parent, tables, openJpegs, settings.readDir)) return false;
    AdoptCustomTables(settings, tables);
    return true;
}
