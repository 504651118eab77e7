#pragma once
// The custom quantization table dialog: draws the two tables with their quality figures, makes
// a table from a quality factor, imports the pair of an open JPEG document, and loads and saves
// DQT files. The caller gives the pair and takes it back after OK.
#include "base/QuantTableTypes.h"
#include "core/OpenJpegTables.h"
#include "settings/SettingsStore.h"

#include <QDialog>
#include <array>
#include <string>
#include <vector>

class CQuantTableView;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class CCustomDqtDialog : public QDialog {
    Q_OBJECT
public:
    CCustomDqtDialog(const QuantTablePair& tables, std::vector<OpenJpegTables> openJpegs,
                     std::string startFolder, QWidget* parent = nullptr);

    const QuantTablePair& Tables() const { return tables_; }

    // Table index from the quality typed for it, as "作成" makes it.
    void CreateTable(int index);
    // The pair of the import list's chosen document; beeps when none is chosen.
    void ImportSelected();
    // The file's tables as far as it has values for them; failures are reported.
    void LoadFrom(const std::string& path);
    void SaveTo(const std::string& path);

protected:
    // Enter makes the table whose quality was typed last, and never closes the dialog.
    void keyPressEvent(QKeyEvent* event) override;

private:
    QGroupBox* CreateTableGroup(int index);
    QLayout* CreateImportRow();
    QLayout* CreateButtonColumn();
    void ShowTable(int index);
    void Load();
    void Save();

    QuantTablePair tables_;
    std::vector<OpenJpegTables> openJpegs_;
    std::string startFolder_;
    std::array<CQuantTableView*, 2> grids_{};
    std::array<QLabel*, 2> qualityTexts_{};
    std::array<QLineEdit*, 2> qualityEdits_{};
    QComboBox* importList_ = nullptr;
    int lastChanged_ = -1; // the quality edit typed in last, or none
};

// Runs the dialog on a copy of tables; true (and the tables changed) after OK.
bool EditCustomTables(QWidget* parent, QuantTablePair& tables,
                      const std::vector<OpenJpegTables>& openJpegs,
                      const std::string& startFolder = {});
// The settings sheet's button: edits the application's tables, which after OK are kept and
// marked for saving at exit.
bool EditApplicationTables(QWidget* parent, SettingsStore& settings,
                           const std::vector<OpenJpegTables>& openJpegs);
