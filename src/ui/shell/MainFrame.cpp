#include "ui/shell/MainFrame.h"

#include "base/StringTable.h"
#include "shell/CommandId.h"
#include "shell/DocumentState.h"
#include "shell/ToolBarLayout.h"
#include "ui/kit/TableText.h"
#include "ui/shell/ChildFrame.h"
#include "ui/shell/CommandIcons.h"
#include "ui/shell/ControlBar.h"
#include "ui/shell/DocumentPrompts.h"
#include "ui/shell/ExifWindow.h"
#include "ui/shell/ImageView.h"
#include "ui/shell/RecentFilesMenu.h"
#include "ui/shell/SystemPath.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QToolBar>
#include <QUrl>

namespace {

// Where the bars' layout is kept in the profile.
constexpr const char* kDockSection = "DockState";
constexpr const char* kDockKey = "Layout";

} // namespace

CMainFrame::CMainFrame(SettingsStore& settings, CDocTemplate& documents)
    : settings_(settings), documents_(documents), commands_(this, settings.zoomLabels),
      binder_(commands_, [this] { RefreshCommands(); }), mdiArea_(new QMdiArea(this)),
      clipboard_(settings, documents, *this), batch_(*this) {
    setWindowTitle("Tolmena");
    setCentralWidget(mdiArea_);
    setAcceptDrops(true);
    CreateControlBar();
    prompts_ = std::make_unique<CDocumentPrompts>(*this, settings, *controlBar_);
    windows_ = std::make_unique<CDocumentWindows>(
        *mdiArea_, documents, *prompts_, [this](CImageDoc& document) {
            return new CChildFrame(document, settings_, !statusBar()->isHidden());
        });
    connect(windows_.get(), &CDocumentWindows::windowOpened, this,
            &CMainFrame::AttachDocumentWindow);
    CreateToolBars();
    connect(mdiArea_, &QMdiArea::subWindowActivated, this, &CMainFrame::ShowActiveDocument);
    connect(windows_.get(), &CDocumentWindows::lastDocumentClosed, this, &CMainFrame::ShowNoFiles);
    CreateMenus();
    infoPane_ = new QLabel(TableText(StringId::InfoPaneInitial));
    statusBar()->addPermanentWidget(infoPane_);
    RegisterCommands();
    clipboard_.Follow();
    resize(800, 600);
    restoreState(QByteArray::fromBase64(
        QByteArray::fromStdString(settings_.profile.GetString(kDockSection, kDockKey, ""))));
}

CMainFrame::~CMainFrame() {
    // The MDI area's windows go after this object is half gone: their activation changes must
    // not reach it any more.
    disconnect(mdiArea_, nullptr, this, nullptr);
    disconnect(windows_.get(), nullptr, this, nullptr);
}

void CMainFrame::CreateControlBar() {
    controlBar_ =
        new CControlBar(settings_, Action(ID_COMMENT_TOGGLE), Action(ID_COMMENT_EDIT), this);
    addToolBar(Qt::TopToolBarArea, controlBar_);
    addToolBarBreak(Qt::TopToolBarArea);
}

void CMainFrame::CreateToolBars() {
    toolBar_ = CreateToolBar("ToolBar", MainToolBar());
    zoomBar_ = CreateToolBar("ZoomBar", ZoomToolBar());
}

QToolBar* CMainFrame::CreateToolBar(const char* name, const std::vector<int>& buttons) {
    auto* bar = new QToolBar(this);
    bar->setObjectName(name);
    bar->setIconSize(kToolButtonSize);
    for (int id : buttons) {
        if (id == ID_SEPARATOR) {
            bar->addSeparator();
            continue;
        }
        QAction* action = Action(id);
        action->setIcon(CommandIcon(id));
        action->setIconVisibleInMenu(false);
        bar->addAction(action);
    }
    addToolBar(Qt::TopToolBarArea, bar);
    return bar;
}

