// The custom table dialog: tables made from quality factors, the Enter key, DQT files, import,
// and the document command that opens it.
#include "ui/jpegtools/CustomDqtDialog.h"
#include "base/HeadlessPlatform.h"
#include "core/ImageDoc.h"
#include "jpegtools/QuantTablePair.h"
#include "shell/CommandId.h"
#include "ui/jpegtools/QuantTableView.h"
#include "ui/shell/ControlBar.h"
#include "ui/shell/ImageApp.h"
#include "ui/shell/MainFrame.h"
#include "ui/shell/QualitySpin.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

QString QfText(const CCustomDqtDialog& dialog, int index) {
    return dialog.findChild<QLabel*>(QString("qf%1").arg(index))->text();
}

void TypeQuality(CCustomDqtDialog& dialog, int index, const QString& quality) {
    auto* edit = dialog.findChild<QLineEdit*>(QString("quality%1").arg(index));
    edit->clear();
    QTest::keyClicks(edit, quality);
}

} // namespace

class CustomDqtDialogTest : public QObject {
    Q_OBJECT
private slots:
    void createMakesTablesAndEnterMakesTheLastTyped() {
        CCustomDqtDialog dialog(QuantTablePair{}, {}, {});
        dialog.show();
        QCOMPARE(QfText(dialog, 0), QString("Qf=100.3")); // the figure of an all-zero pair
        TypeQuality(dialog, 0, "50");
        dialog.findChild<QPushButton*>("create0")->click();
        QCOMPARE(QfText(dialog, 0), QString("Qf=77.7"));
        QCOMPARE(dialog.Tables()[1], 11);
        QCOMPARE(dialog.findChild<CQuantTableView*>("table0")->CellIndex(0, 0), 16);

        TypeQuality(dialog, 1, "50");
        TypeQuality(dialog, 0, "75");
        auto* edit = dialog.findChild<QLineEdit*>("quality1");
        QTest::keyClick(edit, Qt::Key_Return); // makes only the table typed in last
        QCOMPARE(QfText(dialog, 0), QString("Qf=88.9"));
        QCOMPARE(QfText(dialog, 1), QString("Qf=100.3"));
        QTest::keyClick(edit, Qt::Key_Return); // nothing pending: no change, no close
        QVERIFY(dialog.isVisible());
        dialog.findChild<QPushButton*>("create1")->click();
        QCOMPARE(QfText(dialog, 1), QString("Qf=66.5"));

        TypeQuality(dialog, 0, "100");
        TypeQuality(dialog, 1, "1");
        dialog.findChild<QPushButton*>("create0")->click();
        dialog.findChild<QPushButton*>("create1")->click();
        QCOMPARE(QfText(dialog, 0), QString("Qf=100.0"));
        QCOMPARE(QfText(dialog, 1), QString("Qf=0.0"));
        QCOMPARE(dialog.Tables()[63], 1);
        QCOMPARE(dialog.Tables()[64], 255);
    }

    // A quality that is no number from 1 to 100 is refused with a beep; "作成" takes the last
    // good one, and with none typed yet only beeps.
    void qualityTakesOnlyNumbersInItsRange() {
        CCustomDqtDialog dialog(MakeQualityTablePair(50), {}, {});
        dialog.show();
        const int before = Headless().Beeps();
        TypeQuality(dialog, 0, "abc");
        dialog.findChild<QPushButton*>("create0")->click();
        QCOMPARE(Headless().Beeps() - before, 4);
        QCOMPARE(QfText(dialog, 0), QString("Qf=77.7"));
        TypeQuality(dialog, 0, "1000");
        QCOMPARE(Headless().Beeps() - before, 5);
        TypeQuality(dialog, 0, "75");
        dialog.findChild<QLineEdit*>("quality0")->clear();
        dialog.findChild<QPushButton*>("create0")->click();
        QCOMPARE(QfText(dialog, 0), QString("Qf=88.9"));
    }

    void filesRoundTripAndImportTakesTheChosenDocument() {
        QTemporaryDir dir;
        const std::string saved = (dir.path() + "/pair.dqt").toStdString();
        const QuantTablePair pair = MakeQualityTablePair(40);
        CCustomDqtDialog(pair, {}, {}).SaveTo(saved);
        CCustomDqtDialog loader(QuantTablePair{}, {{"a.jpg", MakeQualityTablePair(90)}}, {});
        loader.LoadFrom(saved);
        QCOMPARE(loader.Tables(), pair);
        QCOMPARE(QfText(loader, 1),
                 QString::fromStdString("Qf=" + QualityTextOf(pair.data() + 64)));

        QFile seventy(dir.path() + "/70.dqt");
        QVERIFY(seventy.open(QIODevice::WriteOnly));
        seventy.write(QByteArray("3,").repeated(70));
        seventy.close();
        loader.LoadFrom(seventy.fileName().toStdString());
        QCOMPARE(loader.Tables()[63], 3);
        QCOMPARE(loader.Tables()[64], pair[64]);

        loader.ImportSelected(); // nothing chosen: a beep only
        QCOMPARE(loader.Tables()[0], 3);
        loader.findChild<QComboBox*>("importList")->setCurrentIndex(0);
        loader.findChild<QPushButton*>("importButton")->click();
        QCOMPARE(loader.Tables(), MakeQualityTablePair(90));
    }

    void settingsCommandTurnsCustomTablesOnEvenWhenCancelled() {
        QTemporaryDir config;
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
        SettingsStore settings;
        CImageApp app{settings};
        const QString jpeg = QString(TEST_DATA_DIR) + "/exif/canon_40d.jpg";
        QVERIFY(app.InitInstance("/opt/bin/tolmena", {jpeg}));
        CMainFrame* frame = app.MainFrame();
        CImageDoc* document = frame->ActiveDocument();
        QVERIFY(document && !document->UsesCustomDqt());
        const QuantTablePair before = document->QuantTables();
        bool sawImport = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<CCustomDqtDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            QVERIFY(!frame->ControlBar()->QualityField()->isEnabled());
            sawImport = dialog->findChild<QComboBox*>("importList")->count() == 1;
            TypeQuality(*dialog, 0, "5");
            QTest::keyClick(dialog, Qt::Key_Return);
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        frame->Action(ID_CUSTOM_DQT_SETTINGS)->trigger();
        QVERIFY(sawImport);
        QVERIFY(document->UsesCustomDqt());
        QVERIFY(!frame->ControlBar()->QualityField()->isEnabled());
        QCOMPARE(document->QuantTables(), before);
        app.ExitInstance();
    }
};

QTEST_MAIN(CustomDqtDialogTest)
#include "CustomDqtDialogTest.moc"
