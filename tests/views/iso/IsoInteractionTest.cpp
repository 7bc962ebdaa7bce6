// The 3D view's mouse: the drag each press starts, the strokes (paint, pick, select), the camera
// drags with the cursor held on the press point, and every way a drag ends.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "views/iso/IsoFixture.h"

namespace varp::test {
namespace {

constexpr IsoBox::Drag Paint = IsoBox::Drag::Paint, Pick = IsoBox::Drag::Pick,
                       Orbit = IsoBox::Drag::Orbit, Zoom = IsoBox::Drag::Zoom,
                       Look = IsoBox::Drag::Look, Sel = IsoBox::Drag::Select,
                       Desel = IsoBox::Drag::Deselect;
const auto Idle = std::tuple(IsoBox::Drag::Idle, false, 0);

TEST(IsoPress, EachPressStartsTheDragOfItsModeButtonAndKeysAndItsReleaseEndsIt) {
    // By mode: the left button with no key, Shift, Ctrl and Ctrl + Shift, then the right button.
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
    for (const auto& row : table) {
        for (int i = 0; i < 8; ++i) {
            SCOPED_TRACE(testing::Message() << "mode " << row.mode << " press " << i);
            IsoView v(row.mode);
            v.box->ViewCamera.Yaw = 77.0f;
            v.Press(i < 4, Outside, keys[i % 4]);
            const IsoBox::Drag drag = row.drags[i];
            const bool camera = drag == Orbit || drag == Zoom || drag == Look;
            EXPECT_EQ(v.State(), std::tuple(drag, true, camera ? -1 : 0));
            EXPECT_EQ(v.box->CtrlHeld * Ctrl + v.box->ShiftHeld * Shift, keys[i % 4]);
            EXPECT_NEAR(v.box->ViewCamera.Yaw, 0.0f, 1e-4);  // every press starts afresh
            v.Release(i < 4, Outside, keys[i % 4]);
            EXPECT_EQ(v.State(), Idle);
            EXPECT_EQ(v.box->CtrlHeld + v.box->ShiftHeld, 0);
            EXPECT_EQ(v.host.releases, 1);
        }
    }
}

TEST(IsoStroke, PaintWalksEachMoveAcrossTheScreenAndPickTakesItsColourEachReported) {
    IsoView v;
    IsoBox& box = *v.box;
    const std::vector<uint8_t> before = v.Skin();
    // Every texel under the row of pixels one move crosses, and no other.
    std::vector<uint8_t> expected = before;
    for (int x = 80; x <= 120; ++x) {
        if (box.PickAt({x, 48}) != NoPick) expected[box.PickAt({x, 48})] = 200;
    }
    ASSERT_GE(std::count(expected.begin(), expected.end(), 200), 3);
    box.OnLButtonDown({80, 48}, L);
    box.OnMouseMove({120, 48}, L);
    box.OnMouseMove({120, 48}, L);  // painted and reported again, though the colour stays
    box.OnLButtonUp({120, 48}, 0);
    box.OnMouseMove(Bottom, L);
    EXPECT_EQ(v.Skin(), expected);
    EXPECT_EQ(v.host.sent, (std::vector<int>{0, 0, 0, 5}));  // the release: an undo step

    box.OnRButtonDown(Outside, R);  // the background: nothing is picked
    box.OnMouseMove(Bottom, R);
    EXPECT_EQ(v.app->PaintColour, before[box.PickAt(Bottom)]);
    box.OnMouseMove({100, 48}, R);
    box.OnMouseMove({100, 48}, R);  // the same colour again is told again
    box.OnRButtonUp({100, 48}, 0);
    EXPECT_EQ(v.app->PaintColour, 200);
    EXPECT_EQ(v.host.sent, (std::vector<int>{0, 0, 0, 5, 4, 4, 4}));
    EXPECT_EQ(v.Skin(), expected);
}

TEST(IsoStroke, ADragSelectsOrDeselectsEachTrianglePassedOnceKeepingTheGrabbedBit) {
    IsoView v(ModeMapping);
    IsoBox& box = *v.box;
    ModelTriangle* t = v.app->Triangles;
    t[2].Flags = Selected;
    t[1].Flags = Grabbed;
    box.OnLButtonDown(Top, L);
    for (ClientPoint p : {Top2, Right, Bottom, Outside, Left, Top, Right}) box.OnMouseMove(p, L);
    box.OnLButtonUp(Right, 0);
    EXPECT_EQ(v.host.sent, (std::vector<int>{3, 3, 3}));  // top, right, left
    EXPECT_EQ(std::tuple(t[0].Flags, t[1].Flags, t[2].Flags, t[3].Flags),
              std::tuple(Selected, Selected | Grabbed, Selected, Selected));
    t[2].Flags = 0;
    box.OnRButtonDown(Outside, R);
    for (ClientPoint p : {Left, Bottom, Top, Top2, Left}) box.OnMouseMove(p, R);
    EXPECT_EQ(v.host.sent, (std::vector<int>{3, 3, 3, 3, 3}));  // left, top
    EXPECT_EQ(std::tuple(t[0].Flags, t[1].Flags, t[2].Flags, t[3].Flags),
              std::tuple(0u, Selected | Grabbed, 0u, 0u));
}

TEST(IsoStroke, ARunningStrokeNeverReadsAnEntryOfTheOtherMeaning) {
    // Paint and pick over triangle indices: index 0 is a valid texel offset too.
    for (bool left : {true, false}) {
        IsoView v;
        v.Press(left, Outside, 0);
        v.app->Mode = ModeMapping;
        v.box->Render(IsoBox::Kind::Full);
        const std::vector<uint8_t> skin = v.Skin();
        v.box->OnMouseMove(Top, left ? L : R);
        EXPECT_EQ(v.Skin(), skin);
        EXPECT_EQ(v.app->PaintColour, 200);
        EXPECT_TRUE(v.host.sent.empty());
    }
    // Select over texel offsets, among which are 0 to 3: sweep the whole view.
    IsoView v(ModeMapping);
    v.box->OnLButtonDown(Outside, L);
    v.app->Mode = ModeMix;
    v.box->Render(IsoBox::Kind::Full);
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 200; ++x) v.box->OnMouseMove({x, y}, L);
    }
    for (int t = 0; t < 4; ++t) EXPECT_EQ(v.app->Triangles[t].Flags, 0u);
    EXPECT_TRUE(v.host.sent.empty());
}

