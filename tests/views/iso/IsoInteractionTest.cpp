// The 3D view's mouse interaction on a hand-made model: the mode table, strokes, camera drags,
// releases in either order, the lost capture, and picks of the wrong meaning.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "support/Md2Files.h"
#include "views/iso/AllocationCounter.h"
#include "views/iso/IsoFixture.h"

namespace varp::test {
namespace {

constexpr uint32_t NoPick = IsoBox::NoPick;
constexpr unsigned L = MK_LBUTTON;
constexpr unsigned R = MK_RBUTTON;
constexpr unsigned Shift = MK_SHIFT;
constexpr unsigned Ctrl = MK_CONTROL;

// A square of side 40 facing the initial eye, cut into four triangles meeting at its centre:
// 0 top, 1 right, 2 bottom, 3 left. In the 200 x 100 view it spans columns 66 to 133 and
// rows 16 to 83. Points well inside each triangle, and one on the background:
constexpr ClientPoint Top{100, 30};
constexpr ClientPoint Top2{95, 25};
constexpr ClientPoint Right{120, 52};
constexpr ClientPoint Bottom{100, 70};
constexpr ClientPoint Left{80, 48};
constexpr ClientPoint Outside{10, 10};

// The 8 x 8 skin: texel i holds 16 + i.
std::vector<uint8_t> CountingSkin() {
    std::vector<uint8_t> texels(64);
    for (size_t i = 0; i < texels.size(); ++i) texels[i] = static_cast<uint8_t>(16 + i);
    return texels;
}

struct FanView : IsoFixture {
    explicit FanView(int32_t mode = ModeMix) {
        SetModel({{0, -20, 20}, {0, 20, 20}, {0, 20, -20}, {0, -20, -20}, {0, 0, 0}},
                 {Tri(0, 1, 4, 0, 1, 4), Tri(1, 2, 4, 1, 2, 4), Tri(2, 3, 4, 2, 3, 4),
                  Tri(3, 0, 4, 3, 0, 4)},
                 {{0, 0}, {7, 0}, {7, 7}, {0, 7}, {4, 4}}, 8, 8, CountingSkin());
        app->Mode = mode;
        app->PaintColour = 200;
        app->BackgroundColour = 250;
        box->OnSize(200, 100);
    }
    std::vector<uint8_t>& Skin() { return app->CurrentSkin->Pixels; }
    float Distance() const {
        const Camera& c = box->ViewCamera;
        return std::hypot(c.Eye[0] - c.Target[0], c.Eye[1] - c.Target[1], c.Eye[2] - c.Target[2]);
    }
};

// ---- The mode table ----------------------------------------------------------------------

struct PressCase {
    int32_t mode;
    bool left;
    unsigned keys;
    int32_t state;
};

class IsoModeTable : public ::testing::TestWithParam<PressCase> {};

TEST_P(IsoModeTable, APressStartsTheDragOfItsModeAndKeysAndTheReleaseEndsIt) {
    const PressCase c = GetParam();
    FanView v(c.mode);
    IsoBox& box = *v.box;
    box.ViewCamera.Yaw = 77.0f;
    box.ViewCamera.Tilt = 55.0f;
    const unsigned button = c.left ? L : R;
    if (c.left) {
        box.OnLButtonDown(Outside, button | c.keys);
    } else {
        box.OnRButtonDown(Outside, button | c.keys);
    }
    EXPECT_EQ(box.DragState, c.state);
    EXPECT_EQ(box.CtrlHeld, (c.keys & Ctrl) != 0 ? 1 : 0);
    EXPECT_EQ(box.ShiftHeld, (c.keys & Shift) != 0 ? 1 : 0);
    EXPECT_EQ(box.PressPoint, Outside);
    EXPECT_TRUE(v.host.capture);
    const bool camera = c.state >= IsoBox::OrbitDrag && c.state <= IsoBox::ZoomDrag;
    EXPECT_EQ(v.host.displayCount, camera ? -1 : 0);
    if (c.state != IsoBox::LookDrag) {  // BeginLook from the initial camera turns Tilt to 180
        EXPECT_EQ(box.ViewCamera.Yaw, 0.0f);
        EXPECT_EQ(box.ViewCamera.Tilt, 0.0f);
    }
    EXPECT_TRUE(v.host.sent.empty());  // nothing under the background point

    if (c.left) {
        box.OnLButtonUp(Outside, c.keys);
    } else {
        box.OnRButtonUp(Outside, c.keys);
    }
    EXPECT_EQ(box.DragState, IsoBox::Idle);
    EXPECT_EQ(box.CtrlHeld, 0);
    EXPECT_EQ(box.ShiftHeld, 0);
    EXPECT_FALSE(v.host.capture);
    EXPECT_EQ(v.host.releases, 1);
    EXPECT_EQ(v.host.displayCount, 0);
}

constexpr int32_t Paint = IsoBox::PaintDrag, Pick = IsoBox::PickDrag, Orbit = IsoBox::OrbitDrag,
                  Zoom = IsoBox::ZoomDrag, Look = IsoBox::LookDrag, Sel = IsoBox::SelectDrag,
                  Desel = IsoBox::DeselectDrag;

INSTANTIATE_TEST_SUITE_P(
    EveryModeButtonAndKeys, IsoModeTable,
    ::testing::Values(
        PressCase{ModeMix, true, 0, Paint}, PressCase{ModeMix, true, Shift, Paint},
        PressCase{ModeMix, true, Ctrl, Orbit}, PressCase{ModeMix, true, Ctrl | Shift, Zoom},
        PressCase{ModeMix, false, 0, Pick}, PressCase{ModeMix, false, Shift, Pick},
        PressCase{ModeMix, false, Ctrl, Look}, PressCase{ModeMix, false, Ctrl | Shift, Look},
        PressCase{ModePaint, true, 0, Paint}, PressCase{ModePaint, true, Shift, Paint},
        PressCase{ModePaint, true, Ctrl, Paint}, PressCase{ModePaint, true, Ctrl | Shift, Paint},
        PressCase{ModePaint, false, 0, Pick}, PressCase{ModePaint, false, Shift, Pick},
        PressCase{ModePaint, false, Ctrl, Pick}, PressCase{ModePaint, false, Ctrl | Shift, Pick},
        PressCase{ModeCamera, true, 0, Orbit}, PressCase{ModeCamera, true, Shift, Zoom},
        PressCase{ModeCamera, true, Ctrl, Orbit}, PressCase{ModeCamera, true, Ctrl | Shift, Zoom},
        PressCase{ModeCamera, false, 0, Look}, PressCase{ModeCamera, false, Shift, Look},
        PressCase{ModeCamera, false, Ctrl, Look}, PressCase{ModeCamera, false, Ctrl | Shift, Look},
        PressCase{ModeMapping, true, 0, Sel}, PressCase{ModeMapping, true, Shift, Sel},
        PressCase{ModeMapping, true, Ctrl, Orbit}, PressCase{ModeMapping, true, Ctrl | Shift, Zoom},
        PressCase{ModeMapping, false, 0, Desel}, PressCase{ModeMapping, false, Shift, Desel},
        PressCase{ModeMapping, false, Ctrl, Look},
        PressCase{ModeMapping, false, Ctrl | Shift, Look}));

// ---- Painting and picking ----------------------------------------------------------------

TEST(IsoPaint, AClickPaintsTheTexelUnderThePointerAndReportsEveryPaintedTexel) {
    FanView v;
    IsoBox& box = *v.box;
    const uint32_t texel = box.PickAt(Top);
    ASSERT_NE(texel, NoPick);
    std::vector<uint8_t> expected = v.Skin();
    expected[texel] = 200;

    box.OnLButtonDown(Top, L);
    EXPECT_EQ(box.DragState, IsoBox::PaintDrag);
    EXPECT_EQ(v.Skin(), expected);
    EXPECT_EQ(v.host.sent, std::vector<int>{0});
    EXPECT_TRUE(v.host.capture);
    box.OnLButtonUp(Top, 0);
    EXPECT_EQ(box.DragState, IsoBox::Idle);
    EXPECT_FALSE(v.host.capture);

    // The texel has the paint colour already: it is painted and reported all the same.
    box.OnLButtonDown(Top, L);
    EXPECT_EQ(v.Skin(), expected);
    EXPECT_EQ(v.host.sent, (std::vector<int>{0, 0}));
    EXPECT_EQ(v.host.redraws, 0);  // the main window redraws, on the refresh
}

TEST(IsoPaint, ADragPaintsOneTexelPerMoveInsideTheViewOnly) {
    FanView v;
    IsoBox& box = *v.box;
    std::vector<uint8_t> expected = v.Skin();
    for (ClientPoint p : {Top, Right, Bottom}) expected[box.PickAt(p)] = 200;

    box.OnLButtonDown(Top, L);
    box.OnMouseMove(Right, L);
    box.OnMouseMove({-3, 50}, L);    // left of the view
    box.OnMouseMove({100, 100}, L);  // just below it
    box.OnMouseMove(Outside, L);     // the background
    box.OnMouseMove(Bottom, L);
    EXPECT_EQ(v.Skin(), expected);
    EXPECT_EQ(v.host.sent, (std::vector<int>{0, 0, 0}));
    EXPECT_TRUE(v.host.warps.empty());
    box.OnLButtonUp(Bottom, 0);
    box.OnMouseMove(Left, 0);  // after the release
    EXPECT_EQ(v.Skin(), expected);
}

TEST(IsoPaint, AClickOnTheBackgroundPaintsNothingButHoldsTheMouseUntilRelease) {
    FanView v;
    IsoBox& box = *v.box;
    const std::vector<uint8_t> skin = v.Skin();
    box.OnLButtonDown(Outside, L);
    EXPECT_EQ(box.DragState, IsoBox::PaintDrag);
    EXPECT_TRUE(v.host.capture);
    EXPECT_EQ(v.host.captures, 1);
    box.OnLButtonUp(Outside, 0);
    EXPECT_EQ(box.DragState, IsoBox::Idle);
    EXPECT_FALSE(v.host.capture);
    EXPECT_EQ(v.Skin(), skin);
    EXPECT_TRUE(v.host.sent.empty());
}

TEST(IsoPaint, ATexelOfALockedColourIsLeftAloneAndNothingIsSent) {
    FanView v;
    IsoBox& box = *v.box;
    const uint32_t locked = box.PickAt(Top);
    const uint32_t open = box.PickAt(Bottom);
    v.app->ColourLocks[v.Skin()[locked]] = 1;
    std::vector<uint8_t> expected = v.Skin();
    expected[open] = 200;

    box.OnLButtonDown(Top, L);
    EXPECT_TRUE(v.host.sent.empty());
    box.OnMouseMove(Bottom, L);
    box.OnMouseMove(Top, L);
    EXPECT_EQ(v.Skin(), expected);
    EXPECT_EQ(v.host.sent, std::vector<int>{0});
    // The texel now holds the paint colour, which is not locked: it can be painted over.
    v.app->PaintColour = 201;
    box.OnMouseMove(Bottom, L);
    EXPECT_EQ(v.Skin()[open], 201);
}

TEST(IsoPaint, WithoutASkinOrAModelNothingIsPaintedOrPickedButTheCameraStillTurns) {
    FanView v;
    IsoBox& box = *v.box;
    SkinImage* skin = v.app->CurrentSkin;
    const std::vector<uint8_t> texels = skin->Pixels;

    v.app->CurrentSkin = nullptr;
    box.OnLButtonDown(Top, L);
    box.OnMouseMove(Right, L);
    box.OnLButtonUp(Right, 0);
    box.OnRButtonDown(Top, R);
    box.OnRButtonUp(Top, 0);
    EXPECT_EQ(v.app->PaintColour, 200);
    EXPECT_TRUE(v.host.sent.empty());

    box.OnLButtonDown(Top, L | Ctrl);
    box.OnMouseMove({Top.x + 10, Top.y}, L | Ctrl);
    EXPECT_NEAR(box.ViewCamera.Yaw, 358.0f, 1e-4);
    box.OnLButtonUp(Top, 0);
    // Only the background is drawn, and nothing can be picked.
    for (uint8_t c : box.PixelBuffer) ASSERT_EQ(c, 250);
    EXPECT_EQ(box.PickAt(Top), NoPick);

    v.app->CurrentSkin = skin;
    v.app->CurrentFrame = nullptr;
    box.Render(IsoBox::Full);
    box.OnLButtonDown(Top, L);
    box.OnLButtonUp(Top, 0);
    EXPECT_EQ(skin->Pixels, texels);
    EXPECT_TRUE(v.host.sent.empty());
}

TEST(IsoPick, ARightClickTakesTheColourUnderThePointerAndEveryMoveOverATexelTellsThePalette) {
    FanView v(ModePaint);
    IsoBox& box = *v.box;
    const std::vector<uint8_t> skin = v.Skin();
    box.OnRButtonDown(Right, R);
    EXPECT_EQ(box.DragState, IsoBox::PickDrag);
    EXPECT_EQ(v.app->PaintColour, skin[box.PickAt(Right)]);
    EXPECT_EQ(v.host.sent, std::vector<int>{4});
    box.OnMouseMove(Outside, R);
    box.OnMouseMove(Top, R);
    EXPECT_EQ(v.app->PaintColour, skin[box.PickAt(Top)]);
    box.OnMouseMove(Top, R);  // the same colour again is told again
    EXPECT_EQ(v.host.sent, (std::vector<int>{4, 4, 4}));
    box.OnRButtonUp(Top, 0);
    EXPECT_EQ(box.DragState, IsoBox::Idle);
    EXPECT_EQ(v.Skin(), skin);
}

TEST(IsoPick, ARightClickOnTheBackgroundHoldsTheMouseAndEndsIdleOnRelease) {
    FanView v(ModePaint);
    IsoBox& box = *v.box;
    box.OnRButtonDown(Outside, R);
    EXPECT_EQ(box.DragState, IsoBox::PickDrag);
    EXPECT_TRUE(v.host.capture);
    EXPECT_EQ(v.app->PaintColour, 200);
    box.OnRButtonUp(Outside, 0);
    EXPECT_EQ(box.DragState, IsoBox::Idle);
    EXPECT_FALSE(v.host.capture);
    EXPECT_TRUE(v.host.sent.empty());
}

// ---- Camera drags ------------------------------------------------------------------------

TEST(IsoCamera, CtrlLeftOrbitsAFifthOfADegreePerPixelWithTheCursorHiddenOnThePressPoint) {
    FanView v;
    IsoBox& box = *v.box;
    const std::vector<uint32_t> picks = box.PickBuffer;
    const ClientPoint press{50, 40};
    box.OnLButtonDown(press, L | Ctrl);
    EXPECT_EQ(box.DragState, IsoBox::OrbitDrag);
    EXPECT_EQ(v.host.displayCount, -1);

    box.OnMouseMove({60, 40}, L | Ctrl);
    EXPECT_NEAR(box.ViewCamera.Yaw, 358.0f, 1e-4);
    EXPECT_NEAR(box.ViewCamera.Eye[0], 99.9391f, 1e-3);
    EXPECT_NEAR(box.ViewCamera.Eye[1], -3.4899f, 1e-3);
    EXPECT_NEAR(box.ViewCamera.Eye[2], 0.0f, 1e-3);
    EXPECT_EQ(v.host.warps, std::vector<ClientPoint>{press});
    EXPECT_EQ(v.host.redraws, 1);
    EXPECT_EQ(box.PickBuffer, picks);  // a quick render: picks of the last full one

    // The echo of the cursor being put back carries no motion.
    const Vec3 eye = box.ViewCamera.Eye;
    box.OnMouseMove(press, L | Ctrl);
    EXPECT_EQ(box.ViewCamera.Eye, eye);
    EXPECT_EQ(v.host.warps.size(), 1u);
    EXPECT_EQ(v.host.redraws, 1);

    // Each move is the offset from the press point: up by 5 raises Tilt by 1 degree.
    box.OnMouseMove({50, 35}, L);
    EXPECT_NEAR(box.ViewCamera.Yaw, 358.0f, 1e-4);
    EXPECT_NEAR(box.ViewCamera.Tilt, 1.0f, 1e-4);
    EXPECT_NEAR(box.ViewCamera.Eye[2], -1.7452f, 1e-3);
    EXPECT_NEAR(v.Distance(), 100.0f, 1e-3);
    EXPECT_EQ(v.host.warps, (std::vector<ClientPoint>{press, press}));

    box.OnLButtonUp({50, 35}, 0);
    EXPECT_EQ(box.DragState, IsoBox::Idle);
    EXPECT_EQ(v.host.displayCount, 0);
    EXPECT_FALSE(v.host.capture);
    EXPECT_EQ(v.host.redraws, 3);  // the full render that ends the drag is shown
    EXPECT_NE(box.PickBuffer, picks);
    EXPECT_TRUE(v.host.sent.empty());
}

TEST(IsoCamera, TheRightButtonJoiningAnOrbitDolliesAndTheDragLastsUntilBothAreUp) {
    FanView v;
    IsoBox& box = *v.box;
    const ClientPoint press{50, 40};
    box.OnLButtonDown(press, L | Ctrl);
    box.OnRButtonDown(press, L | R | Ctrl);  // starts nothing
    EXPECT_EQ(box.DragState, IsoBox::OrbitDrag);
    EXPECT_EQ(v.host.captures, 1);
    EXPECT_EQ(v.host.displayCount, -1);

    // Up by 10 with both buttons: the eye comes nearer; the horizontal motion is ignored.
    box.OnMouseMove({57, 30}, L | R);
    EXPECT_NEAR(v.Distance(), 98.0219f, 1e-3);
    EXPECT_NEAR(box.ViewCamera.Eye[1], 0.0f, 1e-5);
    EXPECT_NEAR(box.ViewCamera.Eye[2], 0.0f, 1e-5);

    // Releasing the right button while the orbit runs changes nothing.
    box.OnRButtonUp(press, L);
    EXPECT_EQ(box.DragState, IsoBox::OrbitDrag);
    box.OnRButtonDown(press, L | R);

    box.OnLButtonUp(press, R);
    EXPECT_EQ(box.DragState, IsoBox::CameraEnding);
    EXPECT_EQ(v.host.displayCount, -1);
    EXPECT_TRUE(v.host.capture);
    EXPECT_EQ(box.CtrlHeld, 1);
    const int redraws = v.host.redraws;
    const Vec3 eye = box.ViewCamera.Eye;
    box.OnMouseMove({70, 70}, R);
    box.OnLButtonDown(press, L | R);
    EXPECT_EQ(box.ViewCamera.Eye, eye);
    EXPECT_EQ(v.host.redraws, redraws);
    EXPECT_EQ(box.DragState, IsoBox::CameraEnding);

    box.OnRButtonUp(press, 0);
    EXPECT_EQ(box.DragState, IsoBox::Idle);
    EXPECT_EQ(v.host.displayCount, 0);
    EXPECT_FALSE(v.host.capture);
    EXPECT_EQ(box.CtrlHeld, 0);
    EXPECT_EQ(v.host.redraws, redraws);  // rendered in full once, at the left release
}

TEST(IsoCamera, LookTurnsTheTargetAboutTheEyeAndTheLeftButtonPushesIt) {
    FanView v(ModeCamera);
    IsoBox& box = *v.box;
    const ClientPoint press{100, 50};
    box.OnRButtonDown(press, R);
    EXPECT_EQ(box.DragState, IsoBox::LookDrag);
    EXPECT_EQ(v.host.displayCount, -1);
    // The target about the eye lies on the far side: Yaw 0, Tilt 180.
    EXPECT_EQ(box.ViewCamera.UpSign, -1);

    box.OnMouseMove({110, 50}, R);
    EXPECT_NEAR(box.ViewCamera.Yaw, 0.2f, 1e-4);  // 180 - 180 with pi as 3.141592
    EXPECT_NEAR(box.ViewCamera.Target[0], 0.0006f, 1e-3);
    EXPECT_NEAR(box.ViewCamera.Target[1], -0.3491f, 1e-3);
    EXPECT_EQ(box.ViewCamera.Eye, (Vec3{100, 0, 0}));

    box.OnMouseMove({100, 60}, L | R);  // down by 10 draws the target nearer
    EXPECT_NEAR(v.Distance(), 99.0054f, 1e-3);
    EXPECT_EQ(box.ViewCamera.Eye, (Vec3{100, 0, 0}));

    box.OnRButtonUp(press, L);
    EXPECT_EQ(box.DragState, IsoBox::CameraEnding);
    EXPECT_EQ(v.host.displayCount, -1);
    box.OnLButtonUp(press, 0);
    EXPECT_EQ(box.DragState, IsoBox::Idle);
    EXPECT_EQ(v.host.displayCount, 0);
    EXPECT_FALSE(v.host.capture);
}

TEST(IsoCamera, ShiftLeftZoomsATenthOfADegreePerPixelWithinOneTo120) {
    FanView v(ModeCamera);
    IsoBox& box = *v.box;
    const ClientPoint press{100, 50};
    box.OnLButtonDown(press, L | Shift);
    EXPECT_EQ(box.DragState, IsoBox::ZoomDrag);
    box.OnMouseMove({130, 50}, L | Shift);
    EXPECT_NEAR(box.ViewCamera.FieldOfView, 36.0f, 1e-5);
    // Vertical motion: the view stays, but the cursor is put back and the view redrawn.
    box.OnMouseMove({100, 80}, L);
    EXPECT_NEAR(box.ViewCamera.FieldOfView, 36.0f, 1e-5);
    EXPECT_EQ(v.host.warps, (std::vector<ClientPoint>{press, press}));
    EXPECT_EQ(v.host.redraws, 2);
    box.OnMouseMove({-1000, 50}, L);
    EXPECT_EQ(box.ViewCamera.FieldOfView, 1.0f);
    box.OnMouseMove({2000, 50}, L);
    EXPECT_EQ(box.ViewCamera.FieldOfView, 120.0f);
    EXPECT_EQ(box.ViewCamera.Eye, (Vec3{100, 0, 0}));
    box.OnLButtonUp(press, 0);
    EXPECT_EQ(box.DragState, IsoBox::Idle);
    EXPECT_EQ(v.host.displayCount, 0);
}

TEST(IsoCamera, TheCursorLoopsStopAfterTwentyCallsWhateverTheCount) {
    struct Case {
        int start;
        int hideCalls;
        int showCalls;
    };
    // A count raised by others takes several calls to hide; one that never crosses zero
    // stops the loop at 20 calls.
    for (Case c : {Case{0, 1, 1}, Case{2, 3, 1}, Case{100, 20, 1}, Case{-100, 1, 20}}) {
        FanView v;
        v.host.displayCount = c.start;
        v.box->OnLButtonDown(Top, L | Ctrl);
        EXPECT_EQ(v.host.cursorCalls, c.hideCalls) << "from " << c.start;
        v.box->OnLButtonUp(Top, 0);
        EXPECT_EQ(v.host.cursorCalls - c.hideCalls, c.showCalls) << "from " << c.start;
        EXPECT_EQ(v.box->DragState, IsoBox::Idle);
    }
}

TEST(IsoCamera, MovesWithoutTheCaptureAreIgnored) {
    FanView v;
    IsoBox& box = *v.box;
    box.OnLButtonDown(Top, L | Ctrl);
    v.host.capture = false;  // taken away without the pane being told yet
    box.OnMouseMove({Top.x + 40, Top.y}, L);
    box.OnLButtonUp(Top, 0);
    EXPECT_EQ(box.ViewCamera.Eye, (Vec3{100, 0, 0}));
    EXPECT_TRUE(v.host.warps.empty());
    EXPECT_EQ(box.DragState, IsoBox::OrbitDrag);
    box.OnCaptureChanged();
    EXPECT_EQ(box.DragState, IsoBox::Idle);
}

// ---- Releases in either order and the lost capture -----------------------------------------

TEST(IsoRelease, AStrokeEndedWithTheOtherButtonDownWaitsForItAndDoesNothingMeanwhile) {
    FanView v;
    IsoBox& box = *v.box;
    const std::vector<uint8_t> skin = v.Skin();
    box.OnLButtonDown(Outside, L);
    box.OnRButtonDown(Outside, L | R);
    EXPECT_EQ(box.DragState, IsoBox::PaintDrag);
    box.OnLButtonUp(Outside, R);
    EXPECT_EQ(box.DragState, IsoBox::StrokeEnding);
    EXPECT_TRUE(v.host.capture);
    box.OnMouseMove(Top, R);
    EXPECT_EQ(v.Skin(), skin);
    box.OnRButtonUp(Top, 0);
    EXPECT_EQ(box.DragState, IsoBox::Idle);
    EXPECT_FALSE(v.host.capture);
    EXPECT_EQ(v.host.releases, 1);
    EXPECT_TRUE(v.host.sent.empty());

    // The mirror image: a pick ended while the left button is down.
    box.OnRButtonDown(Outside, R);
    box.OnLButtonUp(Outside, R);  // the left button was not the pick's: nothing
    EXPECT_EQ(box.DragState, IsoBox::PickDrag);
    box.OnRButtonUp(Outside, L);
    EXPECT_EQ(box.DragState, IsoBox::StrokeEnding);
    box.OnLButtonUp(Outside, 0);
    EXPECT_EQ(box.DragState, IsoBox::Idle);
}

struct LossCase {
    int32_t mode;
    bool left;
    unsigned keys;
    bool camera;
};

class IsoCaptureLost : public ::testing::TestWithParam<LossCase> {};

TEST_P(IsoCaptureLost, MidDragTheViewEndsIdleWithTheCursorShownAndACameraDragRendersInFull) {
    const LossCase c = GetParam();
    FanView v(c.mode);
    IsoBox& box = *v.box;
    const std::vector<uint32_t> picks = box.PickBuffer;
    const ClientPoint press{60, 40};
    if (c.left) {
        box.OnLButtonDown(press, L | c.keys);
    } else {
        box.OnRButtonDown(press, R | c.keys);
    }
    box.OnMouseMove({press.x + 30, press.y + 7}, c.left ? L : R);
    const int redraws = v.host.redraws;

    v.host.ReleaseCapture();  // reaches the pane as a lost capture
    EXPECT_EQ(box.DragState, IsoBox::Idle);
    EXPECT_EQ(v.host.displayCount, 0);
    EXPECT_EQ(box.CtrlHeld, 0);
    EXPECT_EQ(box.ShiftHeld, 0);
    EXPECT_EQ(v.host.redraws - redraws, c.camera ? 1 : 0);
    if (c.camera) {
        EXPECT_NE(box.PickBuffer, picks);  // the turned view's picks
    }

    // Nothing runs on, and a new press starts afresh.
    const Vec3 eye = box.ViewCamera.Eye;
    box.OnMouseMove({press.x + 50, press.y}, c.left ? L : R);
    EXPECT_EQ(box.ViewCamera.Eye, eye);
    box.OnLButtonDown(Outside, L);
    EXPECT_NE(box.DragState, IsoBox::Idle);
}

INSTANTIATE_TEST_SUITE_P(EveryDrag, IsoCaptureLost,
                         ::testing::Values(LossCase{ModeMix, true, Ctrl, true},
                                           LossCase{ModeMix, true, Ctrl | Shift, true},
                                           LossCase{ModeMix, false, Ctrl, true},
                                           LossCase{ModeMapping, true, Ctrl, true},
                                           LossCase{ModeMix, true, 0, false},
                                           LossCase{ModeMix, false, 0, false},
                                           LossCase{ModeMapping, true, 0, false},
                                           LossCase{ModeMapping, false, 0, false}));

TEST(IsoRelease, LosingTheCaptureWhileWaitingForTheOtherButtonEndsTheWait) {
    FanView v;
    IsoBox& box = *v.box;
    box.OnLButtonDown(Top, L | Ctrl);
    box.OnLButtonUp(Top, R);
    ASSERT_EQ(box.DragState, IsoBox::CameraEnding);
    const int redraws = v.host.redraws;
    v.host.ReleaseCapture();
    EXPECT_EQ(box.DragState, IsoBox::Idle);
    EXPECT_EQ(v.host.displayCount, 0);
    EXPECT_EQ(v.host.redraws, redraws);  // the drag had rendered in full already

    box.OnLButtonDown(Outside, L);
    box.OnLButtonUp(Outside, R);
    ASSERT_EQ(box.DragState, IsoBox::StrokeEnding);
    v.host.ReleaseCapture();
    EXPECT_EQ(box.DragState, IsoBox::Idle);
    EXPECT_EQ(v.host.displayCount, 0);
}

// ---- Triangle selection --------------------------------------------------------------------

TEST(IsoSelect, ALeftDragSelectsEachTriangleItPassesOnceAndKeepsTheGrabbedBit) {
    FanView v(ModeMapping);
    IsoBox& box = *v.box;
    ASSERT_EQ(box.PickAt(Top), 0u);
    ASSERT_EQ(box.PickAt(Right), 1u);
    ASSERT_EQ(box.PickAt(Bottom), 2u);
    ASSERT_EQ(box.PickAt(Left), 3u);
    v.app->Triangles[2].Flags = Selected;
    v.app->Triangles[1].Flags = Grabbed;

    box.OnLButtonDown(Top, L);
    EXPECT_EQ(box.DragState, IsoBox::SelectDrag);
    EXPECT_EQ(v.host.sent, std::vector<int>{3});
    for (ClientPoint p : {Top2, Right, Bottom, Outside, Left, Top, Right}) box.OnMouseMove(p, L);
    EXPECT_EQ(v.host.sent, (std::vector<int>{3, 3, 3}));  // top, right, left
    EXPECT_EQ(v.app->Triangles[0].Flags, Selected);
    EXPECT_EQ(v.app->Triangles[1].Flags, Selected | Grabbed);
    EXPECT_EQ(v.app->Triangles[2].Flags, Selected);
    EXPECT_EQ(v.app->Triangles[3].Flags, Selected);
    box.OnLButtonUp(Right, 0);
    EXPECT_EQ(box.DragState, IsoBox::Idle);
}

TEST(IsoSelect, ARightDragDeselectsTheSameWay) {
    FanView v(ModeMapping);
    IsoBox& box = *v.box;
    for (int t : {0, 1, 3}) v.app->Triangles[t].Flags = Selected;
    box.OnRButtonDown(Outside, R);
    EXPECT_EQ(box.DragState, IsoBox::DeselectDrag);
    for (ClientPoint p : {Left, Bottom, Top, Top2, Left}) box.OnMouseMove(p, R);
    EXPECT_EQ(v.host.sent, (std::vector<int>{3, 3}));  // left, top
    EXPECT_EQ(v.app->Triangles[0].Flags, 0u);
    EXPECT_EQ(v.app->Triangles[1].Flags, Selected);
    EXPECT_EQ(v.app->Triangles[2].Flags, 0u);
    EXPECT_EQ(v.app->Triangles[3].Flags, 0u);
    box.OnRButtonUp(Left, 0);
    EXPECT_EQ(box.DragState, IsoBox::Idle);
}

TEST(IsoSelect, ACameraDragInMappingModeRedrawsTheTriangleIndicesAndOutlinesAsItGoes) {
    FanView v(ModeMapping);
    IsoBox& box = *v.box;
    v.app->Triangles[0].Flags = Selected;
    box.Render(IsoBox::Full);
    const std::vector<uint32_t> picks = box.PickBuffer;
    box.OnLButtonDown({50, 40}, L | Ctrl);
    box.OnMouseMove({80, 40}, L | Ctrl);
    EXPECT_NE(box.PickBuffer, picks);
    EXPECT_EQ(box.PickHolds(), IsoBox::PickMeaning::TriangleIndices);
    const std::vector<uint32_t> movedPicks = box.PickBuffer;
    const std::vector<uint8_t> movedPixels = box.PixelBuffer;
    box.Render(IsoBox::MappingRender);
    EXPECT_EQ(box.PickBuffer, movedPicks);
    EXPECT_EQ(box.PixelBuffer, movedPixels);
    EXPECT_TRUE(v.host.sent.empty());
}

// ---- Pick entries of the other meaning ----------------------------------------------------

TEST(IsoModeChange, ARunningStrokeNeverReadsAnEntryOfTheOtherMeaning) {
    {
        // A paint stroke over triangle indices: index 0 is a valid texel offset too.
        FanView v;
        IsoBox& box = *v.box;
        box.OnLButtonDown(Outside, L);
        v.app->Mode = ModeMapping;
        box.Render(IsoBox::Full);
        ASSERT_EQ(box.PickAt(Top), 0u);
        const std::vector<uint8_t> skin = v.Skin();
        box.OnMouseMove(Top, L);
        EXPECT_EQ(v.Skin(), skin);
        EXPECT_TRUE(v.host.sent.empty());
    }
    {
        // A pick over triangle indices.
        FanView v;
        IsoBox& box = *v.box;
        box.OnRButtonDown(Outside, R);
        v.app->Mode = ModeMapping;
        box.Render(IsoBox::Full);
        box.OnMouseMove(Right, R);
        EXPECT_EQ(v.app->PaintColour, 200);
        EXPECT_TRUE(v.host.sent.empty());
    }
    {
        // A selection over texel offsets: the square's texels include offsets below 4.
        FanView v(ModeMapping);
        IsoBox& box = *v.box;
        box.OnLButtonDown(Outside, L);
        v.app->Mode = ModeMix;
        box.Render(IsoBox::Full);
        for (int y = 0; y < 100; ++y) {
            for (int x = 0; x < 200; ++x) box.OnMouseMove({x, y}, L);
        }
        for (int t = 0; t < 4; ++t) EXPECT_EQ(v.app->Triangles[t].Flags, 0u);
        EXPECT_TRUE(v.host.sent.empty());
    }
}

// ---- The mouse-move path ---------------------------------------------------------------------

TEST(IsoMoves, NoMoveAllocates) {
    struct Drag {
        int32_t mode;
        bool left;
        unsigned keys;
        unsigned moveFlags;
    };
    for (Drag d : {Drag{ModeMix, true, Ctrl, L}, Drag{ModeMix, true, Ctrl, L | R},
                   Drag{ModeMix, false, Ctrl, R}, Drag{ModeMix, false, Ctrl, L | R},
                   Drag{ModeMix, true, Ctrl | Shift, L}, Drag{ModeMapping, true, Ctrl, L},
                   Drag{ModeMix, true, 0, L}, Drag{ModeMix, false, 0, R},
                   Drag{ModeMapping, true, 0, L}, Drag{ModeMapping, false, 0, R}}) {
        FanView v(d.mode);
        IsoBox& box = *v.box;
        v.host.warps.reserve(64);
        v.host.sent.reserve(64);
        if (d.left) {
            box.OnLButtonDown(Top, L | d.keys);
        } else {
            box.OnRButtonDown(Top, R | d.keys);
        }
        if (d.mode == ModeMapping && d.keys == 0) {
            for (int t = 0; t < 4; ++t) v.app->Triangles[t].Flags = d.left ? 0u : Selected;
        }
        const long before = AllocationCounter::Count();
        for (ClientPoint p : {Right, Top, Bottom, Left, Top2, Outside})
            box.OnMouseMove(p, d.moveFlags);
        EXPECT_EQ(AllocationCounter::Count(), before) << "mode " << d.mode << " keys " << d.keys;
        EXPECT_FALSE(v.host.warps.empty() && v.host.sent.empty());
    }
}

}  // namespace
}  // namespace varp::test
