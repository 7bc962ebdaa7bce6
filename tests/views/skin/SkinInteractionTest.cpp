// The skin view's mouse: painting and picking, pan and zoom drags, the other-button rules, a
// lost capture, and dragging mapping points.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "support/HeapCounter.h"
#include "support/Md2Files.h"
#include "views/skin/SkinBox.h"
#include "views/skin/SkinTestSupport.h"

namespace varp::test {
namespace {

constexpr unsigned L = MK_LBUTTON;
constexpr unsigned R = MK_RBUTTON;
constexpr unsigned Ctrl = MK_CONTROL;
const auto Idle = std::tuple(SkinBox::Drag::Idle, false, 0);

using SkinInteraction = SkinPaneTest;

TEST_F(SkinInteraction, PaintingWritesEveryTexelOnTheWayAndReportsEveryStroke) {
    app->PaintColour = 250;
    box.OnLButtonDown(At(3, 4), L);
    EXPECT_EQ(State(), std::tuple(SkinBox::Drag::Paint, true, 0));
    box.OnMouseMove(At(3, 4), L);  // the same texel again: reported all the same
    box.OnMouseMove(At(9, 4), L);  // a jump paints every texel on the way
    for (int s = 3; s <= 9; ++s) EXPECT_EQ(Texel(s, 4), 250) << s;
    EXPECT_EQ(Texel(10, 4), TestTexel(10, 4));
    EXPECT_EQ(host.sent, (std::vector<int>{0, 0, 0}));
    // A right press during the stroke starts nothing; the left release then waits for it.
    box.OnRButtonDown(At(5, 5), L | R);
    box.OnLButtonUp(At(9, 4), R);
    EXPECT_EQ(State(), std::tuple(SkinBox::Drag::Done, true, 0));
    box.OnMouseMove(At(10, 4), R);
    box.OnRButtonUp(At(9, 4), 0);
    EXPECT_EQ(State(), Idle);
    EXPECT_EQ(std::tuple(Texel(10, 4), app->PaintColour, host.releases),
              std::tuple(TestTexel(10, 4), 250, 1));
    EXPECT_EQ(host.sent, (std::vector<int>{0, 0, 0, 5}));  // the release: an undo step
}

TEST_F(SkinInteraction, APickTakesTheTexelsColourTheBackgroundGivesNoneAndOnlyItsButtonEndsIt) {
    box.OnRButtonDown(At(6, 7), R);
    EXPECT_EQ(app->PaintColour, TestTexel(6, 7));
    box.OnMouseMove(At(9, 9), R);
    box.OnMouseMove({2, 2}, R);
    EXPECT_EQ(app->PaintColour, TestTexel(9, 9));
    EXPECT_EQ(host.sent, (std::vector<int>{4, 4}));
    box.OnLButtonDown(At(1, 1), L | R);
    box.OnLButtonUp(At(1, 1), R);
    EXPECT_EQ(State(), std::tuple(SkinBox::Drag::PickColour, true, 0));
    box.OnRButtonUp(At(9, 9), 0);
    EXPECT_EQ(State(), Idle);
    EXPECT_EQ(Texel(1, 1), TestTexel(1, 1));
}

TEST_F(SkinInteraction, PaintAndPickActOnlyInsideTheWindow) {
    // A 198-pixel window has 200-pixel rows: columns 198 and 199 are drawn but not shown.
    host.width = 198;
    box.OnSize(198, 200);
    box.PanS = -10.0f;  // the skin now reaches past the right edge
    box.Render(SkinBox::Kind::Full);
    app->PaintColour = 250;
    box.OnLButtonDown({150, 102}, L);
    host.sent.clear();
    for (int x : {198, 199, -3}) {
        ASSERT_TRUE(x < 0 || box.PickAt({x, 102}) != NoTexel);
        box.OnMouseMove({x, 102}, L);
    }
    box.OnLButtonUp({150, 102}, 0);
    box.OnRButtonDown({199, 102}, R);
    box.OnMouseMove({198, 102}, R);
    EXPECT_EQ(std::ranges::count(app->CurrentSkin->Pixels, uint8_t{250}), 1);
    EXPECT_EQ(app->PaintColour, 250);
    EXPECT_EQ(host.sent, std::vector<int>{5});  // only the press's texel, made a step
}

TEST_F(SkinInteraction, ARightDragZoomsByAFactorPerPixelRoundedOnlyOnce) {
    // 3 x 0.999^100 and 3 x 1.001^100; one rounding to float per pixel would end two and five
    // units of the last place off.
    const struct {
        int dy;
        float zoom;
    } cases[] = {{100, 0x1.5b794cp+1f}, {-100, 0x1.a85dccp+1f}};
    app->Mode = ModeCamera;
    for (const auto& c : cases) {
        box.Zoom = 3.0f;
        box.OnRButtonDown({50, 100}, R);
        EXPECT_EQ(State(), std::tuple(SkinBox::Drag::View, true, -1));
        box.OnMouseMove({50, 100 + c.dy}, R);
        const int redraws = host.redraws;
        box.OnMouseMove({50, 100}, R);  // the echo of the cursor put back moves nothing
        EXPECT_EQ(std::tuple(box.Zoom, box.PanS, host.redraws), std::tuple(c.zoom, 8.0f, redraws));
        EXPECT_NEAR(box.Zoom, c.dy > 0 ? 2.7146 : 3.3154, 5e-5);
        EXPECT_EQ(host.warps, (std::vector<ClientPoint>{{50, 100}}));
        box.OnRButtonUp({50, 100}, 0);
        EXPECT_EQ(State(), Idle);
        host.warps.clear();
    }
}

TEST_F(SkinInteraction, CtrlLeftInMixPansUntilBothButtonsAreUpAndTheEndRebuildsThePicks) {
    box.OnLButtonDown({100, 100}, L | Ctrl);
    EXPECT_EQ(State(), std::tuple(SkinBox::Drag::View, true, -1));
    const uint32_t before = box.PickAt({102, 102});
    box.OnMouseMove({112, 92}, L);  // 3 texels left and 2 down follow the pointer
    EXPECT_EQ(std::tuple(box.PanS, box.PanT), std::tuple(5.0f, 10.0f));
    EXPECT_EQ(box.PickAt({102, 102}), before);  // the pick buffer waits for the end
    box.RecolourTexels({0, 0, 0, 0});           // unless an undo in the drag would read it
    EXPECT_EQ(box.PickAt({102, 102}), 16u * 10u + 5u);
    // The right button joins: no new interaction, but the moves now zoom.
    box.OnRButtonDown({100, 100}, L | R);
    box.OnMouseMove({100, 101}, L | R);
    EXPECT_EQ(std::tuple(box.Zoom, box.PanS), std::tuple(4.0f * 0x1.ff7d0ep-1f, 5.0f));
    box.OnLButtonUp({100, 100}, R);
    EXPECT_EQ(State(), std::tuple(SkinBox::Drag::View, true, -1));
    const int redraws = host.redraws;
    box.OnRButtonUp({100, 100}, 0);
    EXPECT_EQ(State(), Idle);
    EXPECT_EQ(std::tuple(box.CtrlHeld, host.releases, host.redraws), std::tuple(0, 1, redraws + 1));
    EXPECT_EQ(box.PickAt({102, 102}), 16u * 10u + 5u);  // rebuilt at the new view
    EXPECT_TRUE(host.sent.empty());

    // A lost capture ends a view drag the same way.
    app->Mode = ModeCamera;
    box.Zoom = 4.0f;
    box.OnLButtonDown({100, 100}, L);
    box.OnMouseMove({80, 100}, L);
    host.capture = false;  // another window took the mouse
    box.OnCaptureChanged();
    EXPECT_EQ(State(), Idle);
    EXPECT_EQ(box.PickAt({102, 102}), 16u * 10u + 10u);
    box.OnMouseMove({60, 100}, L);
    EXPECT_EQ(std::tuple(box.PanS, host.releases), std::tuple(10.0f, 1));
}

TEST_F(SkinInteraction, TheWheelZoomsInWholeStepsAndKeepsTheTexelUnderThePointer) {
    const struct {
        float zoom;
        int delta;
        float after;
    } cases[] = {{4.0f, 120, 5.0f},
                 {4.0f, -240, 2.0f},
                 {1.0f, -120, 0.5f},
                 {0.5f, 120, 1.0f},
                 {3.5f, 120, 4.0f},
                 {3.5f, -120, 3.0f},
                 {SkinBox::MaxZoom, 120, SkinBox::MaxZoom}};
    for (const auto& c : cases) {
        for (ClientPoint p : {At(3, 4), At(13, 9), ClientPoint{1, 198}}) {
            box.PanS = box.PanT = 8.0f;
            box.Zoom = c.zoom;
            box.Render(SkinBox::Kind::Full);
            const uint32_t under = box.PickAt(p);
            box.OnMouseWheel(p, c.delta, 0);
            EXPECT_EQ(box.Zoom, c.after) << c.zoom << " " << c.delta;
            EXPECT_TRUE(c.zoom < 1.0f || c.after < 1.0f || box.PickAt(p) == under) << c.zoom;
        }
    }
}

TEST_F(SkinInteraction, APanOrZoomStepStaysInRangeAndNoMoveAllocates) {
    host.sent.reserve(16);
    host.warps.reserve(16);
    app->BrushSize = 16;  // a round brush's jump paints many texels, still in place
    app->BrushRound = 1;
    box.OnLButtonDown(At(3, 3), L);
    long before = HeapAllocations();
    box.OnMouseMove(At(4, 3), L);
    box.OnMouseMove(At(15, 9), L);
    EXPECT_EQ(HeapAllocations(), before);
    box.OnLButtonUp(At(4, 3), 0);  // the stroke becomes an undo step, which allocates
    before = HeapAllocations();
    box.OnLButtonDown({100, 100}, L | Ctrl);
    box.OnMouseMove({90, 100}, L);
    box.OnMouseMove({90, 90}, L | R);
    box.OnLButtonUp({100, 100}, 0);
    EXPECT_EQ(HeapAllocations(), before);
    box.ZoomBy(-1000000000);
    EXPECT_EQ(box.Zoom, SkinBox::MaxZoom);
    box.ZoomBy(INT_MIN);
    EXPECT_EQ(box.Zoom, SkinBox::MaxZoom);
    box.ZoomBy(INT_MAX);
    EXPECT_EQ(box.Zoom, SkinBox::MinZoom);
    box.PanBy(INT_MIN, INT_MAX);
    EXPECT_EQ(std::tuple(box.PanS, box.PanT), std::tuple(SkinBox::MaxPan, -SkinBox::MaxPan));
}

using Points = std::vector<SkinCoord>;

// Two triangles sharing the points (10, 2) and (6, 8): A = (2, 2) (10, 2) (6, 8) and
// B = (10, 2) (14, 8) (6, 8), in Mapping mode.
struct MappingDrag : SkinPaneTest {
    ModelTriangle& a = app->Triangles[0];
    ModelTriangle& b = app->Triangles[1];

