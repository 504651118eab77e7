#pragma once
// "Exif->JFIF 変換詳細設定": what the Exif to JFIF conversion puts into the comment it makes.
// OK stores the three boxes into the options; the English box is usable only while the
// shooting data goes into the comment.
#include "jpegtools/FilterOptions.h"

#include <QDialog>

class QCheckBox;

class CExifJfifDialog : public QDialog {
    Q_OBJECT
public:
    CExifJfifDialog(BulkFltOptions& options, QWidget* parent = nullptr);
    void accept() override;

private:
    BulkFltOptions& options_;
    QCheckBox* shootingData_;
    QCheckBox* english_;
    QCheckBox* userComment_;
};
