// The skin view's mouse: painting and picking, pan and zoom drags, the other-button rules and a
// lost capture.
#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <vector>

#include "support/HeapCounter.h"
#include "views/skin/SkinBox.h"
#include "views/skin/SkinTestSupport.h"

namespace varp {
namespace {

constexpr unsigned L = MK_LBUTTON;
constexpr unsigned R = MK_RBUTTON;
constexpr unsigned Ctrl = MK_CONTROL;

struct SkinInteractionTest : test::SkinPaneTest {
    uint8_t& Texel(int s, int t) {
        return app->CurrentSkin->Pixels[static_cast<size_t>(16 * t + s)];
    }
};

TEST_F(SkinInteractionTest, PaintingWritesTheTexelUnderThePointerAndReportsEveryStroke) {
    app->PaintColour = 250;
    ASSERT_EQ(box.PickAt(At(3, 4)), 16u * 4u + 3u);
    box.OnLButtonDown(At(3, 4), L);
    EXPECT_EQ(box.DragState, SkinBox::Drag::Paint);
    EXPECT_TRUE(host.capture);
    EXPECT_EQ(Texel(3, 4), 250);
    EXPECT_EQ(host.sent, std::vector<int>{0});
    // Over the same texel again: nothing changes, but the stroke is still reported. A jump
    // paints every texel on the way.
    box.OnMouseMove(At(3, 4), L);
    box.OnMouseMove(At(9, 4), L);
    for (int s = 3; s <= 9; ++s) EXPECT_EQ(Texel(s, 4), 250) << s;
    EXPECT_EQ(Texel(10, 4), test::TestTexel(10, 4));
    EXPECT_EQ(host.sent, (std::vector<int>{0, 0, 0}));

    // A right press during the stroke starts nothing; the left release then waits for it.
    box.OnRButtonDown(At(5, 5), L | R);
    EXPECT_EQ(app->PaintColour, 250);
    box.OnLButtonUp(At(9, 4), R);
    EXPECT_EQ(box.DragState, SkinBox::Drag::Done);
    box.OnMouseMove(At(10, 4), R);
    EXPECT_EQ(Texel(10, 4), test::TestTexel(10, 4));
    EXPECT_TRUE(host.capture);
    box.OnRButtonUp(At(9, 4), 0);
    EXPECT_EQ(box.DragState, SkinBox::Drag::Idle);
    EXPECT_FALSE(host.capture);
    EXPECT_EQ(host.releases, 1);
    EXPECT_EQ(host.sent, (std::vector<int>{0, 0, 0, 5}));  // the stroke became one step
}

TEST_F(SkinInteractionTest, ALockedColourIsNeverPaintedOverAndNothingIsSent) {
    app->PaintColour = 250;
    const uint8_t locked = Texel(5, 5);
    app->ColourLocks[locked] = 1;
    box.OnLButtonDown(At(5, 5), L);
    EXPECT_EQ(box.DragState, SkinBox::Drag::Paint);
    EXPECT_EQ(Texel(5, 5), locked);
    EXPECT_EQ(app->PaintColour, 250);
    EXPECT_TRUE(host.sent.empty());
    box.OnLButtonUp(At(5, 5), 0);
    EXPECT_EQ(box.DragState, SkinBox::Drag::Idle);
}

TEST_F(SkinInteractionTest, PaintAndPickActOnlyInsideTheWindow) {
    // A 198-pixel window has 200-pixel rows: columns 198 and 199 are drawn but not shown.
    host.width = 198;
    box.OnSize(198, 200);
    box.PanS = -10.0f;  // the skin now reaches past the right edge
    box.Render(SkinBox::Kind::Full);
    const ClientPoint hidden{199, 102};
    const uint32_t offset = box.PickAt(hidden);
    ASSERT_NE(offset, NoTexel);
    app->PaintColour = 250;
    box.OnLButtonDown({150, 102}, L);
    host.sent.clear();
    box.OnMouseMove(hidden, L);
    box.OnMouseMove({-3, 102}, L);
    EXPECT_NE(app->CurrentSkin->Pixels[offset], 250);
    EXPECT_EQ(host.sent, std::vector<int>{});
    box.OnLButtonUp({150, 102}, 0);

    host.sent.clear();
    box.OnRButtonDown(hidden, R);
    box.OnMouseMove(hidden, R);
    EXPECT_EQ(app->PaintColour, 250);
    EXPECT_EQ(host.sent, std::vector<int>{});
}

TEST_F(SkinInteractionTest, APickTakesTheTexelsColourAndTheBackgroundGivesNone) {
    box.OnRButtonDown(At(6, 7), R);
    EXPECT_EQ(box.DragState, SkinBox::Drag::PickColour);
    EXPECT_EQ(app->PaintColour, test::TestTexel(6, 7));
    box.OnMouseMove(At(9, 9), R);
    EXPECT_EQ(app->PaintColour, test::TestTexel(9, 9));
    EXPECT_EQ(host.sent, (std::vector<int>{4, 4}));
    box.OnRButtonUp(At(9, 9), 0);

    // In Paint mode, over the background: nothing picked, and the release ends it.
    app->Mode = ModePaint;
    app->PaintColour = 0;
    box.OnRButtonDown({2, 2}, R);
    EXPECT_EQ(box.DragState, SkinBox::Drag::PickColour);
    EXPECT_TRUE(host.capture);
    EXPECT_EQ(app->PaintColour, 0);
    EXPECT_EQ(host.sent.size(), 2u);
    box.OnRButtonUp({2, 2}, 0);
    EXPECT_EQ(box.DragState, SkinBox::Drag::Idle);
    EXPECT_FALSE(host.capture);
}

TEST_F(SkinInteractionTest, ARightDragZoomsByAFactorPerPixelRoundedOnlyOnce) {
    // One rounding to float per pixel would end two and five units of the last place off.
    const struct {
        int dy;
        float zoom;
    } cases[] = {{100, 0x1.5b794cp+1f}, {-100, 0x1.a85dccp+1f}};
    for (const auto& c : cases) {
        app->Mode = ModeCamera;
        box.Zoom = 3.0f;
        box.OnRButtonDown({50, 100}, R);
        EXPECT_EQ(box.DragState, SkinBox::Drag::View);
        EXPECT_EQ(host.displayCount, -1);
        box.OnMouseMove({50, 100 + c.dy}, R);
        EXPECT_EQ(box.Zoom, c.zoom) << c.dy;
        EXPECT_NEAR(box.Zoom, c.dy > 0 ? 2.7146 : 3.3154, 5e-5);
        EXPECT_EQ(box.PanS, 8.0f);
        // The cursor went back to the press point; that echo moves nothing.
        EXPECT_EQ(host.warps, (std::vector<ClientPoint>{{50, 100}}));
        const int redraws = host.redraws;
        box.OnMouseMove({50, 100}, R);
        EXPECT_EQ(host.redraws, redraws);
        EXPECT_EQ(box.Zoom, c.zoom);
        box.OnRButtonUp({50, 100}, 0);
        EXPECT_EQ(box.DragState, SkinBox::Drag::Idle);
        EXPECT_EQ(host.displayCount, 0);
        host.warps.clear();
    }
}

TEST_F(SkinInteractionTest, CtrlLeftInMixPansWithTheCursorHiddenUntilBothButtonsAreUp) {
    box.OnLButtonDown({100, 100}, L | Ctrl);
    EXPECT_EQ(box.DragState, SkinBox::Drag::View);
    EXPECT_EQ(box.CtrlHeld, 1);
    EXPECT_TRUE(host.capture);
    EXPECT_EQ(host.displayCount, -1);
    const uint32_t before = box.PickAt({102, 102});

    box.OnMouseMove({112, 92}, L);  // 3 texels left and 2 down follow the pointer
    EXPECT_EQ(box.PanS, 5.0f);
    EXPECT_EQ(box.PanT, 10.0f);
    EXPECT_EQ(box.PickAt({102, 102}), before);  // the pick buffer waits for the end

    // The right button joins: no new interaction, but the moves now zoom.
    box.OnRButtonDown({100, 100}, L | R);
    box.OnMouseMove({100, 101}, L | R);
    EXPECT_EQ(box.Zoom, 4.0f * 0x1.ff7d0ep-1f);
    EXPECT_EQ(box.PanS, 5.0f);
    EXPECT_EQ(host.warps, (std::vector<ClientPoint>(2, {100, 100})));
    box.OnLButtonUp({100, 100}, R);
    EXPECT_EQ(box.DragState, SkinBox::Drag::View);
    EXPECT_EQ(host.displayCount, -1);
    EXPECT_TRUE(host.capture);

    const int redraws = host.redraws;
    box.OnRButtonUp({100, 100}, 0);
    EXPECT_EQ(box.DragState, SkinBox::Drag::Idle);
    EXPECT_EQ(box.CtrlHeld, 0);
    EXPECT_EQ(host.displayCount, 0);
    EXPECT_EQ(host.releases, 1);
    EXPECT_EQ(host.redraws, redraws + 1);
    EXPECT_EQ(box.PickAt({102, 102}), 16u * 10u + 5u);  // rebuilt at the new view
    EXPECT_TRUE(host.sent.empty());
}

TEST_F(SkinInteractionTest, ALostCaptureEndsAViewDragAndShowsTheCursor) {
    app->Mode = ModeCamera;
    box.OnLButtonDown({100, 100}, L | Ctrl);
    box.OnMouseMove({80, 100}, L);
    host.capture = false;  // another window took the mouse
    box.OnCaptureChanged();
    EXPECT_EQ(box.DragState, SkinBox::Drag::Idle);
    EXPECT_EQ(box.CtrlHeld, 0);
    EXPECT_EQ(host.displayCount, 0);
    EXPECT_EQ(host.releases, 0);
    EXPECT_EQ(box.PickAt({102, 102}), 16u * 8u + 13u);
    box.OnMouseMove({60, 100}, L);
    EXPECT_EQ(box.PanS, 13.0f);
}

TEST_F(SkinInteractionTest, APanOrZoomStepStaysInRange) {
    box.ZoomBy(-1000000000);
    EXPECT_EQ(box.Zoom, SkinBox::MaxZoom);
    box.ZoomBy(INT_MIN);
    EXPECT_EQ(box.Zoom, SkinBox::MaxZoom);
    box.ZoomBy(INT_MAX);
    EXPECT_EQ(box.Zoom, SkinBox::MinZoom);
    box.PanBy(INT_MIN, INT_MAX);
    EXPECT_EQ(box.PanS, SkinBox::MaxPan);
    EXPECT_EQ(box.PanT, -SkinBox::MaxPan);
}

TEST_F(SkinInteractionTest, TheWheelZoomsInWholeStepsAndKeepsTheTexelUnderThePointer) {
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

TEST_F(SkinInteractionTest, MovesDoNotAllocate) {
    host.sent.reserve(16);
    host.warps.reserve(16);
    app->BrushSize = 16;
    app->BrushRound = 1;
    box.OnLButtonDown(At(3, 3), L);
    long before = test::HeapAllocations();
    box.OnMouseMove(At(4, 3), L);
    box.OnMouseMove(At(15, 9), L);
    EXPECT_EQ(test::HeapAllocations(), before);
    box.OnLButtonUp(At(4, 3), 0);  // the step is made here
    box.OnLButtonDown({100, 100}, L | Ctrl);
    before = test::HeapAllocations();
    box.OnMouseMove({90, 100}, L);
    box.OnMouseMove({90, 90}, L | R);
    box.OnLButtonUp({100, 100}, 0);
    EXPECT_EQ(test::HeapAllocations(), before);
}

}  // namespace
}  // namespace varp
