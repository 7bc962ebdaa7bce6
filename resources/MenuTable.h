// The main window's menu bar, accelerator table and toolbar buttons, as plain data.
#pragma once

#include <span>

#include "frame/Commands.h"

namespace varp::resources {

// One menu item; a null label is a separator. A "\t" splits the label from the key text
// shown at the right of the item.
struct MenuItem {
    const char* Label;
    int Id;
};

struct Menu {
    const char* Title;
    std::span<const MenuItem> Items;
};

inline constexpr MenuItem Separator{nullptr, 0};

// clang-format off
inline constexpr MenuItem FileItems[] = {
    {"&Open...\tCtrl+O", CmdFileOpen},
    {"Open &Game Model...\tCtrl+G", CmdOpenGameModel},
    {"&Save\tCtrl+S", CmdFileSave},
    {"Save &As...\tCtrl+A", CmdFileSaveAs},
    {"&Base Folder", CmdBaseFolder},
    Separator,
    {"Check &Package", CmdCheckPackage},
    Separator,
    {"E&xit", CmdExit},
};

// Undo and Redo name the step they take ("&Undo Paint Stroke\tCtrl+Z") whenever the menu shows.
inline constexpr MenuItem EditItems[] = {
    {"&Undo\tCtrl+Z", CmdUndo},
    {"&Redo\tCtrl+Shift+Z", CmdRedo},
};

inline constexpr MenuItem OptionsItems[] = {
    {"&Swap Displays", CmdSwapDisplays},
    {"&Fit View\tHome", CmdFitView},
    Separator,
    {"&Camera Mode\t1", CmdCameraMode},
    {"&Mix Mode\t2", CmdMixMode},
    {"&Paint Mode\t3", CmdPaintMode},
    {"M&apping Mode\t4", CmdMappingMode},
    Separator,
    {"Pla&y Animation\tSpace", CmdPlayAnimation},
};

inline constexpr MenuItem SkinsItems[] = {
    {"&New\tShift+N", CmdSkinNew},
    {"&Open\tShift+O", CmdSkinOpen},
    {"&Close/Delete\tShift+D", CmdSkinClose},
    Separator,
    {"&Save\tShift+S", CmdSkinSave},
    {"Save &As\tShift+A", CmdSkinSaveAs},
    Separator,
    {"&Link\tShift+L", CmdSkinLink},
    {"&Unlink\tCtrl+L", CmdSkinUnlink},
    Separator,
    {"&Move Up\tCtrl+Up", CmdSkinMoveUp},
    {"Move &Down\tCtrl+Down", CmdSkinMoveDown},
    Separator,
    {"&Store\tShift+Z", CmdSkinStore},
    {"&Revert\tCtrl+R", CmdSkinRevert},
    {"R&eload\tF5", CmdSkinReload},
    Separator,
    {"Use &Game Palette", CmdUseGamePalette},
    {"Con&vert to Game Palette", CmdConvertToGamePalette},
    {"Ma&ke Menu Icon", CmdMakeMenuIcon},
    Separator,
    {"&Import Image...", CmdSkinImportImage},
    {"Import Image as Ne&w Skin...", CmdSkinImportImageAsNew},
    {"E&xport Image...", CmdSkinExportImage},
    Separator,
    {"&Scan Folder", CmdScanFolder},
};

inline constexpr MenuItem ToolsItems[] = {
    {"&Brush\tB", CmdToolBrush},
    {"&Line\tL", CmdToolLine},
    {"&Flood Fill\tF", CmdToolFill},
    {"&Replace Colour\tR", CmdToolReplace},
    {"S&hade\tS", CmdToolShade},
    Separator,
    {"S&maller Brush\t[", CmdBrushSmaller},
    {"Lar&ger Brush\t]", CmdBrushLarger},
    {"R&ound Brush\tO", CmdBrushRound},
    Separator,
    {"M&irror\tM", CmdMirror},
    {"&Centre Mirror Axis", CmdCentreMirror},
    {"Only Inside Selected &Triangles", CmdInSelection},
};

inline constexpr MenuItem MappingItems[] = {
    {"&Select All\tShift+C", CmdSelectAll},
    {"Select &None\tC", CmdSelectNone},
    {"&Invert Selection\tI", CmdInvertSelection},
    Separator,
    {"Export &UV Template...", CmdExportUvTemplate},
};

inline constexpr MenuItem HelpItems[] = {
    {"&About Reviz0.60...", CmdAbout},
};

inline constexpr Menu MenuBar[] = {
    {"&File", FileItems},
    {"&Edit", EditItems},
    {"&Options", OptionsItems},
    {"&Tools", ToolsItems},
    {"&Skins", SkinsItems},
    {"&Mapping", MappingItems},
    {"&Help", HelpItems},
};

// A key with its modifiers, spelt as "Shift+C", "Ctrl+Up", "F5" or "1".
struct Accelerator {
    const char* Key;
    int Id;
};

// Skins > Open shows "Shift+O" in its label but has no entry here.
inline constexpr Accelerator Accelerators[] = {
    {"1", CmdCameraMode},
    {"2", CmdMixMode},
    {"3", CmdPaintMode},
    {"4", CmdMappingMode},
    {"Ctrl+A", CmdFileSaveAs},
    {"Shift+A", CmdSkinSaveAs},
    {"C", CmdSelectNone},
    {"Shift+C", CmdSelectAll},
    {"Shift+D", CmdSkinClose},
    {"I", CmdInvertSelection},
    {"Shift+L", CmdSkinLink},
    {"Ctrl+L", CmdSkinUnlink},
    {"Shift+N", CmdSkinNew},
    {"Ctrl+O", CmdFileOpen},
    {"Ctrl+G", CmdOpenGameModel},
    {"Space", CmdPlayAnimation},
    {"Ctrl+S", CmdFileSave},
    {"Shift+S", CmdSkinSave},
    {"Ctrl+Down", CmdSkinMoveDown},
    {"Ctrl+Up", CmdSkinMoveUp},
    {"F5", CmdSkinReload},
    {"Ctrl+R", CmdSkinRevert},
    {"Ctrl+Z", CmdUndo},
    {"Ctrl+Shift+Z", CmdRedo},
    {"Ctrl+Y", CmdRedo},
    {"Shift+Z", CmdSkinStore},
    {"B", CmdToolBrush},
    {"L", CmdToolLine},
    {"F", CmdToolFill},
    {"R", CmdToolReplace},
    {"S", CmdToolShade},
    {"[", CmdBrushSmaller},
    {"]", CmdBrushLarger},
    {"O", CmdBrushRound},
    {"M", CmdMirror},
    {"Home", CmdFitView},
};

// The toolbar's buttons, left to right, each 16 x 15 pixels; an id of 0 is a separator. The
// brush size box follows the last button.
struct ToolbarButton {
    int Id;
    const char* Name;  // the command's name, shown as the button's tip with its key
};

inline constexpr ToolbarButton ToolbarButtons[] = {
    {CmdCameraMode, "Camera Mode (1)"},
    {CmdMixMode, "Mix Mode (2)"},
    {CmdPaintMode, "Paint Mode (3)"},
    {CmdMappingMode, "Mapping Mode (4)"},
    {0, nullptr},
    {CmdToolBrush, "Brush (B): paints the brush along the stroke; Shift+click continues from the last texel painted"},
    {CmdToolLine, "Line (L): a straight line from the press to the release; Shift+click starts at the last texel painted"},
    {CmdToolFill, "Flood Fill (F): the touching texels of the colour clicked"},
    {CmdToolReplace, "Replace Colour (R): every texel of the colour clicked"},
    {CmdToolShade, "Shade (S): left button one step brighter, right button one step darker, within the colour's row of the palette"},
    {0, nullptr},
    {CmdBrushRound, "Round Brush (O)"},
    {CmdMirror, "Mirror (M): strokes also paint their mirror image; Ctrl+Shift+click on the flat skin places its axis"},
    {CmdInSelection, "Only Inside Selected Triangles: Flood Fill and Replace Colour keep to their texels"},
};

// The tip of the brush size box: the keys that change it too.
inline constexpr const char* BrushSizeTip = "Brush size ([ and ])";

// The commands whose menu items and buttons show a check mark.
inline constexpr bool IsCheckable(int id) {
    return (id >= CmdMixMode && id <= CmdMappingMode) ||
           (id >= CmdToolBrush && id <= CmdToolShade) || id == CmdBrushRound || id == CmdMirror ||
           id == CmdInSelection || id == CmdPlayAnimation;
}
// clang-format on

inline constexpr int ToolbarImageWidth = 16;
inline constexpr int ToolbarImageHeight = 15;

// The About box.
inline constexpr const char* AboutTitle = "About Varp";
inline constexpr const char* AboutLines[] = {
    "Reviz0.60",
    "Varp: a skin painter and texture-mapping editor for Quake 2 models.",
    "Paint on the model or on the flat skin, and drag mapping points to remap it.",
};

// The caption of every message box, and the main window's title.
inline constexpr const char* MessageCaption = "Zozuz05";
inline constexpr const char* WindowTitle = "Varpkit v0.60";

}  // namespace varp::resources
