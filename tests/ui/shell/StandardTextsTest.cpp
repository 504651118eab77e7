// Qt's own texts in the running program: standard buttons, questions and the file and colour
// dialogs speak Japanese whatever the locale, while buttons whose English captions the dialogs
// name themselves keep them.
#include "ui/AppFixture.h"
#include "ui/imageops/SizeDialog.h"
#include "ui/shell/ExifWindow.h"
#include "ui/shell/SettingsSheet.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

namespace {

QStringList ButtonTexts(const QWidget& dialog) {
    QStringList texts;
    for (const QPushButton* button : dialog.findChildren<QPushButton*>())
        texts << button->text();
    return texts;
}

QStringList LabelTexts(const QWidget& dialog) {
    QStringList texts;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        texts << label->text();
    return texts;
}

} // namespace

class StandardTextsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void standardButtonsAndDialogsAreJapanese() {
        AppOnPicture started;
        CSettingsSheet sheet(started.settings, started.Frame());
        const QStringList sheetButtons = ButtonTexts(sheet);
        for (const char* text : {"OK", "キャンセル", "ヘルプ"})
            QVERIFY2(sheetButtons.contains(QString::fromUtf8(text)), qPrintable(text));

        QMessageBox question(QMessageBox::Question, "", "",
                             QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QCOMPARE(ButtonTexts(question), QStringList({"はい(&Y)", "いいえ(&N)", "キャンセル"}));

        QFileDialog files(started.Frame());
        files.setOption(QFileDialog::DontUseNativeDialog);
        QVERIFY(!LabelTexts(files).contains("Look in:"));
        QVERIFY(!LabelTexts(files).contains("File &name:"));
        QCOMPARE(QCoreApplication::translate("QAbstractFileIconProvider", "Folder"),
                 QString("フォルダ")); // the file list's type column
        QColorDialog colours;
        colours.setOption(QColorDialog::DontUseNativeDialog);
        QVERIFY(!ButtonTexts(colours).contains("Cancel"));
        QVERIFY(!LabelTexts(colours).contains("&Basic colors"));
    }

    void fileListColumnsShowTheirWholeTexts() {
        AppOnPicture started;
        QTemporaryDir folder;
        QFile file(folder.filePath("a.bin"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(31234, 'x'));
        file.close();
        QFileDialog files(started.Frame(), QString(), folder.path());
        files.setOption(QFileDialog::DontUseNativeDialog);
        files.setViewMode(QFileDialog::Detail);
        files.show();
        auto* view = files.findChild<QTreeView*>("treeView");
        QVERIFY(view);
        QTRY_COMPARE(view->model()->rowCount(view->rootIndex()), 1);
        const QModelIndex entry = view->model()->index(0, 0, view->rootIndex());
        for (int column = 1; column < view->header()->count(); ++column)
            QTRY_VERIFY2(view->columnWidth(column) >=
                             view->sizeHintForIndex(entry.siblingAtColumn(column)).width(),
                         qPrintable(entry.siblingAtColumn(column).data().toString()));
    }

    void namedEnglishCaptionsStay() {
        AppOnPicture started;
        CSizeDialog size(10, 10);
        QCOMPARE(ButtonTexts(size), QStringList({"OK", "Cancel"}));
        CExifWindow exif(started.Frame());
        QVERIFY(ButtonTexts(exif).contains("Close"));
    }
};

QTEST_MAIN(StandardTextsTest)
#include "StandardTextsTest.moc"
