#include "ui/shell/QtTranslation.h"
#include "ui/kit/TableText.h"

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
    // The English names in the order of their Japanese ones in the string table.
    const char* const english[] = {"Folder", "Drive", "File"};
    for (int index = 0; index < 3; ++index)
        if (std::strcmp(sourceText, english[index]) == 0)
            return TableText(StringIdAt(StringId::QtFileTypes, index));
    return {};
}
