#pragma once
// The marker inspector: the segments of a JPEG file (or the chunks of a PNG file, read-only) as
// a tree, the hex text of the selected segment with the selected field's bytes highlighted,
// quantization tables 0 and 1 as colour grids, and for JPEG files the segment edits that
// "Save && Reload..." writes back over the file.
#include "jpegtools/MarkerTreeModel.h"

#include <QDialog>
#include <array>
#include <functional>
#include <optional>
#include <string>

enum class InspectorIcon;
class CQuantTableView;
class CSegmentHexEdit;
class QLabel;
class QPushButton;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

class CMarkerInspectorDialog : public QDialog {
    Q_OBJECT
public:
    // The result after the edited segments were written to the file.
    static constexpr int kSaved = 1;

    // Opens the file (a failure is reported and leaves the dialog empty); temporary files of
    // saving go to tempDir.
    CMarkerInspectorDialog(const std::string& path, std::string tempDir, QWidget* parent = nullptr);

    const CMarkerTreeModel& Model() const { return model_; }

private:
    QLayout* CreateTreeColumn();
    QLayout* CreateHexColumn();
    QLayout* CreateEditButtons();
    QLayout* CreateTablesRow();
    QToolButton* EditButton(InspectorIcon icon, const char* name, const char* tip,
                            void (CMarkerInspectorDialog::*command)());
    void BuildTree();
    // Adds the tree of the model's item at the top-level position.
    QTreeWidgetItem* AddTreeItem(size_t item);
    void ShowTables();
    // The model item of the selected node's top-level ancestor.
    std::optional<size_t> SelectedItem() const;
    // Fills the hex text with the selected segment when forced or when another segment is
    // shown, then highlights the selected node's bytes.
    void ShowSegmentHex(bool forced);
    void OnHexEdited();
    void ShowEditPending(bool pending);
    void ApplyEdit();
    void DiscardEdit() { ShowSegmentHex(true); }
    void InsertComment();
    void DeleteSegment();
    // After an edit: the tree item of the model's item replaced and selected, tables redrawn.
    void ShowEditedItem(size_t item, bool replacesTreeItem);
    // Changes the tree after an edit with its signals blocked, then selects the item the change
    // returns (or nothing) and shows its segment's bytes.
    void ChangeTree(const std::function<QTreeWidgetItem*()>& change);
    // An empty hex text, for when no node is selected.
    void ShowNoSegment();
    void SaveAndReload();

    CMarkerTreeModel model_;
    std::string tempDir_;
    QTreeWidget* tree_ = nullptr;
    CSegmentHexEdit* hexEdit_ = nullptr;
    std::string hexText_;             // the hex text as filled
    std::optional<size_t> shownItem_; // the item whose segment the hex text shows
    bool editPending_ = false;
    std::array<QToolButton*, 4> editButtons_{}; // Ins, Del, Ok, Cancel
    std::array<CQuantTableView*, 2> grids_{};
    std::array<QLabel*, 2> qualityTexts_{};
    QPushButton* saveButton_ = nullptr;
};

// Runs the inspector on a file; true when it wrote the file.
bool InspectMarkers(QWidget* parent, const std::string& path, const std::string& tempDir);
