#pragma once
// Qt's own texts (standard buttons, questions, the file and colour dialogs) in Japanese whatever
// the locale, as the program's own texts are: Qt's Japanese catalogue, and the few texts of the
// file dialogs that the catalogue lacks.
#include <QTranslator>

class CQtTranslation {
public:
    // Installs both into the application; without the catalogue Qt's texts stay English.
    CQtTranslation();
    ~CQtTranslation();
    CQtTranslation(const CQtTranslation&) = delete;
    CQtTranslation& operator=(const CQtTranslation&) = delete;

private:
    // The file type column's names of folders, drives and typeless files.
    class CFileTypeTexts : public QTranslator {
    public:
        QString translate(const char* context, const char* sourceText, const char* disambiguation,
                          int n) const override;
        bool isEmpty() const override { return false; }
    };

    QTranslator catalogue_;
    CFileTypeTexts fileTypes_;
};
