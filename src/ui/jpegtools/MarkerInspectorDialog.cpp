#include "ui/jpegtools/MarkerInspectorDialog.h"

#include "jpegtools/SegmentHexText.h"
#include "ui/jpegtools/InspectorIcons.h"
#include "ui/jpegtools/QuantTableView.h"
#include "ui/jpegtools/SegmentHexEdit.h"
#include "ui/kit/HelpContext.h"
#include "ui/kit/QtPlatform.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>

namespace {

constexpr int kHelpContext = 1900;
constexpr QSize kGridSize(32, 32);
constexpr QSize kLegendSize(4, 128);
constexpr int kOffsetRole = Qt::UserRole;
constexpr int kCountRole = Qt::UserRole + 1;
constexpr size_t kQuickFillLength = 1024 * 3; // hex text of up to 1,024 bytes: no wait cursor

void AddNodeChildren(QTreeWidgetItem* parent, const MarkerNode& node);

QTreeWidgetItem* NodeItem(const MarkerNode& node) {
    auto* item = new QTreeWidgetItem({QString::fromStdString(DisplayText(node))});
    item->setData(0, kOffsetRole, QVariant::fromValue<qulonglong>(node.offset));
    item->setData(0, kCountRole, QVariant::fromValue<qulonglong>(node.count));
    AddNodeChildren(item, node);
    return item;
}

void AddNodeChildren(QTreeWidgetItem* parent, const MarkerNode& node) {
    for (const MarkerNode& child : node.children)
        parent->addChild(NodeItem(child));
}

QLabel* Caption(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

} // namespace

CMarkerInspectorDialog::CMarkerInspectorDialog(const std::string& path, std::string tempDir,
                                               QWidget* parent)
    : QDialog(parent), tempDir_(std::move(tempDir)) {
    setWindowTitle("JPEG marker view");
    setCursor(Qt::ArrowCursor);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(CreateTreeColumn(), 1);
    layout->addLayout(CreateHexColumn());

    model_.Load(path);
    BuildTree();
    ShowTables();
    for (QToolButton* button : editButtons_)
        button->setEnabled(!model_.IsPng());
    ShowEditPending(false);
}

QLayout* CMarkerInspectorDialog::CreateTreeColumn() {
    tree_ = new QTreeWidget(this);
    tree_->setObjectName("markerTree");
    tree_->setHeaderHidden(true);
    tree_->setMinimumSize(260, 320);
    connect(tree_, &QTreeWidget::currentItemChanged, this, [this] { ShowSegmentHex(false); });
    auto* column = new QVBoxLayout;
    column->addWidget(Caption("Marker List", tree_, this));
    column->addWidget(tree_, 1);
    return column;
}

QLayout* CMarkerInspectorDialog::CreateHexColumn() {
    hexEdit_ = new CSegmentHexEdit(this);
    hexEdit_->setObjectName("hexEdit");
    hexEdit_->setMinimumWidth(hexEdit_->fontMetrics().horizontalAdvance(QString(50, '0')) +
                              hexEdit_->verticalScrollBar()->sizeHint().width() + 12);
    connect(hexEdit_, &CSegmentHexEdit::edited, this, &CMarkerInspectorDialog::OnHexEdited);
    auto* column = new QVBoxLayout;
    column->addWidget(Caption("Marker/Segment Value", hexEdit_, this));
    column->addWidget(hexEdit_, 1);
    column->addLayout(CreateEditButtons());
    column->addLayout(CreateTablesRow());
    return column;
}

QToolButton* CMarkerInspectorDialog::EditButton(InspectorIcon icon, const char* name,
                                                const char* tip,
                                                void (CMarkerInspectorDialog::*command)()) {
    auto* button = new QToolButton(this);
    button->setObjectName(name);
    button->setIcon(InspectorIconOf(icon));
    button->setIconSize(QSize(16, 16));
    button->setToolTip(tip);
    button->setAccessibleName(tip);
    connect(button, &QToolButton::clicked, this, command);
    return button;
}

QLayout* CMarkerInspectorDialog::CreateEditButtons() {
    editButtons_ = {
        EditButton(InspectorIcon::Insert, "insButton", "Ins",
                   &CMarkerInspectorDialog::InsertComment),
        EditButton(InspectorIcon::Delete, "delButton", "Del",
                   &CMarkerInspectorDialog::DeleteSegment),
        EditButton(InspectorIcon::Apply, "okButton", "Ok", &CMarkerInspectorDialog::ApplyEdit),
        EditButton(InspectorIcon::Discard, "cancelButton", "Cancel",
                   &CMarkerInspectorDialog::DiscardEdit),
    };
    auto* row = new QHBoxLayout;
    for (QToolButton* button : editButtons_)
        row->addWidget(button);
    row->addStretch();
    return row;
}

QLayout* CMarkerInspectorDialog::CreateTablesRow() {
    auto* row = new QHBoxLayout;
    for (int id = 0; id < 2; ++id) {
        grids_[id] = new CQuantTableView(8, 8, kGridSize, this);
        grids_[id]->setObjectName(QString("table%1").arg(id));
        qualityTexts_[id] = new QLabel("N/A", this);
        qualityTexts_[id]->setObjectName(QString("qf%1").arg(id));
        auto* column = new QVBoxLayout;
        column->addWidget(new QLabel(QString("DQT(%1)").arg(id), this), 0, Qt::AlignHCenter);
        column->addWidget(grids_[id], 0, Qt::AlignHCenter);
        column->addWidget(qualityTexts_[id], 0, Qt::AlignHCenter);
        column->addStretch();
        row->addLayout(column);
        if (id == 0) {
            auto* legend = new CQuantTableView(1, 256, kLegendSize, this);
            legend->setObjectName("legend");
            legend->ShowLegend();
            row->addWidget(legend);
        }
    }
    row->addStretch();

    saveButton_ = new QPushButton("Save && Reload...", this);
    saveButton_->setObjectName("saveButton");
    saveButton_->setEnabled(false);
    auto* close = new QPushButton("Close", this);
    close->setObjectName("closeButton");
    auto* help = new QPushButton("&Help...", this);
    help->setObjectName("helpButton");
    connect(saveButton_, &QPushButton::clicked, this, &CMarkerInspectorDialog::SaveAndReload);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [this] { ShowHelpContext(this, kHelpContext); });
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {saveButton_, close, help}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    buttons->addStretch();
    row->addLayout(buttons);
    return row;
}

