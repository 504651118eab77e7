// The image view and its child frame offscreen: painted pixels, zoom steps, selections, the
// context menu, synchronised views, keyboard scrolling and the status bar panes.
#include "ui/shell/ImageView.h"
#include "shell/CommandId.h"
#include "ui/ViewFixture.h"
#include "ui/shell/ChildFrame.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {

// A shown view with a fixed client area (no scroll bars take room from it).
struct ShownView {
    SettingsStore settings = ZoomSettings();
    PatternDoc picture;
    CImageView view;
    ShownView(int width, int height, QSize client = {200, 150})
        : picture(width, height), view(picture.doc, settings) {
        view.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view.resize(client);
        view.show();
        view.OnInitialUpdate();
    }
    QImage Shot() { return view.viewport()->grab().toImage(); }
};

void SendMouse(QWidget* viewport, QEvent::Type type, QPoint at, Qt::MouseButton button,
               Qt::MouseButtons held, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QMouseEvent event(type, at, viewport->mapToGlobal(at), button, held, modifiers);
    QApplication::sendEvent(viewport, &event);
}

void Drag(CImageView& view, Qt::MouseButton button, QPoint from, QPoint to,
          Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    SendMouse(view.viewport(), QEvent::MouseButtonPress, from, button, button, modifiers);
    SendMouse(view.viewport(), QEvent::MouseMove, to, Qt::NoButton, button, modifiers);
}

QStringList Texts(const QMenu& menu) {
    QStringList texts;
    for (QAction* action : menu.actions())
        texts << (action->isSeparator() ? "-" : action->text());
    return texts;
}

// Picks the command from the open popup menu as the keyboard would.
void ChooseFromPopup(int id) {
    auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!popup) return;
    for (QAction* action : popup->actions())
        if (action->data().toInt() == id) popup->setActiveAction(action);
    QTest::keyClick(popup, Qt::Key_Return);
}

} // namespace

class ImageViewTest : public QObject {
    Q_OBJECT
private slots:
    void paintsThePicturePixelForPixelOnTheCheckerboard() {
        ShownView shown(50, 40);
        QImage shot = shown.Shot();
        for (int y = 0; y < 150; ++y)
            for (int x = 0; x < 200; ++x)
                QCOMPARE(shot.pixel(x, y) & 0xFFFFFF,
                         (x < 50 && y < 40 ? Pattern(x, y) : Checker(x, y)) & 0xFFFFFF);

        shown.view.SetZoom(200); // nearest neighbour: two by two pixels each
        shot = shown.Shot();
        QCOMPARE(shot.pixel(61, 41), Pattern(30, 20));
        QCOMPARE(shot.pixel(99, 79), Pattern(49, 39));
        QCOMPARE(shot.pixel(100, 79), Checker(100, 79));

        // A tall picture scrolled down: the checkerboard beside it moves with it.
        ShownView tall(60, 1000);
        QCOMPARE(tall.view.ScrollPosition(), (Point{0, 425}));
        tall.view.ScrollTo({0, 13});
        shot = tall.Shot();
        QCOMPARE(shot.pixel(10, 0), Pattern(10, 13));
        for (int y = 0; y < 16; ++y)
            for (int x = 60; x < 76; ++x)
                QCOMPARE(shot.pixel(x, y), Checker(x, y + 13));
    }

    void zoomStepsStopAtTheEndsAndGoByTablePosition() {
        SettingsStore settings = ZoomSettings();
        PatternDoc picture(400, 300, 0);
        CChildFrame frame(picture.doc, settings, true);
        frame.resize(300, 250);
        frame.show();
        frame.OnInitialUpdate();
        CImageView& view = *frame.View();
        QCOMPARE(frame.FileSizeText(), QString(" [Unknown]"));
        QCOMPARE(frame.ZoomText(), QString("100%"));
        QCOMPARE(frame.windowTitle(), QString("pattern.bmp"));

        view.SetZoom(1600);
        view.ZoomIn();
        QCOMPARE(view.Zoom(), 1600);
        view.SetZoom(10);
        view.ZoomOut();
        QCOMPARE(view.Zoom(), 10);
        view.SetZoom(33);
        view.ZoomIn();
        QCOMPARE(view.Zoom(), 50);
        QCOMPARE(frame.ZoomText(), QString("50%"));
        CommandState state;
        view.FillCommandState(state);
        QCOMPARE(state.zoom, 50);
        QCOMPARE(state.zoomTable[11], 1600);

        // Fitted, the window shows the whole picture without the scroll bars it showed while the
        // picture was bigger than the window.
        QWidget area;
        area.resize(800, 600);
        frame.setParent(&area);
        area.show();
        frame.show();
        frame.resize(150, 120);
        view.SetZoom(50);
        QApplication::processEvents();
        QVERIFY(view.horizontalScrollBar()->isVisible());
        frame.FitToImage();
        QApplication::processEvents();
        QVERIFY(!view.horizontalScrollBar()->isVisible());
        QVERIFY(!view.verticalScrollBar()->isVisible());
        QCOMPARE(view.viewport()->size(), QSize(200, 150));
        frame.setParent(nullptr); // the area must not delete it
    }

