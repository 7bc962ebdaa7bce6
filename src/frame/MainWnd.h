// The main window's logic: it places the selectors and panes, is the hub of the refresh
// messages, and handles every menu command.
#pragma once

#include <cstdint>
#include <memory>

#include "app/App.h"
#include "platform/FrameHost.h"
#include "platform/PaneHost.h"
#include "views/iso/IsoBox.h"
#include "views/palette/PalBox.h"
#include "views/skin/SkinBox.h"

namespace varp {

class MainWnd final : public ViewHub, public PaneWatcher {
  public:
    // Creates the three panes, in the order 3D view, skin view, palette, each talking to
    // its window through its host.
    MainWnd(App& app, FrameHost& frame, PaneHost& modelHost, PaneHost& skinHost,
            PaneHost& paletteHost);
    ~MainWnd() override;
    MainWnd(const MainWnd&) = delete;
    MainWnd& operator=(const MainWnd&) = delete;

    // Once the window's children exist: places them, then starts up (base folder, model).
    void OnCreateClient();
    // Every size change of the main window.
    void LayoutPanes();
    // The refresh message; always answers 0.
    int OnRefresh(Refresh kind);
    void OnCommand(int id);
    void OnFrameSelectionChange(int index);
    void OnSkinSelectionChange(int index);
    // Check mark of a command: the mode and tool commands are checked when they are the mode or
    // tool in use, the brush, mirror and selection switches while they are on.
    bool IsChecked(int id) const;
    // The label a menu item shows now, for items whose label changes ("&Undo Paint
    // Stroke\tCtrl+Z"); empty for the others, which keep their label.
    std::string MenuLabel(int id) const;
    // The window's title: the model's file name, marked with "*" while anything is unsaved.
    std::string Title() const;
    // A request to close the main window: asks about unsaved work, if any.
    void OnClose();
    // A timer of the main window has run out.
    void OnTimer(int id);
    // A watched file changed on disk (FrameHost::WatchFiles): open skins of that file take it
    // up, asking first when they hold unsaved changes.
    void OnFileChanged(const std::string& path);

    // The side column's width at start, and the narrowest the column and the main pane get.
    static constexpr int StartColumnWidth = 192;
    static constexpr int MinColumnWidth = 192;
    // Settings of the layout: section and values.
    static constexpr const char* LayoutSection = "Layout";

    // Timers of the main window.
    static constexpr int RecoveryTimer = 1;
    static constexpr int AnimationTimer = 2;
    // Fires once the window is idle after a full render: the 3D view indexes its new picks.
    static constexpr int TexelIndexTimer = 3;
    // How long after a change its recovery files are written.
    static constexpr int RecoveryDelay = 30000;
    // The game's animations run at 10 frames a second.
    static constexpr int AnimationPeriod = 100;

    // Whether the current frame's group is playing in the 3D view.
    bool Playing() const { return playing_; }

    // The splitter between the main pane and the side column: the column's width, held to
    // MinColumnWidth and what leaves the main pane MinColumnWidth wide, and the panes laid out
    // again. The width and the Swap state are kept in the settings when the window closes.
    void SetColumnWidth(int width);
    // A brush size chosen on the toolbar, held to MinBrushSize..MaxBrushSize.
    void SetBrushSize(int size);
    // The status bar's text of what lies under the mouse, and of the tool (MainWndTools.cpp).
    void CursorMoved(Pane& pane) override;

    void RefreshAllViews() override;
    void RebuildSelectors() override;
    void PostRefresh(Refresh kind) override;

    IsoBox& ModelView() { return *modelView_; }
    SkinBox& SkinView() { return *skinView_; }
    PalBox& PaletteView() { return *paletteView_; }
    Pane& PaneOf(Child child);

    Rect MainArea;
    Rect SideArea;
    Rect PaletteArea;
    int32_t SkinViewMain = 1;
    int32_t ColumnWidth = StartColumnWidth;

  private:
    void ComputeAreas(const Rect& client);
    void Move(Child child, const Rect& r);
    void SelectMode(int32_t mode);
    // Ends a drag running in the 3D or skin view.
    void EndPaneDrags();
    // Places the selectors and the panes in the client area as the column width and the Swap
    // state say.
    void PlaceChildren();
    // The tool commands, Home, the status bar's tool field and the layout settings
    // (MainWndTools.cpp). OnToolCommand returns false for an id that is none of them.
    bool OnToolCommand(int id);
    void ShowTool();
    void ReadLayout();
    void SaveLayout();
    void SwapDisplays();
    // Edit > Undo and Redo, and the refresh that shows what the step changed
    // (MainWndEdits.cpp).
    void Undo();
    void Redo();
    void ShowStep(const EditStep* step);
    // Shows in the title and the skin selector what is unsaved, when that changed since it was
    // last shown; cheap enough to run after every refresh.
    void ShowUnsavedState();
    void RenderLargeViews(IsoBox::Kind iso, SkinBox::Kind flat);
    // Shows again what the pane's last render changed, if anything.
    void RedrawDirty(Child child);
    // The game's side (MainWndGame.cpp): Space plays or pauses the current frame's group, each
    // tick shows its next frame; the status bar's notice says when the game would draw the skin
    // with another palette; the skins' files are watched.
    void TogglePlay();
    void ShowNextFrame();
    void ShowGameState();

    App& app_;
    FrameHost& frame_;
    std::unique_ptr<IsoBox> modelView_;
    std::unique_ptr<SkinBox> skinView_;
    std::unique_ptr<PalBox> paletteView_;
    // What ShowUnsavedState last showed: a digest of which skins are unsaved, and the title.
    uint64_t shownUnsaved_ = 0;
    std::string shownTitle_;
    // The status bar's texts, kept so that showing them again allocates nothing.
    std::string cursorText_;
    std::string toolText_;
    // The last revision the recovery files were written for, whether a write is waiting for
    // its timer, and whether files may be there (at start, those of a session that ended
    // badly, which start-up has offered back by the time this is read).
    uint64_t recoveredRevision_ = 0;
    bool recoveryPending_ = false;
    bool recoveryWritten_ = true;
    bool playing_ = false;
    // The notice shown, and a digest of the skin files watched.
    std::string shownNotice_;
    uint64_t shownWatch_ = 0;
};

}  // namespace varp
