// The batch settings dialogs: enabling rules, the log file following a picked destination, the
// APPn "select all" toggle, and OK leaving the profile alone.
#include "base/HeadlessPlatform.h"
#include "ui/batch/AppSegDialog.h"
#include "ui/batch/BatchPathControls.h"
#include "ui/batch/BulkConvDialog.h"
#include "ui/batch/BulkFltDialog.h"
#include "ui/batch/ExifJfifDialog.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

template <typename T> T* Child(const QObject& parent, const char* name) {
    T* child = parent.findChild<T*>(name);
    if (!child) qFatal("no child %s", name);
    return child;
}

} // namespace

class BatchDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void sizeControlsFollowTheSizeMode() {
        SettingsStore store;
        store.profile.WriteInt("bulkconv", "SizeConvertMode", 1);
        store.profile.WriteInt("bulkconv", "SizeWidth", 120);
        CBulkConvDialog dialog(store);
        auto* width = Child<QLineEdit>(dialog, "sizeWidth");
        auto* align = Child<QRadioButton>(dialog, "alignMode2");
        QCOMPARE(width->text(), QString("120"));
        QVERIFY(!width->isEnabled() && !align->isEnabled()); // opened in mode 1

        QTest::mouseClick(Child<QRadioButton>(dialog, "sizeMode0"), Qt::LeftButton);
        QVERIFY(width->isEnabled() && align->isEnabled());
        QVERIFY(Child<QLineEdit>(dialog, "sizeHeight")->isEnabled());
        QTest::mouseClick(Child<QRadioButton>(dialog, "sizeMode2"), Qt::LeftButton);
        QVERIFY(!width->isEnabled() && !align->isEnabled());
        QCOMPARE(width->text(), QString("120")); // kept while disabled

        auto* png = Child<QCheckBox>(dialog, "usePngFormat");
        QVERIFY(!Child<QPushButton>(dialog, "pngSettings")->isEnabled());
        png->click();
        QVERIFY(Child<QPushButton>(dialog, "pngSettings")->isEnabled());
        auto* log = Child<QCheckBox>(dialog, "createLog");
        QVERIFY(!Child<QLineEdit>(dialog, "logPathEdit")->isEnabled());
        log->click();
        QVERIFY(Child<QLineEdit>(dialog, "logPathEdit")->isEnabled());
        QVERIFY(Child<QPushButton>(dialog, "logBrowse")->isEnabled());