    void selectionsZoomOrOfferTheContextMenu() {
        ShownView shown(400, 300);
        shown.view.SetZoom(200);
        const Point scroll = shown.view.ScrollPosition();
        QSignalSpy selectionSignals(&shown.view, &CImageView::selectionChanged);
        QTest::keyPress(&shown.view, Qt::Key_Shift);
        QCOMPARE(shown.view.Mode(), ViewMode::SelectToZoom);
        Drag(shown.view, Qt::LeftButton, {50, 50}, {53, 53}, Qt::ShiftModifier);
        SendMouse(shown.view.viewport(), QEvent::MouseButtonRelease, {53, 53}, Qt::LeftButton,
                  Qt::NoButton, Qt::ShiftModifier);
        QCOMPARE(shown.view.Zoom(), 200); // under 4 pixels: the view stays
        QCOMPARE(shown.view.ScrollPosition(), scroll);
        QCOMPARE(selectionSignals.size(), 2);
        QCOMPARE(selectionSignals.takeLast().at(0).toBool(), false);
        QTest::keyRelease(&shown.view, Qt::Key_Shift);

        shown.view.ActualSize();
        QCOMPARE(shown.view.ScrollPosition(), (Point{0, 0}));

        SendMouse(shown.view.viewport(), QEvent::MouseButtonPress, {10, 10}, Qt::RightButton,
                  Qt::RightButton);
        std::unique_ptr<QMenu> menu(shown.view.CreateContextMenu(nullptr));
        const QStringList common = {"画像を閉じる(&C)",
                                    "名前を付けて保存(&A)...",
                                    "-",
                                    "拡大率(&R)...",
                                    "拡大(&U)",
                                    "縮小(&D)",
                                    "原寸表示(&N)",
                                    "サイズ合わせ(&F)"};
        QCOMPARE(Texts(*menu), common); // a click without movement selects nothing
        QCOMPARE(menu->actions()[3]->menu()->actions().size(), 12);
        QCOMPARE(menu->actions()[3]->menu()->actions()[11]->data().toInt(), ID_ZOOM_RATE_LAST);

        SendMouse(shown.view.viewport(), QEvent::MouseMove, {60, 50}, Qt::NoButton,
                  Qt::RightButton);
        menu.reset(shown.view.CreateContextMenu(nullptr));
        QCOMPARE(Texts(*menu),
                 common + QStringList({"-", "選択範囲を拡大(&E)", "選択範囲をコピー"}));
        QVERIFY(shown.view.Copy());
        const QImage copied = QApplication::clipboard()->image();
        QCOMPARE(copied.size(), QSize(50, 40));
        QCOMPARE(copied.pixel(0, 0), Pattern(10, 10));
        QCOMPARE(copied.pixel(49, 39), Pattern(59, 49));

        // Releasing the button opens the menu; zoom to selection comes while the selection
        // still exists, which ends when the menu has gone.
        bool selectingWhenAsked = false;
        connect(&shown.view, &CImageView::commandRequested, this, [&](int id) {
            selectingWhenAsked = id == ID_ZOOM_SELECTION && shown.view.Selecting();
        });
        QTimer::singleShot(0, this, [] { ChooseFromPopup(ID_ZOOM_SELECTION); });
        SendMouse(shown.view.viewport(), QEvent::MouseButtonRelease, {60, 50}, Qt::RightButton,
                  Qt::NoButton);
        QVERIFY(selectingWhenAsked);
        QVERIFY(!shown.view.Selecting());

        Drag(shown.view, Qt::RightButton, {10, 10}, {30, 30});
        QVERIFY(shown.view.Selecting());
        QFocusEvent lost(QEvent::FocusOut, Qt::OtherFocusReason);
        QApplication::sendEvent(&shown.view, &lost);
        QVERIFY(!shown.view.Selecting());
        QCOMPARE(shown.view.Mode(), ViewMode::Normal);
    }

