// On a screen scaled by 2 the view still shows one picture pixel at 100 % as one device pixel,
// and its client area, scroll positions and pointer count device pixels.
#include "ui/ViewFixture.h"
#include "ui/shell/ImageView.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

class ImageViewHiDpiTest : public QObject {
    Q_OBJECT
private slots:
    void drawsAndPointsInDevicePixels() {
        SettingsStore settings = ZoomSettings();
        PatternDoc picture(40, 30);
        CImageView view(picture.doc, settings);
        view.resize(100, 80);
        view.show();
        view.OnInitialUpdate();
        QCOMPARE(view.devicePixelRatioF(), 2.0);
        QCOMPARE(view.State().client, (Size{200, 160}));
        QCOMPARE(view.ScaledLogicalSize(), QSize(20, 15));

        const QImage shot = view.viewport()->grab().toImage();
        QCOMPARE(shot.size(), QSize(200, 160));
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 40; ++x)
                QCOMPARE(shot.pixel(x, y), Pattern(x, y));
        QCOMPARE(shot.pixel(40, 0), Checker(40, 0));

        // A Ctrl click at logical (10, 5) zooms in around image pixel (20, 10).
        QTest::keyPress(&view, Qt::Key_Control);
        QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::ControlModifier, QPoint(10, 5));
        QCOMPARE(view.Zoom(), 200);
        QCOMPARE(view.State().Scaled(), (Size{80, 60}));
    }
};

int main(int argc, char** argv) {
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    ImageViewHiDpiTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ImageViewHiDpiTest.moc"
