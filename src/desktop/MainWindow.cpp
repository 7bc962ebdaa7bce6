// The main window: Qt's widgets under the main window's logic.
#include "desktop/MainWindow.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

#include "app/App.h"
#include "desktop/CommandMenus.h"
#include "desktop/ModeToolBar.h"
#include "desktop/PaneWidget.h"
#include "desktop/QtPlatform.h"
#include "desktop/QtText.h"
#include "frame/MainWnd.h"
#include "resources/MenuTable.h"

namespace varp::qt {

// The client area: the selectors and panes cover it, so it paints nothing of its own; a size
// change lays them out again. The panes are opaque, so Qt never fills the window's background
// under them; only the three-pixel strip above the selectors takes the window's colour.
class ClientArea final : public QWidget {
  public:
    ClientArea(QWidget* parent, std::function<void()> resized)
        : QWidget(parent), resized_(std::move(resized)) {
        setAutoFillBackground(false);
    }

  protected:
    void resizeEvent(QResizeEvent*) override { resized_(); }

  private:
    std::function<void()> resized_;
};

// The handle on the main pane's right edge: dragging it sets the side column's width. It paints
// nothing: the pane's sunken edge shows through.
class ColumnSplitter final : public QWidget {
  public:
    ColumnSplitter(QWidget* parent, std::function<void(int)> moved)
        : QWidget(parent), moved_(std::move(moved)) {
        setObjectName(QStringLiteral("ColumnSplitter"));
        setCursor(Qt::SplitHCursor);
        setToolTip(QStringLiteral("Drag to widen the side column"));
    }
    static constexpr int Width = 4;

  protected:
    void mousePressEvent(QMouseEvent* event) override { grab_ = event->position().x(); }
    void mouseMoveEvent(QMouseEvent* event) override {
        if (!(event->buttons() & Qt::LeftButton)) return;
        // The column's left edge follows the pointer, less where the handle was taken.
        const double x = mapToParent(event->position()).x() - grab_ + Width;
        moved_(parentWidget()->width() - static_cast<int>(std::lround(x)));
    }

  private:
    std::function<void(int)> moved_;
    double grab_ = 0;
};

namespace {

constexpr int MinimumWidth = 384;
// How long a changed file must stay quiet before the logic hears of it.
constexpr int SettleMilliseconds = 200;
constexpr int MinimumHeight = 360;

QComboBox* MakeSelector(QWidget* parent, int id, const char* name) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(name));
    combo->setProperty("controlId", id);
    combo->setEditable(false);
    // The system keeps the lists in its own order.
    combo->setInsertPolicy(QComboBox::InsertAtBottom);
    return combo;
}

Rect ToRect(const QRect& r) {
    return {r.x(), r.y(), r.x() + r.width(), r.y() + r.height()};
}

}  // namespace

MainWindow::MainWindow(App& app, QtPlatform* platform) : app_(app) {
    setWindowTitle(QString::fromLatin1(resources::WindowTitle));
    setWindowIcon(QIcon(ToolbarImage(CmdMappingMode)));
    // The whole window, menu bar included; the window manager's frame is not ours to size.
    setMinimumSize(MinimumWidth, MinimumHeight);

    auto handler = [this](int id) { OnCommand(id); };
    menus_ = new CommandMenus(this, handler);
    toolBar_ = new ModeToolBar(this, app_, handler, [this](int size) {
        logic_->SetBrushSize(size);
        UpdateCommandStates();
    });
    addToolBar(Qt::TopToolBarArea, toolBar_);

    client_ = new ClientArea(this, [this] { OnClientResized(); });
    setCentralWidget(client_);
    skinSelector_ = MakeSelector(client_, SkinSelectorId, "SkinSelector");
    frameSelector_ = MakeSelector(client_, FrameSelectorId, "FrameSelector");
    modelFrame_ = new PaneFrame(true, client_);
    modelFrame_->setObjectName(QStringLiteral("ISO Box"));
    skinFrame_ = new PaneFrame(true, client_);
    skinFrame_->setObjectName(QStringLiteral("Skin Box"));
    paletteFrame_ = new PaneFrame(false, client_);
    paletteFrame_->setObjectName(QStringLiteral("Pal Box"));
    paletteFrame_->Pane()->installEventFilter(this);
    splitter_ = new ColumnSplitter(client_, [this](int width) { logic_->SetColumnWidth(width); });

    logic_ = std::make_unique<MainWnd>(app_, *this, *modelFrame_->Pane(), *skinFrame_->Pane(),
                                       *paletteFrame_->Pane());
    auto sink = [this](Refresh kind) { return logic_->OnRefresh(kind); };
    modelFrame_->Pane()->Attach(&logic_->PaneOf(Child::ModelView), &app_, sink);
    skinFrame_->Pane()->Attach(&logic_->PaneOf(Child::SkinView), &app_, sink);
    paletteFrame_->Pane()->Attach(&logic_->PaneOf(Child::PaletteView), &app_, sink);

    // Undo and Redo name the step they would take: the labels are brought up to date whenever
    // a menu opens.
    for (QMenu* menu : menus_->Menus()) {
        connect(menu, &QMenu::aboutToShow, this, [this] { UpdateCommandStates(); });
    }
    connect(frameSelector_, &QComboBox::activated, this,
            [this](int index) { logic_->OnFrameSelectionChange(index); });
    connect(skinSelector_, &QComboBox::activated, this,
            [this](int index) { logic_->OnSkinSelectionChange(index); });

    // The size it had when it last closed, or three quarters of the screen, as a new window gets
    // from the window system.
    QSize initial(800, 600);
    if (const QScreen* s = screen()) initial = s->availableGeometry().size() * 3 / 4;
    bool widthOk = false, heightOk = false;
    const int width =
        QString::fromStdString(app_.Sys.GetProfileString(MainWnd::LayoutSection, "WindowWidth", ""))
            .toInt(&widthOk);
    const int height = QString::fromStdString(
                           app_.Sys.GetProfileString(MainWnd::LayoutSection, "WindowHeight", ""))
                           .toInt(&heightOk);
    if (widthOk && heightOk && width > 0 && height > 0 && width <= 32767 && height <= 32767) {
        initial = QSize(width, height);
    }
    resize(initial.expandedTo(QSize(MinimumWidth, MinimumHeight)));

    if (platform != nullptr) platform->SetDialogOwner(this);

    watcher_ = new QFileSystemWatcher(this);
    settle_ = new QTimer(this);
    settle_->setSingleShot(true);
    connect(watcher_, &QFileSystemWatcher::fileChanged, this, [this](const QString& path) {
        if (!changed_.contains(path)) changed_.append(path);
        settle_->start(SettleMilliseconds);
    });
    connect(settle_, &QTimer::timeout, this, [this] {
        const QStringList changed = std::exchange(changed_, {});
        for (const QString& path : changed) logic_->OnFileChanged(ToSystemPath(path));
        // A file replaced by renaming another over it is no longer watched: watch it again.
        for (const QString& path : watched_) {
            if (!watcher_->files().contains(path) && QFileInfo::exists(path)) {
                watcher_->addPath(path);
            }
        }
        UpdateCommandStates();
    });
}

