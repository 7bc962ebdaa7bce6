// The main window's side of the paint tools: their commands, Home, the status bar, and the
// layout kept in the settings between runs.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "frame/Commands.h"
#include "frame/MainWnd.h"

namespace varp {

namespace {

constexpr const char* ToolNames[] = {"Brush", "Line", "Flood Fill", "Replace Colour", "Shade"};

// A whole number from the settings, or `fallback` when the text is not one.
int ParseSetting(const std::string& text, int fallback) {
    errno = 0;
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || end == text.c_str() || *end != '\0' || value < -1000000 || value > 1000000) {
        return fallback;
    }
    return static_cast<int>(value);
}

}  // namespace

bool MainWnd::OnToolCommand(int id) {
    switch (id) {
        case CmdToolBrush:
        case CmdToolLine:
        case CmdToolFill:
        case CmdToolReplace:
        case CmdToolShade:
            app_.Tool = id - CmdToolBrush;
            break;
        case CmdBrushSmaller:
            SetBrushSize(app_.BrushSize - 1);
            return true;
        case CmdBrushLarger:
            SetBrushSize(app_.BrushSize + 1);
            return true;
        case CmdBrushRound:
            app_.BrushRound = app_.BrushRound != 0 ? 0 : 1;
            break;
        case CmdMirror:
            app_.Mirror = app_.Mirror != 0 ? 0 : 1;
            modelView_->MirrorChanged();
            PostRefresh(Refresh::Everything);
            break;
        case CmdCentreMirror:
            app_.MirrorAxis = -1;
            PostRefresh(Refresh::Everything);
            break;
        case CmdInSelection:
            app_.InSelection = app_.InSelection != 0 ? 0 : 1;
            break;
        case CmdFitView: {
            // The pane under the mouse, or else the main one.
            Pane& main = SkinViewMain != 0 ? static_cast<Pane&>(*skinView_) : *modelView_;
            Pane& pane = skinView_->Cursor().Over    ? *skinView_
                         : modelView_->Cursor().Over ? static_cast<Pane&>(*modelView_)
                                                     : main;
            pane.FitView();
            return true;
        }
        default:
            return false;
    }
    ShowTool();
    frame_.UpdateCommandStates();
    return true;
}

void MainWnd::SetBrushSize(int size) {
    const int32_t clamped = std::clamp(size, MinBrushSize, MaxBrushSize);
    if (clamped == app_.BrushSize) return;
    app_.BrushSize = clamped;
    ShowTool();
    frame_.UpdateCommandStates();
}

void MainWnd::ShowTool() {
    const int32_t tool = std::clamp(app_.Tool, int32_t{ToolBrush}, int32_t{ToolShade});
    char text[128];
    const bool brush = tool == ToolBrush || tool == ToolLine || tool == ToolShade;
    int n = brush ? std::snprintf(text, sizeof text, "%s, size %d, %s", ToolNames[tool],
                                  static_cast<int>(app_.BrushSize),
                                  app_.BrushRound != 0 ? "round" : "square")
                  : std::snprintf(text, sizeof text, "%s%s", ToolNames[tool],
                                  app_.InSelection != 0 ? ", inside selected triangles" : "");
    if (app_.Mirror != 0 && tool != ToolReplace && n > 0 && n < static_cast<int>(sizeof text)) {
        std::snprintf(text + n, sizeof text - static_cast<size_t>(n), ", mirrored");
    }
    toolText_.assign(text);
    frame_.SetStatus(StatusField::Tool, toolText_);
}

void MainWnd::CursorMoved(Pane& pane) {
    const CursorInfo& info = pane.Cursor();
    // The pointer left this pane: the field empties unless it is over the other one.
    if (!info.Over && (skinView_->Cursor().Over || modelView_->Cursor().Over)) return;
    char text[128] = "";
    int n = 0;
    const SkinImage* skin = app_.CurrentSkin;
    if (info.OnTexel && skin != nullptr && info.S < skin->Width && info.T < skin->Height) {
        const uint8_t index =
            skin->Pixels[static_cast<size_t>(info.T) * static_cast<size_t>(skin->Width) +
                         static_cast<size_t>(info.S)];
        const uint8_t* rgb = &skin->Palette[static_cast<size_t>(index) * 3];
        n = std::snprintf(text, sizeof text, "Texel %d, %d   Colour %d (%d, %d, %d)",
                          static_cast<int>(info.S), static_cast<int>(info.T), index, rgb[0], rgb[1],
                          rgb[2]);
    }
    if (info.Triangle >= 0 && n >= 0 && n < static_cast<int>(sizeof text)) {
        std::snprintf(text + n, sizeof text - static_cast<size_t>(n), "%sTriangle %d",
                      n > 0 ? "   " : "", static_cast<int>(info.Triangle));
    }
    if (cursorText_ == text) return;
    cursorText_.assign(text);
    frame_.SetStatus(StatusField::Cursor, cursorText_);
}

void MainWnd::ReadLayout() {
    Platform& sys = app_.Sys;
    ColumnWidth = std::max(
        MinColumnWidth,
        ParseSetting(sys.GetProfileString(LayoutSection, "ColumnWidth", ""), StartColumnWidth));
    SkinViewMain = ParseSetting(sys.GetProfileString(LayoutSection, "SkinViewMain", ""), 1) != 0;
}

void MainWnd::SaveLayout() {
    Platform& sys = app_.Sys;
    sys.WriteProfileString(LayoutSection, "ColumnWidth", std::to_string(ColumnWidth));
    sys.WriteProfileString(LayoutSection, "SkinViewMain", SkinViewMain != 0 ? "1" : "0");
}

}  // namespace varp
