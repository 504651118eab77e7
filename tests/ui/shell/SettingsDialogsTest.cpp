// The settings sheet, the PNG save options and the About box, driven through their controls.
#include "base/FileExtension.h"
#include "base/HeadlessPlatform.h"
#include "core/ImageDoc.h"
#include "core/PngWrite.h"
#include "shell/CommandId.h"
#include "support/StandaloneContext.h"
#include "ui/shell/AboutDialog.h"
#include "ui/shell/ControlBar.h"
#include "ui/shell/DocumentPrompts.h"
#include "ui/shell/DocumentWindows.h"
#include "ui/shell/MainFrame.h"
#include "ui/shell/PngSaveDialog.h"
#include "ui/shell/SettingsSheet.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

const std::string kIndexedPng = std::string(TEST_DATA_DIR) + "/png/pngsuite/basn3p04.png";

template <typename Widget> Widget* Child(const QObject& parent, const char* name) {
    auto* child = parent.findChild<Widget*>(name);
    if (!child) qFatal("no child %s", name);
    return child;
}

void Type(QLineEdit* field, const QString& text) {
    field->selectAll();
    QTest::keyClicks(field, text);
}

// Ends the next modal dialog with OK (after letting act adjust it) or with Escape.
void EndNextDialog(bool accept, std::function<void(QWidget*)> act = {}) {
    QTimer::singleShot(0, [accept, act] {
        QWidget* dialog = QApplication::activeModalWidget();
        QVERIFY(dialog);
        if (act) act(dialog);
        if (accept)
            static_cast<QDialog*>(dialog)->accept();
        else
            QTest::keyClick(dialog, Qt::Key_Escape);
    });
}

} // namespace

class SettingsDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void historyCountIsKeptWithinItsRange() {
        // A digit or sign that takes the count out of 0-9 is refused.
        for (const auto& [typed, stored] : {std::pair{"12", 1}, std::pair{"-3", 3}}) {
            SettingsStore settings;
            CSettingsSheet sheet(settings, nullptr);
            sheet.show();
            Type(Child<QLineEdit>(sheet, "historyCount"), typed);
            sheet.accept();
            QCOMPARE(settings.maxMRU, stored);
        }
    }

    void clearingTheHistoryOutlastsCancel() {
        QTemporaryDir dir;
        SettingsStore settings;
        UseProfile(settings, (dir.path() + "/tolmena.ini").toStdString());
        settings.recentFiles = {"/a.jpg"};
        settings.maxMRU = 5;
        CSettingsSheet sheet(settings, nullptr);
        sheet.show();
        Type(Child<QLineEdit>(sheet, "historyCount"), "2");
        QTest::mouseClick(Child<QPushButton>(sheet, "clearHistory"), Qt::LeftButton);
        QTest::keyClick(&sheet, Qt::Key_Escape);
        QVERIFY(sheet.isHidden());
        QVERIFY(settings.recentFiles.empty());
        QCOMPARE(settings.recentListCleared, 1);
        QCOMPARE(settings.maxMRU, 5);
    }

    void aPageNeverShownStoresNothing() {
        SettingsStore settings;
        settings.defaultGamma = 0.5;
        settings.usePngITxt = 1;
        {
            CSettingsSheet sheet(settings, nullptr);
            sheet.show();
            Child<QLineEdit>(sheet, "defaultGamma")->setText("abc");
            Child<QCheckBox>(sheet, "useITxt")->setChecked(false);
            QVERIFY(!Child<QLineEdit>(sheet, "iTxtLanguage")->isEnabled());
            sheet.accept();
        }
        QCOMPARE(settings.defaultGamma, 0.5);
        QCOMPARE(settings.usePngITxt, 1);

        CSettingsSheet sheet(settings, nullptr);
        sheet.show();
        sheet.Tabs()->setCurrentIndex(3);
        Type(Child<QLineEdit>(sheet, "defaultGamma"), "abc"); // refused
        Child<QLineEdit>(sheet, "screenGamma")->clear();      // left unfinished
        sheet.accept();
        QCOMPARE(settings.defaultGamma, 0.5);
        QCOMPARE(settings.screenGamma, 2.2);
    }

    // Number fields refuse with a beep what is no number in their range and keep their last
    // good value; text fields refuse line breaks, which would break the profile's lines.
    void fieldsTakeOnlyWhatTheirSettingHolds() {
        SettingsStore settings;
        settings.resolutionV = 72;
        CSettingsSheet sheet(settings, nullptr);
        sheet.show();
        for (int page = 1; page < sheet.Tabs()->count(); ++page)
            sheet.Tabs()->setCurrentIndex(page);
        const int before = Headless().Beeps();
        auto* density = Child<QLineEdit>(sheet, "resolutionH");
        Type(density, "abc");
        QCOMPARE(density->text(), QString("1"));
        Type(Child<QLineEdit>(sheet, "resolutionV"), "65536");
        QTest::keyClick(Child<QLineEdit>(sheet, "resolutionV"), Qt::Key_Backspace);
        QCOMPARE(Headless().Beeps() - before, 4);
        Child<QLineEdit>(sheet, "iTxtLanguage")->insert("ja\nSaveConfig=0");
        Child<QLineEdit>(sheet, "tempDir")->insert("\r");
        QCOMPARE(Headless().Beeps() - before, 6);
        sheet.accept();
        QCOMPARE(settings.resolutionH, 1);
        QCOMPARE(settings.resolutionV, 655);
        QCOMPARE(settings.defaultPngITxtLang, std::string("ja-jp"));
        QVERIFY(settings.tempDir.find('\r') == std::string::npos);

        CImageDoc document(StandaloneContext());
        QVERIFY(document.LoadFile(kIndexedPng));
        CPngSaveDialog dialog(settings, &document, nullptr);
        dialog.show();
        Type(Child<QLineEdit>(dialog, "gamma"), "abc");
        dialog.accept();
        QCOMPARE(document.Facts().gamma, 1.0); // the file's, kept
    }

    void pagesFollowTheirSwitchesAndLists() {
        SettingsStore settings;
        settings.autoReadCharset = 1;
        settings.writeCharset = 7; // no entry of the list
        settings.resolutionUnit = 9;
        Headless().SetScreenDepth(24);
        CSettingsSheet sheet(settings, nullptr);
        QVERIFY(!Child<QCheckBox>(sheet, "dither")->isEnabled());
        Headless().SetScreenDepth(16);
        CSettingsSheet on16Bits(settings, nullptr);
        QVERIFY(Child<QCheckBox>(on16Bits, "dither")->isEnabled());
        Headless().SetScreenDepth(32);

        sheet.show();
        for (int page = sheet.Tabs()->count() - 1; page >= 1; --page)
            sheet.Tabs()->setCurrentIndex(page);
        auto* readCharset = Child<QComboBox>(sheet, "readCharset");
        QVERIFY(!readCharset->isEnabled());
        Child<QCheckBox>(sheet, "autoReadCharset")->click();
        QVERIFY(readCharset->isEnabled());
        QCOMPARE(readCharset->currentText(), QString("shift_jis"));
        QVERIFY(!Child<QPushButton>(sheet, "customDqt")->isEnabled());
        sheet.accept();
        QCOMPARE(settings.autoReadCharset, 0);
        QCOMPARE(settings.writeCharset, 7);
        QCOMPARE(settings.resolutionUnit, -1);
    }

    void pngSaveOfAFileChangesOnlyTheDocument() {
        SettingsStore settings;
        CImageDoc document(StandaloneContext());
        QVERIFY(document.LoadFile(kIndexedPng));
        CPngSaveDialog dialog(settings, &document, nullptr);
        dialog.show();
        auto* mode = Child<QComboBox>(dialog, "saveMode");
        QCOMPARE(mode->currentText(), QString("4bit Idx-color"));
        mode->setCurrentIndex(kPngSaveGray8);
        Child<QCheckBox>(dialog, "interlace")->click();
        QVERIFY(Child<QCheckBox>(dialog, "writeGamma")->isChecked()); // the file has a gamma
        QCOMPARE(Child<QLineEdit>(dialog, "gamma")->text(), QString("1.000000"));
        Type(Child<QLineEdit>(dialog, "gamma"), "0.8");
        dialog.accept();
        QCOMPARE(document.PngSaveMode(), kPngSaveGray8);
        QCOMPARE(document.Facts().gamma, 0.8);
        QCOMPARE(settings.useInterlaceOnSave, 1);
        QCOMPARE(settings.pngSaveMode, 0);
        QCOMPARE(settings.useWriteGammaValue, 1); // untouched
    }

    void pngSaveOfAPastedPictureChangesTheSettingsToo() {
        SettingsStore settings;
        CImageDoc document(StandaloneContext());
        QVERIFY(document.LoadFile(kIndexedPng));
        document.SetDocType(kTypeClipboard);
        CPngSaveDialog dialog(settings, &document, nullptr);
        dialog.show();
        auto* transparent = Child<QCheckBox>(dialog, "writeTransparent");
        auto* color = Child<QPushButton>(dialog, "transparentColor");
        QVERIFY(!color->isEnabled());
        transparent->click();
        EndNextDialog(true, [](QWidget* chooser) {
            static_cast<QColorDialog*>(chooser)->setCurrentColor(QColor(0x10, 0x20, 0x30));
        });
        QTest::mouseClick(color, Qt::LeftButton);
        dialog.accept();
        QCOMPARE(settings.pngSaveMode, kPngSaveIndexed4);
        QCOMPARE(settings.useTransparentOnSave, 1);
        QCOMPARE(settings.colorTransparent, 0x302010);
        QCOMPARE(document.Facts().transparentColor.rgbRed, 0x10);
    }

    void cancelInThePngSaveOptionsAbortsTheSave() {
        QTemporaryDir dir;
        SettingsStore settings;
        CDocTemplate documents(settings);
        CMainFrame frame(settings, documents);
        CImageDoc& document = documents.CreateNewDocument();
        QVERIFY(document.LoadFile(kIndexedPng));
        const std::string path = (dir.path() + "/out.png").toStdString();
        EndNextDialog(false);
        QVERIFY(!document.OnSaveDocument(path));
        QVERIFY(!QFileInfo::exists(QString::fromStdString(path)));
        EndNextDialog(true);
        QVERIFY(document.OnSaveDocument(path));
        QVERIFY(QFileInfo::exists(QString::fromStdString(path)));
    }

    // The window asks before a modified document closes: Cancel keeps it, No lets it go, Yes
    // saves it to its file or, for a new image, under the name Save As asks for.
    void closingAModifiedDocumentAsksToSaveIt() {
        QTemporaryDir dir;
        SettingsStore settings;
        CDocTemplate documents(settings);
        QWidget parent;
        QAction comment, edit;
        CControlBar bar(settings, &comment, &edit, nullptr);
        CDocumentPrompts prompts(parent, settings, bar);
        documents.SetHost(nullptr, &prompts);
        CImageDoc& document = documents.CreateNewDocument();
        QVERIFY(document.OnNewDocument());
        Headless().ClearMessages();
        QVERIFY(prompts.MaybeSave(document)); // unmodified: no question
        QVERIFY(Headless().Messages().empty());

        document.SetTitle("写真.bmp");
        document.SetModifiedMark(true);
        Headless().SetAnswer(Answer::Cancel);
        QVERIFY(!prompts.MaybeSave(document));
        QCOMPARE(Headless().Messages().size(), size_t{1});
        QCOMPARE(QString::fromStdString(document.Title()), QString("写真.bmp *"));
        QCOMPARE(QString::fromStdString(Headless().Messages()[0].text),
                 QString("写真.bmp への変更を保存しますか?")); // without the mark
        Headless().SetAnswer(Answer::No);
        QVERIFY(prompts.MaybeSave(document));
        QVERIFY(document.IsModified());

        // Yes without a file: Save As asks for the name; cancelled, the document stays open.
        Headless().SetAnswer(Answer::Yes);
        EndNextDialog(false);
        QVERIFY(!prompts.MaybeSave(document));
        QVERIFY(document.IsModified());
        const QString named = dir.path() + "/named.bmp";
        EndNextDialog(true, [named](QWidget* dialog) {
            static_cast<QFileDialog*>(dialog)->selectFile(named);
        });
        QVERIFY(prompts.MaybeSave(document));
        QVERIFY(QFileInfo::exists(named));
        QCOMPARE(QString::fromStdString(document.PathName()), named);
        QVERIFY(!document.IsModified());

        // With a file, Yes saves to it.
        document.SetModifiedMark(true);
        const std::string kept = (dir.path() + "/kept.bmp").toStdString();
        document.SetPathName(kept);
        QVERIFY(prompts.MaybeSave(document));
        QVERIFY(QFileInfo::exists(QString::fromStdString(kept)));
        QVERIFY(!document.IsModified());
    }

    void commandsOpenTheSheetAndTheAboutBox() {
        SettingsStore settings;
        CDocTemplate documents(settings);
        CMainFrame frame(settings, documents);
        for (const auto& [command, title] : {std::pair{ID_SETTINGS, "環境設定"},
                                             std::pair{ID_APP_ABOUT, "本プログラムについて"}}) {
            QVERIFY(frame.Action(command)->isEnabled());
            QString shown;
            EndNextDialog(false, [&shown](QWidget* dialog) { shown = dialog->windowTitle(); });
            frame.Action(command)->trigger();
            QCOMPARE(shown, QString(title));
        }
    }

    void aboutShowsTheVersionsInUse() {
        CAboutDialog about(nullptr);
        QVERIFY(Child<QLabel>(about, "programVersion")->text().contains(TOLMENA_VERSION));
        for (const char* library :
             {"libjpeg-turbo", "libpng", "zlib", "libheif", "libwebp", "libjxl", "Qt"}) {
            const QString text =
                Child<QLabel>(about, (std::string("version:") + library).c_str())->text();
            QVERIFY2(text.contains(QRegularExpression("^\\S+ \\d+\\.\\d+")), qPrintable(text));
        }
    }
};

QTEST_MAIN(SettingsDialogsTest)
#include "SettingsDialogsTest.moc"