MainWindow::~MainWindow() {
    // The panes belong to the logic, which goes first: the widgets must not reach them.
    for (PaneFrame* frame : {modelFrame_, skinFrame_, paletteFrame_}) {
        frame->Pane()->Attach(nullptr, nullptr, nullptr);
    }
    logic_.reset();
}

void MainWindow::Start() {
    // Qt lays out a hidden window only on request: the client area needs its size now.
    if (layout() != nullptr) layout()->activate();
    logic_->OnCreateClient();
    started_ = true;
    UpdateCommandStates();
}

QWidget* MainWindow::Client() const {
    return client_;
}

QWidget* MainWindow::Splitter() const {
    return splitter_;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint && watched == paletteFrame_->Pane()) {
        toolBar_->Swatches()->update();
    }
    return QMainWindow::eventFilter(watched, event);
}

QAction* MainWindow::MenuAction(int id) const {
    return menus_->Action(id);
}

QAction* MainWindow::ToolbarAction(int id) const {
    return toolBar_->Action(id);
}

QComboBox* MainWindow::Selector(int id) const {
    if (id == FrameSelectorId) return frameSelector_;
    if (id == SkinSelectorId) return skinSelector_;
    return nullptr;
}

PaneFrame* MainWindow::FrameOf(Child child) const {
    switch (child) {
        case Child::ModelView:
            return modelFrame_;
        case Child::SkinView:
            return skinFrame_;
        case Child::PaletteView:
            return paletteFrame_;
        default:
            return nullptr;
    }
}

PaneWidget* MainWindow::PaneWidgetOf(Child child) const {
    PaneFrame* frame = FrameOf(child);
    return frame != nullptr ? frame->Pane() : nullptr;
}

void MainWindow::OnCommand(int id) {
    if (id == CmdExit) {
        // Exit is a request to close the window, like its close box.
        close();
    } else {
        logic_->OnCommand(id);
    }
    // The checkable items toggle themselves when chosen; the logic decides.
    UpdateCommandStates();
}

void MainWindow::OnClientResized() {
    if (!started_) return;
    inClientResize_ = true;
    logic_->LayoutPanes();
    inClientResize_ = false;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!closeApproved_) {
        inCloseEvent_ = true;
        logic_->OnClose();
        inCloseEvent_ = false;
    }
    if (closeApproved_) {
        app_.Sys.WriteProfileString(MainWnd::LayoutSection, "WindowWidth", std::to_string(width()));
        app_.Sys.WriteProfileString(MainWnd::LayoutSection, "WindowHeight",
                                    std::to_string(height()));
        event->accept();
    } else {
        event->ignore();
    }
}

void MainWindow::CloseWindow() {
    closeApproved_ = true;
    // Inside a close request the request itself now goes through.
    if (!inCloseEvent_) close();
}

void MainWindow::PostRefresh(Refresh kind) {
    QMetaObject::invokeMethod(
        this, [this, kind] { logic_->OnRefresh(kind); }, Qt::QueuedConnection);
}

