// The main window's logic: fixed pixel layout, refresh hub, selector changes, commands.
#include "frame/MainWnd.h"

#include <algorithm>
#include <utility>

#include "commands/FileCommands.h"
#include "commands/Recovery.h"
#include "commands/Startup.h"
#include "frame/Commands.h"
#include "frame/MappingCommands.h"
#include "frame/MenuIcon.h"
#include "frame/Selectors.h"
#include "skins/ImageCommands.h"
#include "skins/SkinCommands.h"

namespace varp {

namespace {

// The palette's side.
constexpr int PaletteSide = 192;
// Gap between the toolbar and the selectors, and the selectors' dropped-down height.
constexpr int SelectorGap = 3;
constexpr int SelectorListHeight = 200;

// The commands that replace or save the Workspace's model or skins.
bool ReplacesOrSaves(int id) {
    switch (id) {
        case CmdFileOpen:
        case CmdFileSave:
        case CmdFileSaveAs:
        case CmdBaseFolder:
        case CmdExit:
        case CmdUndo:
        case CmdRedo:
        case CmdSkinNew:
        case CmdSkinOpen:
        case CmdSkinClose:
        case CmdSkinSave:
        case CmdSkinSaveAs:
        case CmdSkinLink:
        case CmdSkinUnlink:
        case CmdSkinMoveUp:
        case CmdSkinMoveDown:
        case CmdSkinStore:
        case CmdSkinRevert:
        case CmdSkinReload:
        case CmdScanFolder:
            return true;
        default:
            return false;
    }
}

}  // namespace

MainWnd::MainWnd(App& app, FrameHost& frame, PaneHost& modelHost, PaneHost& skinHost,
                 PaneHost& paletteHost)
    : app_(app),
      frame_(frame),
      modelView_(std::make_unique<IsoBox>(app, modelHost)),
      skinView_(std::make_unique<SkinBox>(app, skinHost)),
      paletteView_(std::make_unique<PalBox>(app, paletteHost)) {
    app_.Views = this;
    modelView_->SetWatcher(this);
    skinView_->SetWatcher(this);
    // Room for the longest status texts, so that a mouse move never allocates for them.
    cursorText_.reserve(128);
    toolText_.reserve(128);
}

MainWnd::~MainWnd() {
    app_.Views = nullptr;
    skinView_.reset();
    modelView_.reset();
    paletteView_.reset();
}

Pane& MainWnd::PaneOf(Child child) {
    switch (child) {
        case Child::ModelView:
            return *modelView_;
        case Child::SkinView:
            return *skinView_;
        default:
            return *paletteView_;
    }
}

void MainWnd::Move(Child child, const Rect& r) {
    frame_.MoveChild(child, r.left, r.top, r.right - r.left, r.bottom - r.top);
}

void MainWnd::ComputeAreas(const Rect& client) {
    const Rect s = frame_.ChildClientRect(Child::SkinSelector);
    MainArea = {s.left, s.bottom, s.right, client.bottom};
    const Rect f = frame_.ChildClientRect(Child::FrameSelector);
    SideArea = {f.left, f.bottom + PaletteSide, f.right, client.bottom};
    // The palette keeps its side at the column's left, however wide the column.
    PaletteArea = {f.left, f.bottom, std::min(f.right, f.left + PaletteSide),
                   f.bottom + PaletteSide};
}

void MainWnd::OnCreateClient() {
    ReadLayout();
    PlaceChildren();
    ShowTool();
    StartUp(app_);
}

void MainWnd::LayoutPanes() {
    frame_.RecalcLayout();
    PlaceChildren();
    RefreshAllViews();
}

void MainWnd::SetColumnWidth(int width) {
    const Rect k = frame_.ClientRect();
    const int widest = std::max(MinColumnWidth, k.right - k.left - MinColumnWidth);
    width = std::clamp(width, MinColumnWidth, widest);
    if (width == ColumnWidth) return;
    ColumnWidth = width;
    LayoutPanes();
}

void MainWnd::PlaceChildren() {
    const int y = frame_.ToolbarBottom() + SelectorGap;
    const Rect k = frame_.ClientRect();
    // A window made smaller than the column allows narrows it only while it is that small.
    const int column =
        std::min(ColumnWidth, std::max(MinColumnWidth, k.right - k.left - MinColumnWidth));
    Move(Child::SkinSelector, {k.left, y, k.right - column, y + SelectorListHeight});
    Move(Child::FrameSelector, {k.right - column, y, k.right, y + SelectorListHeight});
    ComputeAreas(k);
    if (SkinViewMain != 0) {
        Move(Child::SkinView, MainArea);
        Move(Child::ModelView, SideArea);
    } else {
        Move(Child::SkinView, SideArea);
        Move(Child::ModelView, MainArea);
    }
    Move(Child::PaletteView, PaletteArea);
}

int MainWnd::OnRefresh(Refresh kind) {
    // What each large view redraws for each kind of change. The panes' own render kinds differ:
    // a selection change redraws the 3D view without its picks (they cannot have changed) and
    // the flat skin with its outlines; in Mapping mode both draw their mapping render anyway.
    using Iso = IsoBox::Kind;
    using Flat = SkinBox::Kind;
    switch (kind) {
        case Refresh::TexelsPainted: {
            // Only the pixels that show the changed texels are recoloured and shown again.
            const TexelRect area = std::exchange(app_.PaintedTexels, TexelRect());
            modelView_->RecolourTexels(area);
            skinView_->RecolourTexels(area);
            RedrawDirty(Child::ModelView);
            RedrawDirty(Child::SkinView);
            break;
        }
        case Refresh::Everything:
            RenderLargeViews(Iso::Full, Flat::Full);
            break;
        case Refresh::Background:
            RenderLargeViews(Iso::Background, Flat::Background);
            break;
        case Refresh::Selection:
            RenderLargeViews(Iso::Quick, Flat::DisplayOnly);
            break;
        case Refresh::PaintColour:
            paletteView_->Render();
            frame_.RedrawChild(Child::PaletteView);
            // The mapping outlines and the mirror axis take the paint colour or the entries
            // farthest from it.
            if (app_.Mode == ModeMapping || app_.Mirror != 0)
                RenderLargeViews(Iso::Recolour, Flat::Recolour);
            break;
        case Refresh::Edited:
            break;
    }
    // A stroke's texels are told every move; what is unsaved waits for the stroke's end.
    if (kind != Refresh::TexelsPainted) ShowUnsavedState();
    return 0;
}

void MainWnd::RenderLargeViews(IsoBox::Kind iso, SkinBox::Kind flat) {
    modelView_->Render(iso);
    // A playing animation renders every frame in full; the index waits until it stops.
    if (iso == IsoBox::Kind::Full && !playing_) frame_.SetTimer(TexelIndexTimer, 0);
    skinView_->Render(flat);
    frame_.RedrawChild(Child::ModelView);
    frame_.RedrawChild(Child::SkinView);
}

void MainWnd::RedrawDirty(Child child) {
    const Rect& dirty = PaneOf(child).Dirty();
    if (dirty.right > dirty.left && dirty.bottom > dirty.top) frame_.RedrawChildArea(child, dirty);
}

void MainWnd::RefreshAllViews() {
    RebuildSelectors();
    PostRefresh(Refresh::Everything);
    paletteView_->Render();
    frame_.RedrawChild(Child::PaletteView);
}

void MainWnd::RebuildSelectors() {
    varp::RebuildSelectors(app_, frame_);
}

void MainWnd::PostRefresh(Refresh kind) {
    frame_.PostRefresh(kind);
}

void MainWnd::OnFrameSelectionChange(int index) {
    app_.SelectFrame(index);
    PostRefresh(Refresh::Everything);
}

void MainWnd::OnSkinSelectionChange(int index) {
    app_.SelectSkin(index);
    PostRefresh(Refresh::Everything);
    paletteView_->Render();
    frame_.RedrawChild(Child::PaletteView);
}

void MainWnd::SwapDisplays() {
    if (SkinViewMain != 0) {
        SkinViewMain = 0;
        Move(Child::ModelView, MainArea);
        Move(Child::SkinView, SideArea);
    } else {
        SkinViewMain = 1;
        Move(Child::ModelView, SideArea);
        Move(Child::SkinView, MainArea);
    }
    PostRefresh(Refresh::Everything);
}

void MainWnd::EndPaneDrags() {
    for (Pane* pane : {static_cast<Pane*>(modelView_.get()), static_cast<Pane*>(skinView_.get())}) {
        if (pane->Host().HoldsCapture()) pane->Host().ReleaseCapture();
    }
}

void MainWnd::SelectMode(int32_t mode) {
    if (app_.Mode == mode) return;
    app_.Mode = mode;
    RefreshAllViews();
    frame_.UpdateCommandStates();
}

bool MainWnd::IsChecked(int id) const {
    switch (id) {
        case CmdMixMode:
            return app_.Mode == ModeMix;
        case CmdPaintMode:
            return app_.Mode == ModePaint;
        case CmdCameraMode:
            return app_.Mode == ModeCamera;
        case CmdMappingMode:
            return app_.Mode == ModeMapping;
        case CmdPlayAnimation:
            return playing_;
        case CmdToolBrush:
        case CmdToolLine:
        case CmdToolFill:
        case CmdToolReplace:
        case CmdToolShade:
            return app_.Tool == id - CmdToolBrush;
        case CmdBrushRound:
            return app_.BrushRound != 0;
        case CmdMirror:
            return app_.Mirror != 0;
        case CmdInSelection:
            return app_.InSelection != 0;
        default:
            return false;
    }
}

void MainWnd::OnClose() {
    if (!AskQuit(app_)) return;
    // A clean quit leaves nothing to recover.
    RemoveRecovery(app_);
    SaveLayout();
    frame_.CloseWindow();
}

void MainWnd::OnCommand(int id) {
    // A command that replaces or saves what a drag works on must not act on half-done state: a
    // model saved while a mapping point is on the move would name the drag slot, and a stroke
    // must not outlive the skin it paints. Taking the mouse away ends the drag first, as any
    // lost capture does. Other commands (modes, tools, the view) leave a drag running.
    if (ReplacesOrSaves(id)) EndPaneDrags();
    if (OnToolCommand(id)) return;
    switch (id) {
        case CmdFileOpen:
            FileOpen(app_);
            break;
        case CmdFileSave:
            FileSave(app_);
            break;
        case CmdFileSaveAs:
            FileSaveAs(app_);
            break;
        case CmdBaseFolder:
            FileBaseFolder(app_);
            break;
        case CmdExit:
            OnClose();
            break;
        case CmdUndo:
            Undo();
            break;
        case CmdRedo:
            Redo();
            break;
        case CmdAbout:
            ShowAbout(app_);
            break;
        case CmdSwapDisplays:
            SwapDisplays();
            break;
        case CmdMixMode:
            SelectMode(ModeMix);
            break;
        case CmdPaintMode:
            SelectMode(ModePaint);
            break;
        case CmdCameraMode:
            SelectMode(ModeCamera);
            break;
        case CmdMappingMode:
            SelectMode(ModeMapping);
            break;
        case CmdSelectAll:
            SelectAllTriangles(app_);
            break;
        case CmdSelectNone:
            SelectNoTriangles(app_);
            break;
        case CmdInvertSelection:
            InvertTriangleSelection(app_);
            break;
        case CmdSkinNew:
            SkinNew(app_);
            break;
        case CmdSkinOpen:
            SkinOpen(app_);
            break;
        case CmdSkinClose:
            SkinClose(app_);
            break;
        case CmdSkinSave:
            SkinSave(app_);
            break;
        case CmdSkinSaveAs:
            SkinSaveAs(app_);
            break;
        case CmdSkinLink:
            SkinLink(app_);
            break;
        case CmdSkinUnlink:
            SkinUnlink(app_);
            break;
        case CmdSkinMoveUp:
            SkinMoveUp(app_);
            break;
        case CmdSkinMoveDown:
            SkinMoveDown(app_);
            break;
        case CmdSkinStore:
            SkinStore(app_);
            break;
        case CmdSkinRevert:
            SkinRevert(app_);
            break;
        case CmdSkinReload:
            SkinReload(app_);
            break;
        case CmdScanFolder:
            SkinScanFolder(app_);
            break;
        case CmdOpenGameModel:
            FileOpenGameModel(app_);
            break;
        case CmdCheckPackage:
            FileCheckPackage(app_);
            break;
        case CmdUseGamePalette:
            SkinUseGamePalette(app_);
            break;
        case CmdConvertToGamePalette:
            SkinConvertToGamePalette(app_);
            break;
        case CmdMakeMenuIcon:
            SkinMakeMenuIcon(app_);
            break;
        case CmdPlayAnimation:
            TogglePlay();
            break;
        case CmdSkinImportImage:
            SkinImportImage(app_);
            break;
        case CmdSkinImportImageAsNew:
            SkinImportImageAsNew(app_);
            break;
        case CmdSkinExportImage:
            SkinExportImage(app_);
            break;
        case CmdExportUvTemplate:
            MappingExportTemplate(app_);
            break;
        default:
            break;
    }
    ShowUnsavedState();
}

}  // namespace varp
