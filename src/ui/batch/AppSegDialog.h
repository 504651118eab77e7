#pragma once
// "APPn セグメントの設定": which APP1 ... APP15 segments the batch filter removes. OK stores the
// fifteen boxes into the options; Cancel changes nothing.
#include "jpegtools/FilterOptions.h"

#include <QDialog>
#include <array>

class QCheckBox;

class CAppSegDialog : public QDialog {
    Q_OBJECT
public:
    CAppSegDialog(BulkFltOptions& options, QWidget* parent = nullptr);
    void accept() override;

private:
    // "全選択(&A)": every box takes the opposite of APP1's state, so a second click undoes it.
    void ToggleAll();

    BulkFltOptions& options_;
    std::array<QCheckBox*, kAppCodeCount> boxes_{};
};