void MainWindow::RecalcLayout() {
    // During a size change Qt has already placed the toolbar: that is why the client area
    // changed size.
    if (!inClientResize_ && layout() != nullptr) layout()->activate();
}

int MainWindow::ToolbarBottom() {
    // The client area is the central widget, right under the toolbar: the toolbar's bottom
    // edge is its top line, or above it.
    const int bottom = toolBar_->geometry().y() + toolBar_->height() - client_->geometry().y();
    return std::max(bottom, 0);
}

Rect MainWindow::ClientRect() {
    return {0, 0, client_->width(), client_->height()};
}

void MainWindow::MoveChild(Child child, int x, int y, int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (child == Child::SkinSelector || child == Child::FrameSelector) {
        QComboBox* combo = child == Child::SkinSelector ? skinSelector_ : frameSelector_;
        // The height asked for includes the dropped-down list; Qt sizes that list itself,
        // so the control keeps the height of its selection field.
        combo->setGeometry(x, y, width, combo->sizeHint().height());
        if (child == Child::FrameSelector) {
            // The handle runs down the main pane's right edge, from the selectors' row on.
            splitter_->setGeometry(x - ColumnSplitter::Width, y, ColumnSplitter::Width,
                                   std::max(client_->height() - y, 0));
            splitter_->raise();
        }
        return;
    }
    FrameOf(child)->Place(x, y, width, height);
}

Rect MainWindow::ChildClientRect(Child child) {
    if (child == Child::SkinSelector) return ToRect(skinSelector_->geometry());
    if (child == Child::FrameSelector) return ToRect(frameSelector_->geometry());
    const PaneFrame* frame = FrameOf(child);
    return ToRect(frame->Pane()->geometry().translated(frame->pos()));
}

void MainWindow::RedrawChild(Child child) {
    if (PaneWidget* pane = PaneWidgetOf(child)) {
        pane->RedrawNow();
    } else if (QComboBox* combo =
                   Selector(child == Child::FrameSelector ? FrameSelectorId : SkinSelectorId)) {
        combo->repaint();
    }
}

void MainWindow::RedrawChildArea(Child child, const Rect& area) {
    // Queued: Qt joins the parts asked for before the next paint, which blits only those.
    if (PaneWidget* pane = PaneWidgetOf(child)) {
        pane->update(QRect(area.left, area.top, area.right - area.left, area.bottom - area.top));
    }
}

void MainWindow::ResetSelector(int id) {
    if (QComboBox* combo = Selector(id)) combo->clear();
}

void MainWindow::ReserveSelector(int, int, int) {
    // Qt's lists grow as needed; there is nothing to reserve.
}

void MainWindow::AddSelectorEntry(int id, const std::string& text) {
    if (QComboBox* combo = Selector(id)) combo->addItem(ToQString(text));
}

void MainWindow::SelectSelectorEntry(int id, int index) {
    QComboBox* combo = Selector(id);
    if (combo == nullptr) return;
    // An index outside the list clears the selection, as the window system's list does.
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
}

void MainWindow::UpdateCommandStates() {
    for (const resources::Menu& menu : resources::MenuBar) {
        for (const resources::MenuItem& entry : menu.Items) {
            if (!resources::IsCheckable(entry.Id)) continue;
            const bool checked = logic_->IsChecked(entry.Id);
            if (QAction* item = menus_->Action(entry.Id)) item->setChecked(checked);
            if (QAction* button = toolBar_->Action(entry.Id)) button->setChecked(checked);
        }
    }
    toolBar_->ShowBrushSize(app_.BrushSize);
    for (int id : {CmdUndo, CmdRedo}) {
        if (QAction* item = menus_->Action(id)) item->setText(ToQString(logic_->MenuLabel(id)));
    }
}

void MainWindow::SetTitle(const std::string& title) {
    setWindowTitle(ToQString(title));
}

void MainWindow::SetStatus(StatusField field, const std::string& text) {
    QLabel*& label = status_[field];
    if (label == nullptr) {
        label = new QLabel(this);
        // The cursor's field takes the room; the tool and the notice keep to their text.
        statusBar()->addWidget(label, field == StatusField::Cursor ? 1 : 0);
    }
    label->setText(ToQString(text));
}

void MainWindow::SetTimer(int id, int milliseconds) {
    QTimer*& timer = timers_[id];
    if (timer == nullptr) {
        timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this, [this, id] { logic_->OnTimer(id); });
    }
    timer->start(milliseconds);
}

void MainWindow::WatchFiles(const std::vector<std::string>& paths) {
    watched_.clear();
    for (const std::string& path : paths) watched_.append(ToOsPath(path));
    if (!watcher_->files().isEmpty()) watcher_->removePaths(watcher_->files());
    for (const QString& path : watched_) {
        if (QFileInfo::exists(path)) watcher_->addPath(path);
    }
}

void MainWindow::KillTimer(int id) {
    const auto it = timers_.find(id);
    if (it != timers_.end()) it->second->stop();
}

}  // namespace varp::qt
