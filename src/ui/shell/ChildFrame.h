#pragma once
// The window of one document: its image view above its own status bar, whose panes show the
// file size (pane 0) and the zoom (pane 1). The title and icon follow the document; a
// QMdiSubWindow that holds the frame takes both over.
#include <QWidget>

class CImageDoc;
class CImageView;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QStatusBar;
struct SettingsStore;

class CChildFrame : public QWidget {
    Q_OBJECT
public:
    // The status bar shows only when the main window's does.
    CChildFrame(CImageDoc& document, const SettingsStore& settings, bool showStatusBar,
                QWidget* parent = nullptr);

    CImageView* View() const { return view_; }
    // Once the frame is in place and shown: the view's first update, which fills the panes,
    // title and icon (and fits the window when AutoFitting is set).
    void OnInitialUpdate();

    QString FileSizeText() const;
    QString ZoomText() const;
    void SetStatusBarVisible(bool visible);

    // Sizes the window that holds the frame (its QMdiSubWindow, or the frame itself) to show
    // the whole picture at the view's zoom, as far as the area around it allows.
    void FitToImage();

    // The picture whole at the view's zoom, and wide enough for the MDI window's title bar to
    // show the whole title: what a new window and Cascade give the frame, as far as the area
    // allows.
    QSize sizeHint() const override;

private:
    QWidget* HostWindow();
    // The frame's width at which the MDI window's title bar shows the whole title (0 without one).
    int WidthForTitle() const;

    CImageView* view_;
    QStatusBar* statusBar_;
    QLabel* fileSizePane_;
    QLabel* zoomPane_;
};

// The frame a document window of the MDI area holds, or none.
CChildFrame* ChildFrameOf(QMdiSubWindow* window);
// The frame of the area's active document window, or none.
CChildFrame* ActiveChildFrame(const QMdiArea& area);
