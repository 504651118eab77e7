// The gamma / brightness dialog: the edit fields' range rules and beeps, the curve and preview
// following the sliders, the preview's fitting and 1:1 clicks, and the command's OK and Cancel.
#include "ui/imageops/GammaDialog.h"

#include "base/HeadlessPlatform.h"
#include "shell/CommandId.h"
#include "ui/ViewFixture.h"
#include "ui/imageops/PreviewWindow.h"
#include "ui/shell/ImageApp.h"
#include "ui/shell/MainFrame.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

struct OpenDialog {
    PatternDoc picture;
    CGammaDialog dialog{picture.doc, nullptr};
    OpenDialog(int width, int height) : picture(width, height) { dialog.show(); }
    QLineEdit* Edit(const char* row) { return dialog.findChild<QLineEdit*>(QString(row) + "Edit"); }
    QSlider* Slider(const char* row) { return dialog.findChild<QSlider*>(QString(row) + "Slider"); }
    CPreviewWindow* Preview() { return dialog.findChild<CPreviewWindow*>("preview"); }
};

// The application on one picture, with its profile in a fresh configuration directory.
struct StartedApp {
    QTemporaryDir config;
    SettingsStore settings;
    CImageApp app{settings};
    explicit StartedApp(const QString& file) {
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
        if (!app.InitInstance("/opt/bin/tolmena", {file})) qFatal("the application did not start");
    }
    ~StartedApp() { app.ExitInstance(); }
};

// Replaces the field's text key by key; the beeps it caused.
int BeepsTyping(QLineEdit* edit, const QString& text) {
    const int before = Headless().Beeps();
    edit->clear();
    QTest::keyClicks(edit, text);
    return Headless().Beeps() - before;
}

// The preview window's size in device pixels.
QSize DeviceSize(const QWidget* widget) {
    return widget->size() * widget->devicePixelRatioF();
}

} // namespace

class GammaDialogTest : public QObject {
    Q_OBJECT
private slots:
    void editsTakeTheirRangeAndBeepOutside() {
        OpenDialog open(40, 30);
        const GammaDialogModel& model = open.dialog.Model();
        QLineEdit* gamma = open.Edit("gamma");
        QCOMPARE(gamma->text(), QString("1.00"));
        QCOMPARE(BeepsTyping(gamma, "5"), 1);
        QCOMPARE(model.Gamma(), 1.0);
        QCOMPARE(open.Slider("gamma")->value(), 100);
        QCOMPARE(BeepsTyping(gamma, "0.01"), 3); // "0", "0." and "0.0" read below 0.01
        QCOMPARE(model.Gamma(), 0.01);
        QCOMPARE(open.Slider("gamma")->value(), 1);
        QCOMPARE(BeepsTyping(gamma, "4.99"), 0);
        QCOMPARE(model.Gamma(), 4.99);
        QCOMPARE(open.Slider("gamma")->value(), 499);
        QCOMPARE(BeepsTyping(gamma, "2.555"), 0); // the slider's step does not round it
        QCOMPARE(model.Gamma(), 2.555);
        QCOMPARE(open.Slider("gamma")->value(), 255);
        QCOMPARE(gamma->text(), QString("2.555"));
        QCOMPARE(BeepsTyping(gamma, "abc"), 3); // not a number: 0, refused
        QCOMPARE(model.Gamma(), 2.555);
        QCOMPARE(gamma->text(), QString("abc")); // the field is not rewritten

        QLineEdit* contrast = open.Edit("contrast");
        QCOMPARE(BeepsTyping(contrast, "255"), 0);
        QCOMPARE(open.Slider("contrast")->value(), 510);
        QCOMPARE(BeepsTyping(contrast, "-255"), 0);
        QCOMPARE(model.Contrast(), -255);
        QCOMPARE(open.Slider("contrast")->value(), 0);
        QCOMPARE(BeepsTyping(contrast, "256"), 1);
        QCOMPARE(model.Contrast(), 25);
        QCOMPARE(BeepsTyping(open.Edit("bias"), "-256"), 1);
        QCOMPARE(model.Bias(), -25);
    }