void CMarkerInspectorDialog::BuildTree() {
    tree_->clear();
    for (size_t item = 0; item < model_.ItemCount(); ++item)
        AddTreeItem(item);
}

QTreeWidgetItem* CMarkerInspectorDialog::AddTreeItem(size_t item) {
    QTreeWidgetItem* treeItem = NodeItem(model_.Item(item));
    tree_->insertTopLevelItem(static_cast<int>(item), treeItem);
    return treeItem;
}

void CMarkerInspectorDialog::ShowTables() {
    const CDqtPreview& tables = model_.Tables();
    for (int id = 0; id < 2; ++id) {
        if (tables.HasTable(id)) grids_[id]->SetTable(tables.Table(id).data());
        qualityTexts_[id]->setText(QString::fromStdString(tables.QualityLabel(id)));
    }
}

std::optional<size_t> CMarkerInspectorDialog::SelectedItem() const {
    QTreeWidgetItem* item = tree_->currentItem();
    if (!item) return std::nullopt;
    while (item->parent())
        item = item->parent();
    return static_cast<size_t>(tree_->indexOfTopLevelItem(item));
}

void CMarkerInspectorDialog::ShowSegmentHex(bool forced) {
    const std::optional<size_t> item = SelectedItem();
    if (!item) {
        ShowNoSegment();
        return;
    }
    if (forced || shownItem_ != item) {
        hexText_ = model_.HexText(*item);
        std::optional<WaitCursor> wait;
        if (hexText_.size() > kQuickFillLength) wait.emplace();
        hexEdit_->Fill(hexText_);
        shownItem_ = item;
        ShowEditPending(false);
    }
    const QTreeWidgetItem* node = tree_->currentItem();
    const auto offset = node->data(0, kOffsetRole).toULongLong();
    const auto count = node->data(0, kCountRole).toULongLong();
    hexEdit_->SelectRange(HexSelection(offset, count, hexText_.size()));
}

void CMarkerInspectorDialog::OnHexEdited() {
    if (!model_.IsPng() && !editPending_) ShowEditPending(true);
}

void CMarkerInspectorDialog::ShowEditPending(bool pending) {
    editPending_ = pending;
    editButtons_[2]->setEnabled(pending);
    editButtons_[3]->setEnabled(pending);
}

void CMarkerInspectorDialog::ApplyEdit() {
    const std::optional<size_t> item = SelectedItem();
    if (!item) return;
    auto ask = [this](const std::string& text, Buttons buttons) {
        return AskQuestion(this, text, buttons, Answer::Yes);
    };
    if (model_.ApplyEdit(*item, hexEdit_->Text(), ask)) ShowEditedItem(*item, true);
}

void CMarkerInspectorDialog::InsertComment() {
    const std::optional<size_t> item = SelectedItem();
    if (item && model_.InsertComment(*item)) ShowEditedItem(*item + 1, false);
}

void CMarkerInspectorDialog::DeleteSegment() {
    const std::optional<size_t> item = SelectedItem();
    if (!item || !model_.DeleteSegment(*item)) return;
    const int deleted = static_cast<int>(*item);
    ChangeTree([this, deleted] {
        delete tree_->takeTopLevelItem(deleted);
        // The segment that followed the deleted one is selected, else the one before it.
        const int count = tree_->topLevelItemCount();
        return count == 0 ? nullptr : tree_->topLevelItem(std::min(deleted, count - 1));
    });
}

void CMarkerInspectorDialog::ShowEditedItem(size_t item, bool replacesTreeItem) {
    ChangeTree([this, item, replacesTreeItem] {
        QTreeWidgetItem* edited = AddTreeItem(item);
        if (replacesTreeItem) delete tree_->takeTopLevelItem(static_cast<int>(item) + 1);
        return edited;
    });
    ShowTables();
}

// While the current item is being taken out, the tree names a new current item whose top-level
// index still counts the old one; the hex text must not follow that signal.
void CMarkerInspectorDialog::ChangeTree(const std::function<QTreeWidgetItem*()>& change) {
    {
        const QSignalBlocker quiet(tree_);
        tree_->setCurrentItem(change());
    }
    ShowSegmentHex(true);
    saveButton_->setEnabled(true);
}

void CMarkerInspectorDialog::ShowNoSegment() {
    hexText_.clear();
    hexEdit_->Fill(hexText_);
    shownItem_.reset();
    ShowEditPending(false);
}

void CMarkerInspectorDialog::SaveAndReload() {
    auto ask = [this](const std::string& text, Buttons buttons) {
        return AskQuestion(this, text, buttons, Answer::No);
    };
    if (model_.SaveAndReload(tempDir_, ask) == CMarkerTreeModel::SaveResult::Saved) done(kSaved);
}

bool InspectMarkers(QWidget* parent, const std::string& path, const std::string& tempDir) {
    CMarkerInspectorDialog dialog(path, tempDir, parent);
    return dialog.exec() == CMarkerInspectorDialog::kSaved;
}