TEST(IsoCamera, CtrlLeftOrbitsAFifthOfADegreePerPixelAndTheRightButtonJoiningDollies) {
    IsoView v;
    IsoBox& box = *v.box;
    const std::vector<uint32_t> picks = box.PickBuffer;
    const ClientPoint press{50, 40};
    box.OnLButtonDown(press, L | Ctrl);
    box.OnMouseMove({60, 35}, L);  // each move is the offset from the press point
    EXPECT_NEAR(box.ViewCamera.Yaw, 358.0f, 1e-4);
    EXPECT_NEAR(box.ViewCamera.Tilt, 1.0f, 1e-4);
    EXPECT_NEAR(box.ViewCamera.Eye[1], -3.4894f, 1e-3);
    EXPECT_NEAR(box.ViewCamera.Eye[2], -1.7452f, 1e-3);
    EXPECT_EQ(box.PickBuffer, picks);  // a quick render: picks of the last full one
    box.RecolourTexels({0, 0, 0, 0});  // unless an undo in the drag would read them
    EXPECT_NE(box.PickBuffer, picks);
    const Vec3 eye = box.ViewCamera.Eye;
    box.OnMouseMove(press, L);  // the echo of the cursor put back carries no motion
    EXPECT_EQ(box.ViewCamera.Eye, eye);
    EXPECT_EQ(v.host.warps, std::vector<ClientPoint>{press});
    EXPECT_EQ(v.host.redraws, 1);

    box.OnRButtonDown(press, L | R);  // starts nothing
    const float distance = v.Distance();
    box.OnMouseMove({57, 30}, L | R);  // up by 10: nearer, the horizontal motion ignored
    EXPECT_NEAR(v.Distance() / distance, 0.980219f, 1e-6);
    EXPECT_NEAR(box.ViewCamera.Yaw, 358.0f, 1e-4);
    box.OnRButtonUp(press, L);  // the orbit runs on
    EXPECT_EQ(v.State(), std::tuple(Orbit, true, -1));
    box.OnRButtonDown(press, L | R);
    box.OnLButtonUp(press, R);  // rendered in full, shown, and waiting for the right button
    EXPECT_EQ(v.State(), std::tuple(IsoBox::Drag::CameraEnding, true, -1));
    EXPECT_NE(box.PickBuffer, picks);
    EXPECT_EQ(v.host.redraws, 3);
    const Vec3 ended = box.ViewCamera.Eye;
    box.OnMouseMove({70, 70}, R);
    box.OnLButtonDown(press, L | R);
    box.OnRButtonUp(press, 0);
    EXPECT_EQ(v.State(), Idle);
    EXPECT_EQ(box.ViewCamera.Eye, ended);
    EXPECT_EQ(std::tuple(v.host.captures, v.host.warps.size(), v.host.redraws, box.CtrlHeld),
              std::tuple(1, 2u, 3, 0));
    EXPECT_TRUE(v.host.sent.empty());
}

