#pragma once
// The image view: one document's picture at a zoom of the zoom table, scrolled by dragging or
// by keys, zoomed by clicks and by a rubber-band selection, with its context menu and copy.
// Every number comes from the view arithmetic (src/shell); scroll positions, the client area
// and the selection count device pixels, so that one picture pixel at 100 % is one pixel of the
// screen also when the screen is scaled.
#include "core/Document.h"
#include "shell/CommandState.h"
#include "shell/MenuLayout.h"
#include "shell/ViewInteraction.h"
#include "shell/ZoomChange.h"

#include <QAbstractScrollArea>
#include <QCursor>
#include <array>
#include <optional>
#include <vector>

class CImageDoc;
struct SettingsStore;
class QMenu;

class CImageView : public QAbstractScrollArea, private IDocumentView {
    Q_OBJECT
public:
    // Registers with the document; settings give the zoom table and labels, AutoFitting and
    // UseHalfToneStretch.
    CImageView(CImageDoc& document, const SettingsStore& settings, QWidget* parent = nullptr);
    ~CImageView() override;

    // The document shown; null once it has closed.
    CImageDoc* Document() const { return document_; }

    // Once the view has its size: zoom 100, the document's state, the fit request when
    // AutoFitting is set, and the picture centred. It stays centred through the layouts that
    // follow (the window placed, the main window shown, scroll bars coming or going) until the
    // view is scrolled or zoomed.
    void OnInitialUpdate();

    int Zoom() const { return zoom_; }
    ViewMode Mode() const { return interaction_.Mode(); }
    bool Selecting() const { return interaction_.Selecting(); }
    // The rubber band in client device pixels (empty when there is none).
    Rect Selection() const { return band_.value_or(Rect{}); }
    // The view's part of the command state: zoom, selecting flag and zoom table.
    void FillCommandState(CommandState& state) const;
    // The view as the view arithmetic sees it.
    ViewState State() const;
    Point ScrollPosition() const;
    // The picture at the zoom in the widget's own (logical) pixels, rounded up.
    QSize ScaledLogicalSize() const;
    // What shows the whole picture at the zoom without scroll bars.
    QSize sizeHint() const override;

    // Zoom commands. SetZoom keeps anchor (an image point; by default the one in the middle of
    // the visible part) in the middle and returns the zoom.
    int SetZoom(int zoom, std::optional<Point> anchor = {});
    void ZoomIn();
    void ZoomOut();
    void ActualSize();
    void ZoomRate(int position); // 0 for the first table entry
    void ZoomToSelection();
    // Aligns the given views (those of the documents in this one's sync group that are not
    // minimised) with this one.
    void SyncViews(const std::vector<CImageView*>& others);
    void ScrollTo(Point scroll);
    // Copies the selected part of the picture, or the whole picture without a selection, to
    // the clipboard; false when there is nothing to copy.
    bool Copy() const;

    // The context menu as it would open now; the caller owns it. Each action's data is its
    // command id.
    QMenu* CreateContextMenu(QWidget* parent) const;

signals:
    void zoomChanged(int zoom);
    void selectionChanged(bool selecting);
    // Pane 0 of the child frame: the file size text.
    void fileSizeTextChanged(const QString& text);
    void documentTypeChanged(int typeCode);
    void titleChanged(const QString& title);
    // The document was updated or renamed: its description, title and Exif data may differ.
    void documentChanged();
    void fitWindowRequested();
    // A context menu command for the main window to carry out. Zoom to selection and copy come
    // while the selection still exists; the others after the menu has gone.
    void commandRequested(int id);
    // The document closed; the view shows nothing from now on.
    void documentClosed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    // IDocumentView
    void OnUpdate(CDocument& document, int hint) override;
    void OnTitleChanged(CDocument& document) override;
    void OnDocumentClosing(CDocument& document) override;

    void ApplyZoomChange(const ZoomChange& change);
    void Centre();
    // A selection of some width and height.
    bool HasSelectedArea() const;
    // The scroll range for the picture at the current zoom, and the zoom pane.
    void TakeScaledSize();
    void UpdateScrollRanges();
    ZoomTable Table() const;
    Size ImageSize() const;
    Size ClientSize() const;
    Point ToDevice(QPointF logical) const;

    // Painting (ImageViewPaint.cpp).
    void PaintBackground(QPainter& painter, const ViewState& view) const;
    void PaintPicture(QPainter& painter, const ViewState& view) const;
    void PaintSelection(QPainter& painter) const;

    // Mouse and keyboard (ImageViewInput.cpp).
    bool ScrollByKey(int key, bool shift);
    // Before each mouse action: the modifiers as the event has them.
    void TakeModifiers(const QMouseEvent& event);
    void HoldPointerForAlt(bool altHeld, QPoint at);
    void StartPress(PressAction action, Point point);
    void FinishRelease(ReleaseAction action);
    void ShowContextMenu(const QPoint& globalPosition);
    void EndSelection();
    void UpdateCursor();

    CImageDoc* document_;
    const SettingsStore& settings_;
    int zoom_ = kActualSizeZoom;
    ViewInteraction interaction_;
    std::optional<Rect> band_; // the selection in client device pixels, while it lasts
    Point pressScroll_;        // scroll position when a drag or selection began
    Point pressPoint_;         // client point where it began
    bool contextMenuOpen_ = false;
    bool keepCentred_ = false;       // from the initial update until the first scroll or zoom
    Point dragLimit_;                // the largest scroll position while dragging
    std::array<QCursor, 7> cursors_; // by ViewCursor
};
