// The palette view: the 16 x 16 colour grid with the paint and background markers and the
// protection crosses, and the mouse that chooses the two colours and protects colours.
#pragma once

#include <cstdint>

#include "views/Pane.h"

namespace varp {

class PalBox : public Pane {
  public:
    // The grid: 16 x 16 cells of 12 x 12 pixels, colour 0 at the top left.
    static constexpr int CellSize = 12;
    static constexpr int GridSize = 16 * CellSize;  // the pane's laid-out width and height

    // The mouse sweep under way. Only Idle accepts a button press.
    enum class Drag {
        Idle,
        Done,             // sweep over, the other button still down
        PaintSweep,       // left: PaintColour follows the mouse
        BackgroundSweep,  // right: BackgroundColour follows the mouse
        ProtectSweep,     // Shift + left: colours passed get locked
        ReleaseSweep,     // Shift + right: colours passed get unlocked
    };

    PalBox(App& app, PaneHost& host);

    // New client size: rows raised to a multiple of 4; a change reallocates and renders.
    void OnSize(int cx, int cy) override;

    // Redraws PixelBuffer from the Workspace: grid, paint-colour marker, background marker,
    // crosses over the protected colours.
    void Render();

    // The colour index the grid shows under a client point (y downward): (x div 12) +
    // 16 (y div 12), kept to its low 8 bits, after raising negative coordinates to 0. Inside a
    // 192 x 192 pane that is the cell's own colour; in a larger pane it is exactly the value the
    // grid fill wrote there, so a click always picks the colour it lands on, and no point
    // anywhere yields an index beyond 255.
    static uint8_t ColourAt(ClientPoint p);

    // Mouse messages (PalInteraction.cpp). Each change re-renders and repaints the pane at
    // once; the sweep ends when both buttons are up or the capture is lost.
    void OnLButtonDown(ClientPoint p, unsigned flags) override;
    void OnRButtonDown(ClientPoint p, unsigned flags) override;
    void OnMouseMove(ClientPoint p, unsigned flags) override;
    void OnLButtonUp(ClientPoint p, unsigned flags) override;
    void OnRButtonUp(ClientPoint p, unsigned flags) override;
    void OnCaptureChanged() override;

    Drag DragState = Drag::Idle;
    int32_t ShiftHeld = 0;  // 1 when Shift was down at the press that started the sweep

    // The outline colour of a colour's marker: 256 - ((30 - row - column) div 2), mod 256.
    static uint8_t MarkerColour(uint8_t colour);

  private:
    void ChoosePaintColour(ClientPoint p);
    void ShowPaintColour();
    void ChooseBackgroundColour(ClientPoint p);
    // Sets ColourLocks of the colour under p to `lock` (0 or 1) if it held the other one.
    void SetLock(ClientPoint p, int32_t lock);
    void ReleaseButton(unsigned flags, bool left);
    void Show();

    // Writes one pixel at a buffer row counted from the bottom, if it lies inside the buffer.
    void Plot(int row, int column, uint8_t colour);
    // The one-pixel square outline of `size` pixels inset by `inset` in a colour's cell.
    void DrawCellOutline(uint8_t colour, int inset, int size);
    void DrawCross(int colourIndex);
    void FillGrid();
};

}  // namespace varp
