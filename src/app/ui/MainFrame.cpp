#include "app/ui/MainFrame.h"

#include "app/commands/CommandId.h"
#include "app/commands/DocumentState.h"
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
    connect(mdiArea_, &QMdiArea::subWindowActivated, this, &CMainFrame::RefreshCommands);
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

void CMainFrame::ShowNoFiles() {
    SetInfoText(QString::fromStdString(LoadString(StringId::NoFiles)));
    RefreshCommands();
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
    event->accept();
}