void CMainFrame::ShowActiveDocument() {
    const CImageDoc* document = ActiveDocument();
    controlBar_->ShowComment(document && document->IncludesComment());
    controlBar_->EnableQuality(!document || !document->UsesCustomDqt());
    if (document) {
        SetInfoText(QString::fromStdString(document->InfoText()));
        setWindowTitle(QString::fromStdString(document->Title()) + " - Tolmena");
    } else {
        setWindowTitle("Tolmena");
    }
    ShowExif(document);
    RefreshCommands();
}

void CMainFrame::ShowExif(const CImageDoc* document) {
    if (!exifWindow_) return;
    if (document)
        exifWindow_->ShowDocument(QString::fromStdString(document->Title()),
                                  document->Facts().exif);
    else
        exifWindow_->ShowNoDocument();
}

void CMainFrame::ToggleExifWindow() {
    if (exifWindow_) {
        exifWindow_->deleteLater();
        exifWindow_ = nullptr;
        return;
    }
    exifWindow_ = new CExifWindow(this);
    connect(exifWindow_, &CExifWindow::closeRequested, this, [this] {
        ToggleExifWindow();
        RefreshCommands();
    });
    exifWindow_->show();
    if (const CImageDoc* document = ActiveDocument()) ShowExif(document);
}

void CMainFrame::ShowNoFiles() {
    SetInfoText(TableText(StringId::NoFiles));
    ShowActiveDocument();
}

void CMainFrame::CreateMenus() {
    noDocumentMenus_ = commands_.BuildMenus(NoDocumentMenu(), this);
    documentMenus_ = commands_.BuildMenus(DocumentMenu(), this);
    for (const auto* menus : {&noDocumentMenus_, &documentMenus_}) {
        for (QMenu* menu : *menus)
            connect(menu, &QMenu::aboutToShow, this, &CMainFrame::RefreshCommands);
        new CRecentFilesMenu(
            *menus->front(), *Action(ID_FILE_MRU_FILE1), settings_,
            [this](const std::string& path) { documents_.OpenDocumentFile(path); });
    }
    ShowMenuBar(false);
}

void CMainFrame::ShowMenuBar(bool documentMenu) {
    if (documentMenu == showsDocumentMenu_) return;
    showsDocumentMenu_ = documentMenu;
    menuBar()->clear();
    for (QMenu* menu : documentMenu ? documentMenus_ : noDocumentMenus_)
        menuBar()->addMenu(menu);
    commands_.UseCaptionsOf(documentMenu ? DocumentMenu() : NoDocumentMenu());
}

void CMainFrame::SetCommandHandler(int id, std::function<void()> handler) {
    binder_.Bind(id, std::move(handler));
}

void CMainFrame::RegisterCommands() {
    binder_.Bind(ID_APP_EXIT, [this] { close(); });
    binder_.Bind(ID_VIEW_STATUS_BAR, [this] { ToggleStatusBar(); });
    binder_.Bind(ID_VIEW_CONTROLBAR, [this] { controlBar_->setVisible(controlBar_->isHidden()); });
    binder_.Bind(ID_FOCUS_QUALITY, [this] { controlBar_->FocusQuality(); });
    binder_.Bind(ID_FOCUS_SAMPLING, [this] { controlBar_->FocusSampling(); });
    binder_.Bind(ID_FOCUS_ENCODING, [this] { controlBar_->FocusEncoding(); });
    binder_.Bind(ID_VIEW_TOOLBAR, [this] { toolBar_->setVisible(toolBar_->isHidden()); });
    binder_.Bind(ID_VIEW_ZOOMBAR, [this] { zoomBar_->setVisible(zoomBar_->isHidden()); });
    binder_.Bind(ID_EXIF_WINDOW, [this] { ToggleExifWindow(); });

    const CommandContext context{*this, settings_, documents_};
    RegisterFileCommands(binder_, context);
    RegisterEditCommands(binder_, context);
    RegisterDqtCommands(binder_, context);
    RegisterSettingsCommands(binder_, context);
    RegisterBatchCommands(binder_, context, batch_);
    RegisterClipboardCommands(binder_, clipboard_);
    RegisterViewCommands(binder_, *mdiArea_, *windows_);
    RegisterWindowCommands(binder_, *mdiArea_, documents_);
}