TEST(IsoCamera, LookTurnsTheTargetPushMovesItAndZoomStaysWithinOneTo120Degrees) {
    IsoView v(ModeCamera);
    IsoBox& box = *v.box;
    const ClientPoint press{100, 50};
    box.OnRButtonDown(press, R);
    box.OnMouseMove({110, 50}, R);
    // The target about the eye starts on the far side (Yaw 0, Tilt 180, UpSign -1); 180 - 180
    // with pi as 3.141592 leaves a trace in Yaw.
    EXPECT_NEAR(box.ViewCamera.Yaw, 0.2f, 1e-4);
    EXPECT_NEAR(box.ViewCamera.Target[1], -0.3491f, 1e-3);
    box.OnMouseMove({100, 60}, L | R);  // down by 10 draws the target nearer
    EXPECT_NEAR(v.Distance(), 99.0054f, 1e-3);
    EXPECT_EQ(box.ViewCamera.Eye, (Vec3{100, 0, 0}));
    box.OnRButtonUp(press, L);
    EXPECT_EQ(v.State(), std::tuple(IsoBox::Drag::CameraEnding, true, -1));
    box.OnLButtonUp(press, 0);

    box.OnLButtonDown(press, L | Shift);
    const struct {
        int x, y;
        float fieldOfView;
    } moves[] = {{130, 50, 36.0f}, {100, 80, 36.0f}, {-1000, 50, 1.0f}, {2000, 50, 120.0f}};
    for (const auto& m : moves) {
        box.OnMouseMove({m.x, m.y}, L);
        EXPECT_NEAR(box.ViewCamera.FieldOfView, m.fieldOfView, 1e-5) << m.x << ", " << m.y;
    }
    EXPECT_EQ(v.host.warps.size(), 6u);  // the vertical move too is put back and redrawn
}

TEST(IsoCamera, TheCursorLoopsStopAfterTwentyCallsWhateverTheCount) {
    // A count raised by others takes several calls to hide; one that never crosses zero stops
    // the loop at 20 calls.
    const struct {
        int start, hideCalls, showCalls;
    } cases[] = {{0, 1, 1}, {2, 3, 1}, {100, 20, 1}, {-100, 1, 20}};
    for (const auto& c : cases) {
        IsoView v;
        v.host.displayCount = c.start;
        v.box->OnLButtonDown(Top, L | Ctrl);
        EXPECT_EQ(v.host.cursorCalls, c.hideCalls) << "from " << c.start;
        v.box->OnLButtonUp(Top, 0);
        EXPECT_EQ(v.host.cursorCalls - c.hideCalls, c.showCalls) << "from " << c.start;
    }
}

