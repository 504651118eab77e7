// The Exif information window (caption, the five fields and their placeholders, placement
// beside the main window without the focus, the close request) and the drawn icons.
#include "ui/shell/ExifWindow.h"

#include "base/FileExtension.h"
#include "core/ExifData.h"
#include "shell/CommandId.h"
#include "shell/ToolBarLayout.h"
#include "support/ExifFixture.h"
#include "ui/shell/CommandIcons.h"
#include "ui/shell/DocumentIcons.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {

QStringList Fields(const CExifWindow& window) {
    QStringList texts;
    for (const char* name : {"camera", "optics", "date", "exposureMode", "exposure"})
        texts << window.findChild<QLabel*>(name)->text();
    return texts;
}

const QStringList kPlaceholders = {"- No maker info -", "- No optical info -", "- No Date -",
                                   "- No exposure mode -", "- No exposure info -"};

ExifData ExifOf(const std::string& name) {
    return ExifData::ParseBlock(ExifBlockOf(name));
}

bool HasInk(const QPixmap& pixmap) {
    const QImage image = pixmap.toImage();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) != 0) return true;
    return false;
}

// The icon has a 1x and a 2x image of the logical size, both drawn on.
void VerifyRatios(const QIcon& icon, QSize logical) {
    QVERIFY(!icon.isNull());
    for (qreal ratio : {1.0, 2.0}) {
        const QPixmap pixmap = icon.pixmap(logical, ratio);
        QCOMPARE(pixmap.devicePixelRatio(), ratio);
        QCOMPARE(pixmap.size(), logical * ratio);
        QVERIFY(HasInk(pixmap));
    }
}

} // namespace

class ExifWindowTest : public QObject {
    Q_OBJECT
private slots:
    void captionFollowsTheDocument() {
        CExifWindow window(nullptr);
        QCOMPARE(window.windowTitle(), QString("EXIF information"));
        QCOMPARE(Fields(window), kPlaceholders);
        window.ShowDocument("canon_40d.jpg", ExifOf("canon_40d.jpg"));
        QCOMPARE(window.windowTitle(), QString("canon_40d.jpg"));
        window.ShowNoDocument();
        QCOMPARE(window.windowTitle(), QString("No Files"));
        QCOMPARE(Fields(window), kPlaceholders);
    }

    void fieldsShowTheSummaryWithJapaneseExposureMode() {
        CExifWindow window(nullptr);
        window.ShowDocument("a", ExifOf("canon_40d_mm.jpg"));
        QCOMPARE(Fields(window),
                 QStringList({"Canon Canon EOS 40D", "L=135.0mm F=7.1", "2008:05:30 15:56:01",
                              "露出=マニュアル 測光=マルチセグメント",
                              "1/165sec F=7.0 EV=+0.00 ISO=100 +F"}));
        // Exif data without any of the summary tags, then none at all.
        const ExifData bare = ExifOf("painttool_sample.jpg");
        QVERIFY(bare.Present());
        window.ShowDocument("b", bare);
        QCOMPARE(Fields(window), kPlaceholders);
        window.ShowDocument("c", ExifOf("fujifilm_finepix_e500.jpg"));
        window.ShowDocument("d", ExifData());
        QCOMPARE(Fields(window), kPlaceholders);
    }

    void opensBesideTheMainWindowWithoutTheFocus() {
        QWidget frame;
        frame.setGeometry(120, 90, 700, 500);
        frame.show();
        frame.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&frame));

        CExifWindow window(&frame);
        const QSize size = window.size();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::qWait(50);
        QCOMPARE(QApplication::activeWindow(), &frame);
        QCOMPARE(window.size(), size);
        QCOMPARE(window.frameGeometry().right(), frame.frameGeometry().right());
        QCOMPARE(window.frameGeometry().top(), frame.frameGeometry().top());

        // Once open, the user may activate it like any window.
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }

    void closeButtonEscapeAndCloseBoxAskTheOwner() {
        CExifWindow window(nullptr);
        QSignalSpy requests(&window, &CExifWindow::closeRequested);
        window.show();
        QTest::mouseClick(window.findChild<QPushButton*>(), Qt::LeftButton);
        QTest::keyClick(&window, Qt::Key_Escape);
        window.close();
        QCOMPARE(requests.count(), 3);
        QVERIFY(window.isVisible()); // the owner destroys it
    }

    void everyToolBarButtonHasItsOwnImageAt1xAnd2x() {
        QSet<QByteArray> images;
        int buttons = 0;
        for (const std::vector<int>* bar : {&MainToolBar(), &ZoomToolBar()}) {
            for (int id : *bar) {
                if (id == ID_SEPARATOR) continue;
                VerifyRatios(CommandIcon(id), kToolButtonSize);
                const QImage image = CommandIcon(id).pixmap(kToolButtonSize, 1.0).toImage();
                images.insert(QByteArray(reinterpret_cast<const char*>(image.constBits()),
                                         image.sizeInBytes()));
                ++buttons;
            }
        }
        QCOMPARE(images.size(), buttons);
        QVERIFY(CommandIcon(ID_EXIF_WINDOW).isNull());
    }

    void documentAndApplicationIcons() {
        for (int type : {kTypeClipboard, kTypeBmp, kTypeRgb, kTypeJpeg, kTypePng, kTypeMag,
                         kTypeTiff, kTypeUnknown})
            VerifyRatios(DocumentIcon(type), QSize(16, 16));
        QCOMPARE(DocumentIcon(kTypeJpeg).pixmap(QSize(32, 32), 1.0).size(), QSize(32, 32));
        VerifyRatios(ApplicationIcon(), QSize(16, 16));
        QCOMPARE(ApplicationIcon().pixmap(QSize(64, 64), 1.0).size(), QSize(64, 64));
    }

    // The icons are drawings: full size at any ratio, and a 1-pixel outline of the design stays
    // one solid line of whole device pixels at 1x, 2x and 3x.
    void iconsAreDrawnSharpAtEveryRatio() {
        for (qreal ratio : {1.5, 3.0})
            QCOMPARE(CommandIcon(ID_FILE_OPEN).pixmap(kToolButtonSize, ratio).size(),
                     kToolButtonSize * ratio);
        for (int ratio : {1, 2, 3}) {
            const QImage page = DocumentIcon(kTypeUnknown).pixmap(QSize(16, 16), ratio).toImage();
            const int row = 8 * ratio; // the page's left edge is design column 2
            QCOMPARE(qAlpha(page.pixel(2 * ratio - 1, row)), 0);
            for (int x = 2 * ratio; x < 3 * ratio; ++x)
                QCOMPARE(page.pixel(x, row), qRgb(48, 56, 64));
            QCOMPARE(page.pixel(3 * ratio, row), qRgb(255, 255, 255));
        }
    }
};

QTEST_MAIN(ExifWindowTest)
#include "ExifWindowTest.moc"
