// The 3D view's mode table and its strokes: painting, colour pick, triangle selection, picks of
// the wrong meaning, and moves that never allocate.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <ostream>
#include <vector>

#include "support/HeapCounter.h"
#include "views/iso/FanView.h"

namespace varp::test {
namespace {

constexpr uint32_t NoPick = IsoBox::NoPick;

struct PressCase {
    int32_t mode;
    bool left;
    unsigned keys;
    IsoBox::Drag state;
};

void PrintTo(const PressCase& c, std::ostream* os) {
    *os << "mode " << c.mode << (c.left ? " left" : " right") << " keys " << c.keys;
}

class IsoModeTable : public ::testing::TestWithParam<PressCase> {};

TEST_P(IsoModeTable, APressStartsTheDragOfItsModeAndKeysAndTheReleaseEndsIt) {
    const PressCase c = GetParam();
    FanView v(c.mode);
    IsoBox& box = *v.box;
    box.ViewCamera.Yaw = 77.0f;
    box.ViewCamera.Tilt = 55.0f;
    v.Press(c.left, Outside, c.keys);
    EXPECT_EQ(box.DragState, c.state);
    EXPECT_EQ(box.CtrlHeld, (c.keys & Ctrl) != 0 ? 1 : 0);
    EXPECT_EQ(box.ShiftHeld, (c.keys & Shift) != 0 ? 1 : 0);
    EXPECT_EQ(box.PressPoint, Outside);
    EXPECT_TRUE(v.host.capture);
    const bool camera = c.state == IsoBox::Drag::Orbit || c.state == IsoBox::Drag::Look ||
                        c.state == IsoBox::Drag::Zoom;
    EXPECT_EQ(v.host.displayCount, camera ? -1 : 0);
    if (c.state != IsoBox::Drag::Look) {  // BeginLook from the initial camera turns Tilt to 180
        EXPECT_EQ(box.ViewCamera.Yaw, 0.0f);
        EXPECT_EQ(box.ViewCamera.Tilt, 0.0f);
    }
    EXPECT_TRUE(v.host.sent.empty());  // nothing under the background point

    v.Release(c.left, Outside, c.keys);
    EXPECT_EQ(box.DragState, IsoBox::Drag::Idle);
    EXPECT_EQ(box.CtrlHeld, 0);
    EXPECT_EQ(box.ShiftHeld, 0);
    EXPECT_FALSE(v.host.capture);
    EXPECT_EQ(v.host.releases, 1);
    EXPECT_EQ(v.host.displayCount, 0);
}

constexpr IsoBox::Drag Paint = IsoBox::Drag::Paint, Pick = IsoBox::Drag::Pick,
                       Orbit = IsoBox::Drag::Orbit, Zoom = IsoBox::Drag::Zoom,
                       Look = IsoBox::Drag::Look, Sel = IsoBox::Drag::Select,
                       Desel = IsoBox::Drag::Deselect;

// The drag a press starts, by mode: the left button with no key, Shift, Ctrl and Ctrl + Shift,
// then the right button with the same.
std::vector<PressCase> EveryPress() {
    const struct {
        int32_t mode;
        IsoBox::Drag drags[8];
    } table[] = {
        {ModeMix, {Paint, Paint, Orbit, Zoom, Pick, Pick, Look, Look}},
        {ModePaint, {Paint, Paint, Paint, Paint, Pick, Pick, Pick, Pick}},
        {ModeCamera, {Orbit, Zoom, Orbit, Zoom, Look, Look, Look, Look}},
        {ModeMapping, {Sel, Sel, Orbit, Zoom, Desel, Desel, Look, Look}},
    };
    const unsigned keys[4] = {0, Shift, Ctrl, Ctrl | Shift};
    std::vector<PressCase> cases;
    for (const auto& row : table) {
        for (int i = 0; i < 8; ++i) cases.push_back({row.mode, i < 4, keys[i % 4], row.drags[i]});
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(EveryModeButtonAndKeys, IsoModeTable, ::testing::ValuesIn(EveryPress()));

// The skin with the texels shown under pixels (x0..x1, y) painted 200, but those of colour
// `locked`.
std::vector<uint8_t> RowPainted(FanView& v, int x0, int x1, int y, int locked) {
    std::vector<uint8_t> expected = v.Skin();
    for (int x = x0; x <= x1; ++x) {
        const uint32_t e = v.box->PickAt({x, y});
        if (e != NoPick && v.Skin()[e] != locked) expected[e] = 200;
    }
    return expected;
}

TEST(IsoPaint, AMoveWalksTheScreenSegmentPixelByPixelPastProtectedTexelsReportingEachEvent) {
    FanView v;
    IsoBox& box = *v.box;
    const std::vector<uint8_t> before = v.Skin();
    const int locked = v.Skin()[box.PickAt({100, 30})];
    v.app->ColourLocks[locked] = 1;
    const std::vector<uint8_t> expected = RowPainted(v, 85, 115, 30, locked);
    ASSERT_GE(std::count(expected.begin(), expected.end(), 200), 3);

    box.OnLButtonDown({85, 30}, L);
    EXPECT_EQ(box.DragState, IsoBox::Drag::Paint);
    EXPECT_EQ(v.host.sent, std::vector<int>{0});
    box.OnMouseMove({115, 30}, L);  // one jump of 30 pixels: no texel between is skipped
    EXPECT_EQ(v.Skin(), expected);
    box.OnMouseMove({115, 30}, L);  // over texels that have the paint colour: reported all the same
    EXPECT_EQ(v.host.sent, (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(v.host.redraws, 0);  // the main window redraws, on the refresh
    box.OnLButtonUp({115, 30}, 0);
    EXPECT_EQ(v.host.sent, (std::vector<int>{0, 0, 0, 5}));
    box.OnMouseMove(Left, L);
    EXPECT_EQ(v.Skin(), expected);
    EXPECT_FALSE(v.host.capture);
    // The stroke is one step.
    v.app->Edits.Undo(*v.app);
    EXPECT_EQ(v.Skin(), before);
}

TEST(IsoPaint, ABrushPaintsTheTexelsUnderItsPixelsAndNothingPastTheWindowsRightEdge) {
    FanView v;
    IsoBox& box = *v.box;
    // A 198-pixel window has 200-pixel rows; the square moved right so that it reaches them.
    box.OnSize(198, 100);
    box.ViewCamera.Eye[1] -= 45.0f;
    box.ViewCamera.Target[1] -= 45.0f;
    box.Render(IsoBox::Kind::Full);
    ASSERT_NE(box.PickAt({199, 50}), NoPick);
    v.app->BrushSize = 5;
    const std::vector<uint8_t> before = v.Skin();
    std::vector<uint8_t> expected = before;
    for (int y = 48; y <= 52; ++y) {
        for (int x = 195; x <= 197; ++x) expected[box.PickAt({x, y})] = 200;
    }
    box.OnLButtonDown({197, 50}, L);
    EXPECT_EQ(v.Skin(), expected);
    box.OnLButtonUp({197, 50}, 0);
    v.app->Edits.Undo(*v.app);
    v.host.sent.clear();
    v.app->BrushSize = 1;
    box.OnLButtonDown({198, 50}, L);
    box.OnMouseMove({199, 50}, L);
    EXPECT_EQ(v.Skin(), before);
    EXPECT_TRUE(v.host.sent.empty());
}

TEST(IsoView, TheWheelDolliesAndHomeFramesTheModelCentredInTheView) {
    FanView v;
    const float start = v.Distance();
    v.box->OnMouseWheel(Top, 120, 0);
    EXPECT_LT(v.Distance(), start * 0.95f);  // a notch away from the user moves nearer
    v.box->ViewCamera.Dolly(3000);           // the square is a speck
    v.box->FitView();
    // Its bounding sphere (radius 20 sqrt 2) fills the 100 rows: the square about 70, centred.
    std::vector<int> rows;
    for (int y = 0; y < 100; ++y) {
        if (v.box->PickAt({100, y}) != NoPick) rows.push_back(y);
    }
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows.front(), 16);
    EXPECT_EQ(rows.back(), 83);
}

TEST(IsoPaint, WithoutASkinNothingIsPaintedOrPickedButTheCameraStillTurns) {
    FanView v;
    IsoBox& box = *v.box;
    SkinImage* skin = v.app->CurrentSkin;
    const std::vector<uint8_t> texels = skin->Pixels;
    v.app->CurrentSkin = nullptr;  // the picks still hold its texel offsets
    for (bool left : {true, false}) {
        v.Press(left, Top, 0);
        box.OnMouseMove(Right, left ? L : R);
        v.Release(left, Right, 0);
    }
    EXPECT_EQ(skin->Pixels, texels);
    EXPECT_EQ(v.app->PaintColour, 200);
    EXPECT_TRUE(v.host.sent.empty());
    box.OnLButtonDown(Top, L | Ctrl);
    box.OnMouseMove({Top.x + 10, Top.y}, L | Ctrl);
    EXPECT_NEAR(box.ViewCamera.Yaw, 358.0f, 1e-4);
}

TEST(IsoPick, ARightDragTakesTheColourUnderThePointerAndTellsThePaletteEachTime) {
    FanView v(ModePaint);
    IsoBox& box = *v.box;
    const std::vector<uint8_t> skin = v.Skin();
    box.OnRButtonDown(Outside, R);  // the background: nothing is picked
    EXPECT_EQ(v.app->PaintColour, 200);
    box.OnMouseMove(Right, R);
    EXPECT_EQ(v.app->PaintColour, skin[box.PickAt(Right)]);
    box.OnMouseMove(Top, R);
    box.OnMouseMove(Top, R);  // the same colour again is told again
    EXPECT_EQ(v.app->PaintColour, skin[box.PickAt(Top)]);
    EXPECT_EQ(v.host.sent, (std::vector<int>{4, 4, 4}));
    box.OnRButtonUp(Top, 0);
    EXPECT_EQ(box.DragState, IsoBox::Drag::Idle);
    EXPECT_FALSE(v.host.capture);
    EXPECT_EQ(v.Skin(), skin);
}

TEST(IsoSelect, ADragSelectsOrDeselectsEachTriangleItPassesOnceAndKeepsTheGrabbedBit) {
    FanView v(ModeMapping);
    IsoBox& box = *v.box;
    ASSERT_EQ(box.PickAt(Top), 0u);
    ASSERT_EQ(box.PickAt(Right), 1u);
    ASSERT_EQ(box.PickAt(Bottom), 2u);
    ASSERT_EQ(box.PickAt(Left), 3u);
    uint32_t* flags[4] = {&v.app->Triangles[0].Flags, &v.app->Triangles[1].Flags,
                          &v.app->Triangles[2].Flags, &v.app->Triangles[3].Flags};
    *flags[2] = Selected;
    *flags[1] = Grabbed;

    box.OnLButtonDown(Top, L);
    EXPECT_EQ(box.DragState, IsoBox::Drag::Select);
    for (ClientPoint p : {Top2, Right, Bottom, Outside, Left, Top, Right}) box.OnMouseMove(p, L);
    EXPECT_EQ(v.host.sent, (std::vector<int>{3, 3, 3}));  // top, right, left
    EXPECT_EQ(*flags[0], Selected);
    EXPECT_EQ(*flags[1], Selected | Grabbed);
    EXPECT_EQ(*flags[2], Selected);
    EXPECT_EQ(*flags[3], Selected);
    box.OnLButtonUp(Right, 0);

    *flags[2] = 0;
    v.host.sent.clear();
    box.OnRButtonDown(Outside, R);
    EXPECT_EQ(box.DragState, IsoBox::Drag::Deselect);
    for (ClientPoint p : {Left, Bottom, Top, Top2, Left}) box.OnMouseMove(p, R);
    EXPECT_EQ(v.host.sent, (std::vector<int>{3, 3}));  // left, top
    EXPECT_EQ(*flags[0], 0u);
    EXPECT_EQ(*flags[1], Selected | Grabbed);
    EXPECT_EQ(*flags[2], 0u);
    EXPECT_EQ(*flags[3], 0u);
    box.OnRButtonUp(Left, 0);
    EXPECT_EQ(box.DragState, IsoBox::Drag::Idle);
}

TEST(IsoModeChange, ARunningStrokeNeverReadsAnEntryOfTheOtherMeaning) {
    // Paint and pick over triangle indices: index 0 is a valid texel offset too.
    for (bool left : {true, false}) {
        FanView v;
        v.Press(left, Outside, 0);
        v.app->Mode = ModeMapping;
        v.box->Render(IsoBox::Kind::Full);
        ASSERT_EQ(v.box->PickAt(Top), 0u);
        const std::vector<uint8_t> skin = v.Skin();
        v.box->OnMouseMove(Top, left ? L : R);
        EXPECT_EQ(v.Skin(), skin);
        EXPECT_EQ(v.app->PaintColour, 200);
        EXPECT_TRUE(v.host.sent.empty());
    }
    // Select over texel offsets, among which are 0 to 3: sweep the whole view.
    FanView v(ModeMapping);
    v.box->OnLButtonDown(Outside, L);
    v.app->Mode = ModeMix;
    v.box->Render(IsoBox::Kind::Full);
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 200; ++x) v.box->OnMouseMove({x, y}, L);
    }
    for (int t = 0; t < 4; ++t) EXPECT_EQ(v.app->Triangles[t].Flags, 0u);
    EXPECT_TRUE(v.host.sent.empty());
}

TEST(IsoMoves, NoMoveAllocates) {
    struct Drag {
        int32_t mode;
        bool left;
        unsigned keys, moveFlags;
    };
    for (Drag d : {Drag{ModeMix, true, Ctrl, L}, Drag{ModeMix, true, Ctrl, L | R},
                   Drag{ModeMix, false, Ctrl, R}, Drag{ModeMix, false, Ctrl, L | R},
                   Drag{ModeMix, true, Ctrl | Shift, L}, Drag{ModeMapping, true, Ctrl, L},
                   Drag{ModeMix, true, 0, L}, Drag{ModeMix, false, 0, R},
                   Drag{ModeMapping, true, 0, L}, Drag{ModeMapping, false, 0, R}}) {
        FanView v(d.mode);
        v.host.warps.reserve(64);
        v.host.sent.reserve(64);
        v.Press(d.left, Top, d.keys);
        if (d.mode == ModeMapping && d.keys == 0) {
            for (int t = 0; t < 4; ++t) v.app->Triangles[t].Flags = d.left ? 0u : Selected;
        }
        const long before = HeapAllocations();
        for (ClientPoint p : {Right, Top, Bottom, Left, Top2, Outside}) {
            v.box->OnMouseMove(p, d.moveFlags);
        }
        EXPECT_EQ(HeapAllocations(), before) << "mode " << d.mode << " keys " << d.keys;
        EXPECT_FALSE(v.host.warps.empty() && v.host.sent.empty());  // the moves did something
    }
}

}  // namespace
}  // namespace varp::test
