#pragma once
// The controls both batch settings dialogs share: source and destination folders with their
// browse buttons, the log switch with its path and browse button, recursion and the extension
// list. The log path and its button follow the log switch, the extension list follows its box,
// and a newly picked destination folder takes the log file with it.
#include "ui/batch/FolderPicker.h"

#include <QWidget>
#include <string>

class QCheckBox;
class QLineEdit;
class QPushButton;

class CBatchPathControls : public QWidget {
    Q_OBJECT
public:
    // The values of the controls, as both settings sections name them.
    struct Values {
        std::string srcDirectory, dstDirectory;
        int createLog = 0;
        std::string logFilePath;
        int recurseDir = 0, extFilter = 0;
        std::string strExtFilter;
    };

    explicit CBatchPathControls(QWidget* parent = nullptr);

    void SetValues(const Values& values);
    Values GetValues() const;
    // The folder picker behind the two browse buttons (BrowseForFolder unless replaced).
    void SetFolderPicker(FolderPickerFunction picker) { pickFolder_ = std::move(picker); }

private:
    void ApplyEnablingRules();
    void BrowseSource();
    void BrowseDestination();
    void BrowseLogFile();

    QLineEdit* source_;
    QPushButton* sourceBrowse_;
    QLineEdit* destination_;
    QPushButton* destinationBrowse_;
    QCheckBox* createLog_;
    QLineEdit* logPath_;
    QPushButton* logBrowse_;
    QCheckBox* recurse_;
    QCheckBox* extensionFilter_;
    QLineEdit* extensionList_;
    FolderPickerFunction pickFolder_ = BrowseForFolder;
};

// The shared values of a batch settings section ("bulkconv" and "bulkfilter" name them alike).
template <typename Section> CBatchPathControls::Values PathValuesOf(const Section& section) {
    return {section.srcDirectory, section.dstDirectory, section.createLog,   section.logFilePath,
            section.recurseDir,   section.extFilter,    section.strExtFilter};
}

template <typename Section>
void StorePathValues(const CBatchPathControls::Values& values, Section& section) {
    section.srcDirectory = values.srcDirectory;
    section.dstDirectory = values.dstDirectory;
    section.createLog = values.createLog;
    section.logFilePath = values.logFilePath;
    section.recurseDir = values.recurseDir;
    section.extFilter = values.extFilter;
    section.strExtFilter = values.strExtFilter;
}