    void previewFollowsSlidersWhenLetGo() {
        OpenDialog open(40, 30);
        QSlider* bias = open.Slider("bias");
        const std::vector<uint32_t> before = open.Preview()->Pixels().Shown();
        bias->setSliderDown(true); // a drag: edit and curve follow, the preview waits
        bias->setValue(355);
        QCOMPARE(open.Edit("bias")->text(), QString("100"));
        QCOMPARE(open.dialog.Model().LevelTable()[0], 100);
        QVERIFY(open.Preview()->Pixels().Shown() == before);
        bias->setSliderDown(false);
        const std::vector<uint32_t> released = open.Preview()->Pixels().Shown();
        QVERIFY(released != before);
        QCOMPARE(released[0] & 0xFFu, (before[0] & 0xFFu) + 100); // the blue of a dark pixel

        QTest::keyClick(open.Slider("gamma"), Qt::Key_PageUp); // a step shows at once
        QCOMPARE(open.Edit("gamma")->text(), QString("1.25"));
        QVERIFY(open.Preview()->Pixels().Shown() != released);
    }

    void previewFitsAndZoomsIn() {
        for (QSize picture : {QSize(2000, 500), QSize(500, 2000)}) {
            OpenDialog open(picture.width(), picture.height());
            CPreviewWindow* preview = open.Preview();
            const QSize client = DeviceSize(preview);
            const PreviewRect fitted = preview->Model().Fitted();
            if (picture.width() > picture.height())
                QCOMPARE(QRect(fitted.x, 0, fitted.width, 0), QRect(0, 0, client.width(), 0));
            else
                QCOMPARE(QRect(0, fitted.y, 0, fitted.height), QRect(0, 0, 0, client.height()));
            QCOMPARE(preview->Pixels().Width(), fitted.width);
            QCOMPARE(preview->Pixels().Height(), fitted.height);
        }

        // A click at the right edge shows the detail that ends with the picture's last column.
        OpenDialog wide(2000, 500);
        CPreviewWindow* preview = wide.Preview();
        QTest::mouseClick(preview, Qt::LeftButton, {}, QPoint(preview->width() - 1, 100));
        QCOMPARE(preview->Model().Mode(), PreviewMode::Detail);
        QCOMPARE(preview->Model().SourceX(), 2000 - DeviceSize(preview).width());
        QCOMPARE(preview->Pixels().Width(), DeviceSize(preview).width());
        QTest::mouseClick(preview, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(preview->Model().Mode(), PreviewMode::Whole);
        wide.dialog.findChild<QPushButton*>("switchZoom")->click();
        QCOMPARE(preview->Model().Mode(), PreviewMode::Detail);

        // A picture narrower than the window starts at its first column.
        OpenDialog narrow(100, 50);
        QTest::mouseClick(narrow.Preview(), Qt::LeftButton, {},
                          QPoint(narrow.Preview()->width() - 1, 10));
        QCOMPARE(narrow.Preview()->Model().SourceX(), 0);
        QCOMPARE(narrow.Preview()->Pixels().Width(), 100);
    }

    void okCorrectsTheDocumentAndCancelDoesNot() {
        StartedApp started(QString(TEST_DATA_DIR) + "/bmp/g/rgb24.bmp");
        CMainFrame* frame = started.app.MainFrame();
        CImageDoc* document = frame->ActiveDocument();
        QVERIFY(document);
        QVERIFY(frame->Action(ID_GAMMA)->isEnabled());
        const uint32_t original = document->Image().PixelColor(10, 10);

        auto runDialog = [&](const char* bias, const char* button) {
            QTimer::singleShot(0, [=] {
                auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                QVERIFY(dialog);
                QLineEdit* edit = dialog->findChild<QLineEdit*>("biasEdit");
                edit->clear();
                QTest::keyClicks(edit, bias);
                dialog->findChild<QPushButton*>(button)->click();
            });
            frame->Action(ID_GAMMA)->trigger();
        };
        runDialog("-10", "cancel");
        QCOMPARE(document->Image().PixelColor(10, 10), original);
        QVERIFY(!document->IsModified());

        runDialog("-10", "ok"); // every sample 10 lower, at least 0
        QVERIFY(document->IsModified());
        const uint32_t corrected = document->Image().PixelColor(10, 10);
        for (int shift : {0, 8, 16})
            QCOMPARE(corrected >> shift & 0xFF,
                     std::max<uint32_t>(original >> shift & 0xFF, 10) - 10);
        QVERIFY(frame->InfoText().endsWith("Modified Image"));
    }
};

QTEST_MAIN(GammaDialogTest)
#include "GammaDialogTest.moc"