    MappingDrag() {
        app->Mode = ModeMapping;
        const Points points = {{2, 2}, {10, 2}, {6, 8}, {14, 8}};
        std::copy(points.begin(), points.end(), app->TexCoords);
        app->NumTexCoords = 4;
        a = Tri(0, 1, 2, 0, 1, 2);
        b = Tri(1, 3, 2, 1, 3, 2);
        app->NumTriangles = 2;
        app->RebuildTexCoords();
    }
    Points Table() const { return {app->TexCoords, app->TexCoords + app->NumTexCoords}; }
    static Points Corners(const ModelTriangle& t) {
        return {t.CornerST[0], t.CornerST[1], t.CornerST[2]};
    }
};

TEST_F(MappingDrag, APressOffEveryPointOrWithCtrlOrTheRightButtonGrabsNothing) {
    for (ClientPoint p : {At(11, 2), At(10, 3), At(9, 1), At(-2, 2), At(2, 16)}) {
        box.OnLButtonDown(p, L);
        box.OnMouseMove(At(12, 5), L);
        box.OnLButtonUp(At(12, 5), 0);
    }
    box.OnRButtonDown(At(10, 2), R);
    box.OnMouseMove(At(12, 5), R);
    EXPECT_EQ(host.Requests(), 0);
    box.OnLButtonDown(At(10, 2), L | Ctrl);  // Ctrl pans instead
    box.OnMouseMove({At(10, 2).x - 8, At(10, 2).y}, L);
    EXPECT_EQ(std::tuple(box.DragState, box.PanS), std::tuple(SkinBox::Drag::View, 10.0f));
    box.OnLButtonUp(At(10, 2), 0);
    EXPECT_EQ(Table(), (Points{{2, 2}, {10, 2}, {6, 8}, {14, 8}}));
    EXPECT_EQ(Corners(a), (Points{{2, 2}, {10, 2}, {6, 8}}));
    EXPECT_EQ(a.Flags | b.Flags, 0u);
    EXPECT_TRUE(host.sent.empty());
}

TEST_F(MappingDrag, ASelectedTriangleTakesASharedPointAlongAndSplitsItOff) {
    a.Flags = Selected;
    box.OnLButtonDown(At(10, 2), L);
    EXPECT_EQ(State(), std::tuple(SkinBox::Drag::MovePoint, true, 0));
    EXPECT_EQ(std::tuple(a.Flags, b.Flags), std::tuple(Selected | Grabbed, 0u));
    EXPECT_EQ(std::tuple(a.TexCoord[1], b.TexCoord[0]), std::tuple(4, 1));  // 4: the DragSlot
    box.OnMouseMove(At(12, 5), L);
    EXPECT_EQ(app->TexCoords[4], (SkinCoord{12, 5}));
    EXPECT_EQ(Corners(a), (Points{{2, 2}, {12, 5}, {6, 8}}));
    EXPECT_EQ(Corners(b), (Points{{10, 2}, {14, 8}, {6, 8}}));
    box.OnMouseMove({At(12, 5).x + 1, At(12, 5).y - 1}, L);  // the same texel: nothing new
    box.OnRButtonUp(At(12, 5), L);                           // not the drag's button
    EXPECT_EQ(host.sent, (std::vector<int>{1, 1}));
    box.OnLButtonUp(At(12, 5), 0);
    EXPECT_EQ(State(), Idle);
    EXPECT_EQ(host.sent, (std::vector<int>{1, 1, 1}));
    EXPECT_EQ(Table(), (Points{{2, 2}, {12, 5}, {6, 8}, {10, 2}, {14, 8}}));
    EXPECT_EQ(Corners(a), (Points{{2, 2}, {12, 5}, {6, 8}}));
    EXPECT_EQ(std::tuple(a.Flags, b.TexCoord[0]), std::tuple(Selected, 3));
}

TEST_F(MappingDrag, WithoutASelectionThatUsesItThePointMovesForEveryTriangle) {
    b.Flags = Selected;  // B does not use (2, 2), so A takes it although unselected
    box.OnLButtonDown(At(2, 2), L);
    EXPECT_EQ(std::tuple(a.Flags, b.Flags), std::tuple(Grabbed, Selected));
    box.OnMouseMove(At(4, 3), L);
    box.OnLButtonUp(At(4, 3), 0);
    EXPECT_EQ(Table(), (Points{{4, 3}, {10, 2}, {6, 8}, {14, 8}}));
}

TEST_F(MappingDrag, ADraggedPointStopsAtEachEdgeOfTheSkin) {
    box.OnLButtonDown(At(10, 2), L);  // shared, nothing selected: both triangles take it along
    const struct {
        ClientPoint p;
        SkinCoord want;
    } cases[] = {
        {{199, At(10, 2).y}, {15, 2}},    // past the right edge, still in the pane
        {{At(10, 2).x, 5000}, {10, 11}},  // past the bottom, outside the pane
        {{-5000, At(10, 2).y}, {0, 2}},   // past the left
        {{At(10, 2).x, -5000}, {10, 0}},  // past the top
        {{5000, 5000}, {15, 11}},
    };
    for (const auto& c : cases) {
        box.OnMouseMove(c.p, L);
        EXPECT_EQ(std::tuple(app->TexCoords[4], a.CornerST[1], b.CornerST[0]),
                  std::tuple(c.want, c.want, c.want));
    }
    EXPECT_EQ(host.sent.size(), 6u);
}

TEST_F(MappingDrag, ALostCaptureEndsTheDragAsAReleaseDoes) {
    a.Flags = Selected;
    box.OnLButtonDown(At(6, 8), L);
    box.OnMouseMove(At(7, 9), L);
    host.capture = false;
    box.OnCaptureChanged();
    EXPECT_EQ(State(), Idle);
    EXPECT_EQ(std::tuple(host.releases, a.Flags), std::tuple(0, Selected));
    EXPECT_EQ(Table(), (Points{{2, 2}, {10, 2}, {7, 9}, {14, 8}, {6, 8}}));
    box.OnMouseMove(At(3, 3), L);
    EXPECT_EQ(host.sent, (std::vector<int>{1, 1, 1}));
}

}  // namespace
}  // namespace varp::test
