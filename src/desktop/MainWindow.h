// The program's main window: menu bar, accelerators, mode toolbar, the two selectors and the
// three panes, serving the main window's logic as its window system.
#pragma once

#include <QMainWindow>
#include <QStringList>
#include <map>
#include <memory>

#include "platform/FrameHost.h"

class QComboBox;
class QFileSystemWatcher;
class QTimer;
class QLabel;

namespace varp {
struct App;
class MainWnd;
}  // namespace varp

namespace varp::qt {

class ClientArea;
class ColumnSplitter;
class CommandMenus;
class ModeToolBar;
class PaneFrame;
class PaneWidget;
class QtPlatform;

class MainWindow final : public QMainWindow, public FrameHost {
  public:
    // Creates the children in the order toolbar, skin selector, frame selector, 3D view, skin
    // view, palette, and the logic that drives them. `platform` (may be null) gets the window
    // as the owner of its dialogs.
    MainWindow(App& app, QtPlatform* platform);
    ~MainWindow() override;

    // Places the children and starts up: base folder, then the first model. Call before show.
    void Start();

    MainWnd& Logic() { return *logic_; }
    QWidget* Client() const;
    QAction* MenuAction(int id) const;
    QAction* ToolbarAction(int id) const;
    ModeToolBar* ToolBar() const { return toolBar_; }
    // The handle between the main pane and the side column.
    QWidget* Splitter() const;
    CommandMenus* Menus() const { return menus_; }
    QComboBox* Selector(int id) const;
    PaneFrame* FrameOf(Child child) const;
    PaneWidget* PaneWidgetOf(Child child) const;

    // FrameHost.
    void PostRefresh(Refresh kind) override;
    void RecalcLayout() override;
    int ToolbarBottom() override;
    Rect ClientRect() override;
    void MoveChild(Child child, int x, int y, int width, int height) override;
    Rect ChildClientRect(Child child) override;
    void RedrawChild(Child child) override;
    void RedrawChildArea(Child child, const Rect& area) override;
    void ResetSelector(int id) override;
    void ReserveSelector(int id, int count, int bytesPerEntry) override;
    void AddSelectorEntry(int id, const std::string& text) override;
    void SelectSelectorEntry(int id, int index) override;
    void UpdateCommandStates() override;
    void SetTitle(const std::string& title) override;
    void SetStatus(StatusField field, const std::string& text) override;
    void SetTimer(int id, int milliseconds) override;
    void KillTimer(int id) override;
    void CloseWindow() override;
    void WatchFiles(const std::vector<std::string>& paths) override;

  protected:
    void closeEvent(QCloseEvent* event) override;
    // The swatches follow every repaint of the palette.
    bool eventFilter(QObject* watched, QEvent* event) override;
    // No menu for hiding the toolbar.
    QMenu* createPopupMenu() override { return nullptr; }

  private:
    void OnCommand(int id);
    void OnClientResized();

    App& app_;
    CommandMenus* menus_ = nullptr;
    ModeToolBar* toolBar_ = nullptr;
    ClientArea* client_ = nullptr;
    ColumnSplitter* splitter_ = nullptr;
    QComboBox* skinSelector_ = nullptr;
    QComboBox* frameSelector_ = nullptr;
    PaneFrame* modelFrame_ = nullptr;
    PaneFrame* skinFrame_ = nullptr;
    PaneFrame* paletteFrame_ = nullptr;
    std::unique_ptr<MainWnd> logic_;
    std::map<int, QTimer*> timers_;
    std::map<StatusField, QLabel*> status_;
    // The skins' files, watched for changes by other programs; changes that come in bursts (a
    // file truncated, then written) are handed on together once they settle.
    QFileSystemWatcher* watcher_ = nullptr;
    QTimer* settle_ = nullptr;
    QStringList watched_;
    QStringList changed_;
    bool started_ = false;
    bool inClientResize_ = false;
    bool inCloseEvent_ = false;
    bool closeApproved_ = false;
};

}  // namespace varp::qt