void CMainFrame::ToggleStatusBar() {
    const bool visible = statusBar()->isHidden();
    statusBar()->setVisible(visible);
    ShowStatusBars(visible);
}

void CMainFrame::UpdateCommands(const CommandState& state) {
    commands_.Update(state);
    ShowMenuBar(state.documentActive);
}

CommandState CMainFrame::CurrentCommandState() const {
    CommandState state;
    if (const CImageDoc* document = ActiveDocument()) {
        state.documentActive = true;
        state.document = ActiveDocumentStateOf(*document);
    }
    state.zoomTable = ZoomTableOf(settings_);
    state.clipboardHasImage = clipboard_.HasImage();
    state.statusBarVisible = !statusBar()->isHidden();
    state.controlBarVisible = controlBar_ && !controlBar_->isHidden();
    state.toolBarVisible = toolBar_ && !toolBar_->isHidden();
    state.zoomBarVisible = zoomBar_ && !zoomBar_->isHidden();
    state.exifWindowOpen = exifWindow_ != nullptr;
    if (const CImageView* view = ActiveView()) view->FillCommandState(state);
    state.recentFilesEmpty = settings_.recentFiles.empty();
    state.recentListCleared = settings_.recentListCleared != 0;
    FillWindowList(*mdiArea_, state);
    return state;
}

void CMainFrame::RefreshCommands() {
    UpdateCommands(CurrentCommandState());
}

QAction* CMainFrame::Action(int id) const {
    return commands_.Action(id);
}

void CMainFrame::SetInfoText(const QString& text) {
    infoPane_->setText(text);
}

QString CMainFrame::InfoText() const {
    return infoPane_->text();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    for (const std::string& path : DroppedPaths(*event->mimeData()))
        documents_.OpenDocumentFile(path);
    event->acceptProposedAction();
}

void CMainFrame::StoreState() {
    delete exifWindow_; // destroyed first, before the window's rectangle is stored
    exifWindow_ = nullptr;
    // The rectangle inside the window manager's frame: the one start-up gives back to
    // setGeometry, so that the window returns to the same place at the same size.
    const QRect rectangle = geometry();
    settings_.windowPosLeft = rectangle.left();
    settings_.windowPosTop = rectangle.top();
    settings_.windowPosWidth = rectangle.width();
    settings_.windowPosHeight = rectangle.height();
    controlBar_->Commit(settings_);
    settings_.profile.WriteString(kDockSection, kDockKey, saveState().toBase64().toStdString());
}

void CMainFrame::EndSession() {
    StoreState();
    batch_.Abort();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (batch_.Running()) { // the job's loop runs inside this window's command
        event->ignore();
        return;
    }
    StoreState();
    // A modified document may still be saved, or the user may change their mind.
    for (const auto& document : documents_.Documents()) {
        if (!prompts_->MaybeSave(*document)) {
            event->ignore();
            return;
        }
    }
    event->accept();
}

CImageView* CMainFrame::ActiveView() const {
    CChildFrame* child = ActiveChildFrame(*mdiArea_);
    return child ? child->View() : nullptr;
}

void CMainFrame::AttachDocumentWindow(QWidget* content) {
    auto* child = qobject_cast<CChildFrame*>(content);
    if (!child) return;
    CImageView* view = child->View();
    connect(view, &CImageView::zoomChanged, this, &CMainFrame::RefreshCommands);
    connect(view, &CImageView::selectionChanged, this, &CMainFrame::RefreshCommands);
    // A reload, a save under another name or an edit of the active document: the status bar,
    // the title and the Exif window show it at once.
    connect(view, &CImageView::documentChanged, this, [this, view] {
        if (view == ActiveView()) ShowActiveDocument();
    });
    connect(view, &CImageView::commandRequested, this, [this](int id) {
        if (QAction* action = Action(id)) action->trigger();
    });
    child->OnInitialUpdate();
    ShowActiveDocument();
}

void CMainFrame::ShowStatusBars(bool visible) {
    for (QMdiSubWindow* window : mdiArea_->subWindowList())
        if (CChildFrame* child = ChildFrameOf(window)) child->SetStatusBarVisible(visible);
}

void CMainFrame::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    clipboard_.StartAutoUpdate();
}