        width->setText("");
        dialog.accept();
        QCOMPARE(dialog.Settings().sizeConvertMode, 2);
        QCOMPARE(dialog.Settings().sizeWidth, 0); // not a number reads as 0
        QCOMPARE(dialog.Settings().usePngFormat, 1);
        QCOMPARE(store.profile.GetInt("bulkconv", "SizeConvertMode", -1), 1); // OK wrote nothing
    }

    // An empty, zero or too large side would fail every file of the run: OK and
    // "この設定を保存" beep and leave the dialog open with the field to correct.
    void okRefusesABaseSizeTheRunCannotUse() {
        SettingsStore store;
        CBulkConvDialog dialog(store);
        auto* width = Child<QLineEdit>(dialog, "sizeWidth");
        auto* height = Child<QLineEdit>(dialog, "sizeHeight");
        for (const char* refused : {"", "0", "65536"}) {
            width->setText(refused);
            const int beeps = Headless().Beeps();
            dialog.accept();
            QCOMPARE(dialog.result(), int(QDialog::Rejected));
            QCOMPARE(Headless().Beeps(), beeps + 1);
            QCOMPARE(dialog.focusWidget(), static_cast<QWidget*>(width));
        }
        width->setText("65535");
        height->setText("");
        QTest::mouseClick(Child<QPushButton>(dialog, "saveSettings"), Qt::LeftButton);
        QCOMPARE(store.profile.GetInt("bulkconv", "SizeWidth", -1), -1); // nothing written
        height->setText("1");
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.Settings().sizeWidth, 65535);
    }

    void theLogFileMovesIntoAPickedDestination() {
        SettingsStore store;
        store.profile.WriteString("bulkfilter", "LogFilePath", "/var/old/run.htm");
        store.profile.WriteString("bulkfilter", "DstDirectory", "/var/old");
        CBulkFltDialog dialog(store);
        bool pick = false;
        dialog.PathControls()->SetFolderPicker(
            [&](QWidget*, std::string& folder, const std::string& title) {
                if (!pick) return false;
                if (title != "転送先ディレクトリの検索" || folder != "/var/old") return false;
                folder = "/srv/new";
                return true;
            });
        auto* destination = Child<QLineEdit>(dialog, "destinationEdit");
        auto* logPath = Child<QLineEdit>(dialog, "logPathEdit");
        QTest::mouseClick(Child<QPushButton>(dialog, "destinationBrowse"), Qt::LeftButton);
        QCOMPARE(logPath->text(), QString("/var/old/run.htm")); // cancelled: nothing moves

        pick = true;
        QTest::mouseClick(Child<QPushButton>(dialog, "destinationBrowse"), Qt::LeftButton);
        QCOMPARE(destination->text(), QString("/srv/new"));
        QCOMPARE(logPath->text(), QString("/srv/new/run.htm"));
        dialog.accept();
        QCOMPARE(dialog.Settings().logFilePath, std::string("/srv/new/run.htm"));
    }

    void selectAllTogglesFromTheFirstBox() {
        BulkFltOptions options;
        options.removeApp[4] = 0;
        CAppSegDialog dialog(options);
        auto* selectAll = Child<QPushButton>(dialog, "selectAll");
        QTest::mouseClick(selectAll, Qt::LeftButton); // APP1 checked: all cleared
        for (int n = 1; n <= kAppCodeCount; ++n)
            QVERIFY(!Child<QCheckBox>(dialog, qPrintable(QString("APP%1").arg(n)))->isChecked());
        Child<QCheckBox>(dialog, "APP7")->setChecked(true);
        dialog.reject();
        QCOMPARE(options.removeApp[0], 1); // Cancel keeps the options
        QCOMPARE(options.removeApp[4], 0);

        QTest::mouseClick(selectAll, Qt::LeftButton); // APP1 clear: all checked
        for (int n = 1; n <= kAppCodeCount; ++n)
            QVERIFY(Child<QCheckBox>(dialog, qPrintable(QString("APP%1").arg(n)))->isChecked());
        Child<QCheckBox>(dialog, "APP15")->setChecked(false);
        dialog.accept();
        QCOMPARE(options.removeApp[4], 1);
        QCOMPARE(options.removeApp[14], 0);
    }

    void detailsAreEditedInPlaceAndSavedWithTheSection() {
        SettingsStore store;
        store.profilePath = QDir::temp().filePath("tolmena-batch-dialogs.ini").toStdString();
        CBulkFltDialog dialog(store);
        auto* exifDetails = Child<QPushButton>(dialog, "exifDetails");
        QVERIFY(!exifDetails->isEnabled()); // ConvertExif is off by default
        Child<QCheckBox>(dialog, "convertExif")->click();
        QVERIFY(exifDetails->isEnabled());

        BulkFltOptions options;
        CExifJfifDialog exif(options);
        auto* english = Child<QCheckBox>(exif, "exifGenEng");
        QVERIFY(english->isEnabled());
        Child<QCheckBox>(exif, "exifGenCmt")->click();
        QVERIFY(!english->isEnabled());
        exif.accept();
        QCOMPARE(options.exifGenCmt, 0);

        QTest::mouseClick(Child<QPushButton>(dialog, "saveSettings"), Qt::LeftButton);
        QCOMPARE(store.profile.GetInt("bulkfilter", "ConvertExif", 0), 1);
        QCOMPARE(store.profile.GetInt("bulkfilter", "RemoveAPP15", 0), 1);
        QFile::remove(QString::fromStdString(store.profilePath));
    }
};

QTEST_MAIN(BatchDialogsTest)
#include "BatchDialogsTest.moc"