TEST(IsoRelease, AStrokeEndedWithTheOtherButtonDownWaitsForItOrALostCapture) {
    IsoView v;
    IsoBox& box = *v.box;
    const std::vector<uint8_t> skin = v.Skin();
    box.OnLButtonDown(Outside, L);
    box.OnRButtonDown(Outside, L | R);
    box.OnLButtonUp(Outside, R);
    EXPECT_EQ(v.State(), std::tuple(IsoBox::Drag::StrokeEnding, true, 0));
    box.OnMouseMove(Top, R);  // paints nothing meanwhile
    box.OnRButtonUp(Top, 0);
    EXPECT_EQ(v.State(), Idle);
    // The mirror image: a pick ended while the left button is down, then the capture lost.
    box.OnRButtonDown(Outside, R);
    box.OnLButtonUp(Outside, R);  // not the pick's button: nothing
    EXPECT_EQ(v.State(), std::tuple(Pick, true, 0));
    box.OnRButtonUp(Outside, L);
    EXPECT_EQ(v.State(), std::tuple(IsoBox::Drag::StrokeEnding, true, 0));
    v.host.ReleaseCapture();
    EXPECT_EQ(v.State(), Idle);
    EXPECT_EQ(v.Skin(), skin);
    EXPECT_TRUE(v.host.sent.empty());
    // A camera drag waiting likewise, rendered in full already.
    box.OnLButtonDown(Top, L | Ctrl);
    box.OnLButtonUp(Top, R);
    const int redraws = v.host.redraws;
    v.host.ReleaseCapture();
    EXPECT_EQ(v.State(), Idle);
    EXPECT_EQ(std::tuple(v.host.redraws, v.host.releases), std::tuple(redraws, 3));
}

TEST(IsoRelease, ALostCaptureEndsAnyDragWithTheCursorShownAndACameraDragRendersInFull) {
    const struct {
        int32_t mode;
        bool left;
        unsigned keys;
        bool camera;
    } cases[] = {{ModeMix, true, Ctrl, true},
                 {ModeMix, true, Ctrl | Shift, true},
                 {ModeMix, false, Ctrl, true},
                 {ModeMix, true, 0, false},
                 {ModeMapping, false, 0, false}};
    for (const auto& c : cases) {
        IsoView v(c.mode);
        IsoBox& box = *v.box;
        const std::vector<uint32_t> picks = box.PickBuffer;
        v.Press(c.left, {60, 40}, c.keys);
        box.OnMouseMove({90, 47}, c.left ? L : R);
        const int redraws = v.host.redraws;
        v.host.ReleaseCapture();  // reaches the pane as a lost capture
        EXPECT_EQ(v.State(), Idle);
        EXPECT_EQ(box.CtrlHeld + box.ShiftHeld, 0);
        EXPECT_EQ(v.host.redraws - redraws, c.camera ? 1 : 0);
        EXPECT_EQ(box.PickBuffer != picks, c.camera);  // the turned view's picks
        const Vec3 eye = box.ViewCamera.Eye;
        box.OnMouseMove({110, 40}, c.left ? L : R);
        EXPECT_EQ(box.ViewCamera.Eye, eye);
    }
    // Taken away without the pane being told yet: moves and releases do nothing meanwhile.
    IsoView v;
    v.box->OnLButtonDown(Top, L | Ctrl);
    v.host.capture = false;
    v.box->OnMouseMove({Top.x + 40, Top.y}, L);
    v.box->OnLButtonUp(Top, 0);
    EXPECT_EQ(v.box->ViewCamera.Eye, (Vec3{100, 0, 0}));
    EXPECT_EQ(v.State(), std::tuple(Orbit, false, -1));
    v.box->OnCaptureChanged();
    EXPECT_EQ(v.State(), Idle);
}

}  // namespace
}  // namespace varp::test
