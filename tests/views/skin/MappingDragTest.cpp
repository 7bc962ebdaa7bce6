// Dragging mapping points on the flat skin: the grab, the selected-triangles-first rule, the
// clamp, the rebuilt table after the release, and a lost capture.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "support/Md2Files.h"
#include "views/skin/SkinBox.h"
#include "views/skin/SkinTestSupport.h"

namespace varp {
namespace {

constexpr unsigned L = MK_LBUTTON;
constexpr unsigned R = MK_RBUTTON;

using Points = std::vector<SkinCoord>;

// Two triangles on a 16 x 16 skin sharing the points (10, 2) and (6, 8):
// A = (2, 2) (10, 2) (6, 8) and B = (10, 2) (14, 8) (6, 8), in Mapping mode.
struct MappingDragTest : test::SkinPaneTest {
    ModelTriangle& a = app->Triangles[0];
    ModelTriangle& b = app->Triangles[1];

    MappingDragTest() {
        app->Mode = ModeMapping;
        const Points points = {{2, 2}, {10, 2}, {6, 8}, {14, 8}};
        std::copy(points.begin(), points.end(), app->TexCoords);
        app->NumTexCoords = 4;
        a = test::Tri(0, 1, 2, 0, 1, 2);
        b = test::Tri(1, 3, 2, 1, 3, 2);
        app->NumTriangles = 2;
        app->RebuildTexCoords();
    }
    Points Table() const { return {app->TexCoords, app->TexCoords + app->NumTexCoords}; }
    static Points Corners(const ModelTriangle& t) {
        return {t.CornerST[0], t.CornerST[1], t.CornerST[2]};
    }
};

TEST_F(MappingDragTest, APressOffEveryPointStartsNothingAndLaterMovesAreIgnored) {
    for (ClientPoint p : {At(11, 2), At(10, 3), At(9, 1), At(-2, 2), At(2, 16)}) {
        box.OnLButtonDown(p, L);
        box.OnMouseMove(At(12, 5), L);
        box.OnLButtonUp(At(12, 5), 0);
    }
    box.OnRButtonDown(At(10, 2), R);  // the right button drags no point
    box.OnMouseMove(At(12, 5), R);
    EXPECT_EQ(box.DragState, SkinBox::Drag::Idle);
    EXPECT_EQ(host.Requests(), 0);
    EXPECT_EQ(Table(), (Points{{2, 2}, {10, 2}, {6, 8}, {14, 8}}));
    EXPECT_EQ(Corners(a), (Points{{2, 2}, {10, 2}, {6, 8}}));
}

TEST_F(MappingDragTest, APressGrabsTheNearestDrawnPointWithinFourPixels) {
    // At zoom 1, (6, 8) is drawn 4 columns left of and 6 rows below (10, 2).
    box.Zoom = 1.0f;
    box.Render(SkinBox::Kind::Full);
    const ClientPoint drawn{box.ColumnOf(10.5), box.BufferHeight - 1 - box.RowOf(2.5)};
    const struct {
        int dx, dy;
        SkinCoord grabbed;  // {-1, -1}: none
    } cases[] = {{0, 0, {10, 2}}, {4, 0, {10, 2}},  {0, -4, {10, 2}}, {-2, 2, {10, 2}},
                 {-3, 3, {6, 8}}, {5, 0, {-1, -1}}, {3, -3, {-1, -1}}};
    for (const auto& c : cases) {
        box.OnLButtonDown({drawn.x + c.dx, drawn.y + c.dy}, L);
        const bool grabbed = box.DragState == SkinBox::Drag::MovePoint;
        EXPECT_EQ(grabbed ? app->TexCoords[app->NumTexCoords] : SkinCoord(-1, -1), c.grabbed)
            << c.dx << ", " << c.dy;
        box.OnLButtonUp({drawn.x + c.dx, drawn.y + c.dy}, 0);
        EXPECT_EQ(Table(), (Points{{2, 2}, {10, 2}, {6, 8}, {14, 8}}));  // a click moves nothing
    }
}

TEST_F(MappingDragTest, ASelectedTriangleTakesASharedPointAlongAndSplitsItOff) {
    a.Flags = Selected;
    box.OnLButtonDown(At(10, 2), L);
    EXPECT_EQ(box.DragState, SkinBox::Drag::MovePoint);
    EXPECT_TRUE(host.capture);
    EXPECT_EQ(host.sent, std::vector<int>{1});
    EXPECT_EQ(a.Flags, Selected | Grabbed);
    EXPECT_EQ(b.Flags, 0u);
    EXPECT_EQ(a.TexCoord[1], 4);  // the DragSlot, just past the valid entries
    EXPECT_EQ(b.TexCoord[0], 1);
    EXPECT_EQ(app->NumTexCoords, 4);

    box.OnMouseMove(At(12, 5), L);
    EXPECT_EQ(app->TexCoords[4], (SkinCoord{12, 5}));
    EXPECT_EQ(Corners(a), (Points{{2, 2}, {12, 5}, {6, 8}}));
    EXPECT_EQ(Corners(b), (Points{{10, 2}, {14, 8}, {6, 8}}));
    box.OnMouseMove({At(12, 5).x + 1, At(12, 5).y - 1}, L);  // the same texel: nothing new
    box.OnRButtonUp(At(12, 5), L);                           // not the drag's button
    EXPECT_EQ(host.sent, (std::vector<int>{1, 1}));
    EXPECT_EQ(box.DragState, SkinBox::Drag::MovePoint);

    box.OnLButtonUp(At(12, 5), 0);
    EXPECT_EQ(box.DragState, SkinBox::Drag::Idle);
    EXPECT_FALSE(host.capture);
    EXPECT_EQ(host.sent, (std::vector<int>{1, 1, 1}));
    EXPECT_EQ(Table(), (Points{{2, 2}, {12, 5}, {6, 8}, {10, 2}, {14, 8}}));
    EXPECT_EQ(Corners(a), (Points{{2, 2}, {12, 5}, {6, 8}}));
    EXPECT_EQ(Corners(b), (Points{{10, 2}, {14, 8}, {6, 8}}));
    EXPECT_EQ(b.TexCoord[0], 3);
    EXPECT_EQ(a.Flags, Selected);
    EXPECT_EQ(b.Flags, 0u);
}

TEST_F(MappingDragTest, WithoutASelectionThatUsesItThePointMovesForEveryTriangle) {
    b.Flags = Selected;  // B does not use (2, 2), so A takes it although unselected
    box.OnLButtonDown(At(2, 2), L);
    EXPECT_EQ(a.Flags, Grabbed);
    EXPECT_EQ(b.Flags, Selected);
    box.OnMouseMove(At(4, 3), L);
    box.OnLButtonUp(At(4, 3), 0);
    EXPECT_EQ(Table(), (Points{{4, 3}, {10, 2}, {6, 8}, {14, 8}}));

    a.Flags = b.Flags = 0;
    box.OnLButtonDown(At(10, 2), L);
    EXPECT_EQ(a.Flags, Grabbed);
    EXPECT_EQ(b.Flags, Grabbed);
    box.OnMouseMove(At(11, 1), L);
    EXPECT_EQ(a.CornerST[1], (SkinCoord{11, 1}));
    EXPECT_EQ(b.CornerST[0], (SkinCoord{11, 1}));
    box.OnLButtonUp(At(11, 1), 0);
    EXPECT_EQ(Table(), (Points{{4, 3}, {11, 1}, {6, 8}, {14, 8}}));
    EXPECT_EQ(a.Flags | b.Flags, 0u);
}

TEST_F(MappingDragTest, DroppingAPointOnAnotherMergesThemAfterTheRelease) {
    box.OnLButtonDown(At(2, 2), L);
    box.OnMouseMove(At(6, 8), L);
    EXPECT_EQ(app->NumTexCoords, 4);  // two points on one texel until the release
    box.OnLButtonUp(At(6, 8), 0);
    EXPECT_EQ(Table(), (Points{{6, 8}, {10, 2}, {14, 8}}));
    EXPECT_EQ(a.TexCoord[0], 0);
    EXPECT_EQ(a.TexCoord[2], 0);
    EXPECT_EQ(b.TexCoord[2], 0);
}

TEST_F(MappingDragTest, ADraggedPointStopsAtEachEdgeOfTheSkin) {
    box.OnLButtonDown(At(14, 8), L);
    const struct {
        ClientPoint p;
        SkinCoord want;
    } cases[] = {
        {{199, At(14, 8).y}, {15, 8}},    // past the right edge, still in the pane
        {{At(14, 8).x, 5000}, {14, 15}},  // past the bottom, outside the pane
        {{-5000, At(14, 8).y}, {0, 8}},   // past the left
        {{At(14, 8).x, -5000}, {14, 0}},  // past the top
        {{-5000, -5000}, {0, 0}},
    };
    for (const auto& c : cases) {
        box.OnMouseMove(c.p, L);
        EXPECT_EQ(app->TexCoords[4], c.want) << c.p.x << ", " << c.p.y;
        EXPECT_EQ(b.CornerST[1], c.want);
    }
    EXPECT_EQ(host.sent.size(), 6u);
}

TEST_F(MappingDragTest, ALostCaptureEndsTheDragAsAReleaseDoes) {
    a.Flags = Selected;
    box.OnLButtonDown(At(6, 8), L);
    box.OnMouseMove(At(7, 9), L);
    host.capture = false;
    box.OnCaptureChanged();
    EXPECT_EQ(box.DragState, SkinBox::Drag::Idle);
    EXPECT_EQ(host.releases, 0);
    EXPECT_EQ(host.sent, (std::vector<int>{1, 1, 1}));
    EXPECT_EQ(Table(), (Points{{2, 2}, {10, 2}, {7, 9}, {14, 8}, {6, 8}}));
    EXPECT_EQ(a.Flags, Selected);
    box.OnMouseMove(At(3, 3), L);
    EXPECT_EQ(host.sent.size(), 3u);
}

TEST_F(MappingDragTest, CtrlPansInsteadOfGrabbing) {
    box.OnLButtonDown(At(10, 2), L | MK_CONTROL);
    EXPECT_EQ(box.DragState, SkinBox::Drag::View);
    box.OnMouseMove({At(10, 2).x - 8, At(10, 2).y}, L);
    EXPECT_EQ(box.PanS, 10.0f);
    box.OnLButtonUp(At(10, 2), 0);
    EXPECT_EQ(a.Flags | b.Flags, 0u);
    EXPECT_TRUE(host.sent.empty());
}

}  // namespace
}  // namespace varp
