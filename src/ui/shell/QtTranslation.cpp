#include "ui/shell/QtTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <cstring>
#include <utility>

CQtTranslation::CQtTranslation() {
    if (catalogue_.load(QLocale(QLocale::Japanese, QLocale::Japan), "qtbase", "_",
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&catalogue_);
    QCoreApplication::installTranslator(&fileTypes_);
}

CQtTranslation::~CQtTranslation() {
    QCoreApplication::removeTranslator(&fileTypes_);
    QCoreApplication::removeTranslator(&catalogue_);
}

QString CQtTranslation::CFileTypeTexts::translate(const char* context, const char* sourceText,
                                                  const char*, int) const {
    if (std::strcmp(context, "QAbstractFileIconProvider") != 0) return {};
    for (const auto& [english, japanese] :
         {std::pair{"Folder", "フォルダ"}, std::pair{"Drive", "ドライブ"},
          std::pair{"File", "ファイル"}})
        if (std::strcmp(sourceText, english) == 0) return QString::fromUtf8(japanese);
    return {};
}