    void modifiersSeenBeforeTheFocusWentDoNotOutliveIt() {
        ShownView shown(400, 300);
        QVERIFY(QTest::qWaitForWindowActive(&shown.view));
        QWidget* viewport = shown.view.viewport();
        auto click = [&](QPoint at, Qt::KeyboardModifiers modifiers) {
            SendMouse(viewport, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton,
                      modifiers);
            SendMouse(viewport, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton,
                      modifiers);
        };
        // Ctrl+O: the dialog takes the focus and Ctrl's release. Alt+F Esc Esc: the menu takes
        // Alt's release.
        QTest::keyPress(&shown.view, Qt::Key_Control);
        QFocusEvent toDialog(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
        QApplication::sendEvent(&shown.view, &toDialog);
        QTest::keyPress(&shown.view, Qt::Key_Alt);
        QFocusEvent toMenu(QEvent::FocusOut, Qt::PopupFocusReason);
        QApplication::sendEvent(&shown.view, &toMenu);
        QFocusEvent back(QEvent::FocusIn, Qt::PopupFocusReason);
        QApplication::sendEvent(&shown.view, &back);
        click({50, 50}, Qt::NoModifier);
        QCOMPARE(shown.view.Zoom(), 100);
        click({50, 50}, Qt::ControlModifier); // held while the view could not see it
        QCOMPARE(shown.view.Zoom(), 200);

        // Alt held over the picture: the view holds the pointer, so that a window manager's
        // Alt+drag cannot take the click, until the pointer leaves or Alt is up.
        QCursor::setPos(viewport->mapToGlobal(QPoint(50, 50)));
        QTest::keyPress(&shown.view, Qt::Key_Alt);
        QCOMPARE(QWidget::mouseGrabber(), viewport);
        click({50, 50}, Qt::AltModifier);
        QCOMPARE(shown.view.Zoom(), 100);
        SendMouse(viewport, QEvent::MouseMove, {-5, 50}, Qt::NoButton, Qt::NoButton,
                  Qt::AltModifier);
        QCOMPARE(QWidget::mouseGrabber(), nullptr);
        SendMouse(viewport, QEvent::MouseMove, {50, 50}, Qt::NoButton, Qt::NoButton,
                  Qt::AltModifier);
        QTest::keyRelease(&shown.view, Qt::Key_Alt);
        QCOMPARE(QWidget::mouseGrabber(), nullptr);
    }

    void syncGivesTheSameZoomAndCentreOrTheSameScroll() {
        ShownView first(400, 300);
        ShownView second(400, 300);
        first.view.SetZoom(200);
        first.view.ScrollTo({150, 100});
        first.view.SyncViews({&second.view});
        QCOMPARE(second.view.Zoom(), 200);
        const Point centre{100, 75};
        QCOMPARE(ClientToImage(centre, second.view.ScrollPosition(), 200),
                 ClientToImage(centre, first.view.ScrollPosition(), 200));

        first.view.ScrollTo({321, 77});
        first.view.SyncViews({&second.view});
        QCOMPARE(second.view.ScrollPosition(), (Point{321, 77}));
    }

    void keysScrollWithinTheRange() {
        ShownView shown(400, 300);
        shown.view.ScrollTo({0, 0});
        QTest::keyClick(&shown.view, Qt::Key_Left);
        QTest::keyClick(&shown.view, Qt::Key_Up);
        QCOMPARE(shown.view.ScrollPosition(), (Point{0, 0}));
        QTest::keyClick(&shown.view, Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(shown.view.ScrollPosition(), (Point{16, 0}));
        for (int page = 0; page < 20; ++page)
            QTest::keyClick(&shown.view, Qt::Key_PageDown);
        QCOMPARE(shown.view.ScrollPosition(), (Point{16, 150}));
        shown.view.SetZoom(300);
        const Point before = shown.view.ScrollPosition();
        QTest::keyClick(&shown.view, Qt::Key_Left);
        QCOMPARE(shown.view.ScrollPosition(), (Point{before.x - 3, before.y}));
    }
};

QTEST_MAIN(ImageViewTest)
#include "ImageViewTest.moc"
