#include "app/ui/MainFrame.h"

#include "app/commands/CommandId.h"
#include "app/commands/DocumentState.h"
#include "app/ui/ControlBar.h"
#include "app/util/StringTable.h"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <algorithm>

namespace {

bool ClipboardHasImage() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasImage();
}

} // namespace

CMainFrame::CMainFrame(SettingsStore& settings, CDocTemplate& documents,
                       CDocumentWindows::WindowFactory makeDocumentWindow)
    : settings_(settings), commands_(this, settings.zoomLabels), mdiArea_(new QMdiArea(this)) {
    setWindowTitle("Tolmena");
    setCentralWidget(mdiArea_);
    windows_ = std::make_unique<CDocumentWindows>(*mdiArea_, documents, settings,
                                                  std::move(makeDocumentWindow));
    CreateControlBar();
    connect(mdiArea_, &QMdiArea::subWindowActivated, this, &CMainFrame::ShowActiveDocument);
    connect(windows_.get(), &CDocumentWindows::lastDocumentClosed, this, &CMainFrame::ShowNoFiles);
    CreateMenus();
    infoPane_ = new QLabel(QString::fromStdString(LoadString(StringId::InfoPaneInitial)));
    statusBar()->addPermanentWidget(infoPane_);
    ConnectCommands();
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
            &CMainFrame::RefreshCommands);
    RefreshCommands();
    resize(800, 600);
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::CreateControlBar() {
    controlBar_ =
        new CControlBar(settings_, Action(ID_COMMENT_TOGGLE), Action(ID_COMMENT_EDIT), this);
    addToolBar(Qt::TopToolBarArea, controlBar_);
    windows_->SetControlBarCommit(
        [this](SettingsStore& settings) { controlBar_->Commit(settings); });
}

void CMainFrame::ShowActiveDocument() {
    const CImageDoc* document = ActiveDocument();
    controlBar_->ShowComment(document && document->IncludesComment());
    controlBar_->EnableQuality(!document || !document->UsesCustomDqt());
    RefreshCommands();
}

void CMainFrame::ShowNoFiles() {
    SetInfoText(QString::fromStdString(LoadString(StringId::NoFiles)));
    ShowActiveDocument();
}

void CMainFrame::ToggleComment() {
    if (CImageDoc* document = ActiveDocument())
        document->SetIncludeComment(!document->IncludesComment());
    ShowActiveDocument();
}

void CMainFrame::ToggleCustomDqt() {
    if (CImageDoc* document = ActiveDocument()) document->SetCustomDqt(!document->UsesCustomDqt());
    ShowActiveDocument();
}

void CMainFrame::CreateMenus() {
    noDocumentMenus_ = commands_.BuildMenus(NoDocumentMenu(), this);
    documentMenus_ = commands_.BuildMenus(DocumentMenu(), this);
    for (const auto* menus : {&noDocumentMenus_, &documentMenus_})
        for (QMenu* menu : *menus)
            connect(menu, &QMenu::aboutToShow, this, &CMainFrame::RefreshCommands);
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
    commands_.SetHandler(id, [this, handler = std::move(handler)] {
        handler();
        RefreshCommands();
    });
}

void CMainFrame::ConnectCommands() {
    SetCommandHandler(ID_APP_EXIT, [this] { close(); });
    SetCommandHandler(ID_VIEW_STATUS_BAR, [this] { ToggleStatusBar(); });
    SetCommandHandler(ID_VIEW_CONTROLBAR,
                      [this] { controlBar_->setVisible(controlBar_->isHidden()); });
    SetCommandHandler(ID_COMMENT_TOGGLE, [this] { ToggleComment(); });
    SetCommandHandler(ID_CUSTOM_DQT_TOGGLE, [this] { ToggleCustomDqt(); });
    SetCommandHandler(ID_FOCUS_QUALITY, [this] { controlBar_->FocusQuality(); });
    SetCommandHandler(ID_FOCUS_SAMPLING, [this] { controlBar_->FocusSampling(); });
    SetCommandHandler(ID_FOCUS_ENCODING, [this] { controlBar_->FocusEncoding(); });
}

void CMainFrame::ToggleStatusBar() {
    statusBar()->setVisible(statusBar()->isHidden());
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
    std::copy(std::begin(settings_.zoomTable), std::end(settings_.zoomTable),
              state.zoomTable.begin());
    state.clipboardHasImage = ClipboardHasImage();
    state.statusBarVisible = !statusBar()->isHidden();
    state.controlBarVisible = controlBar_ && !controlBar_->isHidden();
    state.recentFilesEmpty = settings_.recentFiles.empty();
    state.recentListCleared = settings_.recentListCleared != 0;
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

void CMainFrame::closeEvent(QCloseEvent* event) {
    const QRect frame = frameGeometry();
    settings_.windowPosLeft = frame.left();
    settings_.windowPosTop = frame.top();
    settings_.windowPosWidth = frame.width();
    settings_.windowPosHeight = frame.height();
    controlBar_->Commit(settings_);
    event->accept();
}
