// A mapping edit from start to file: a triangle selected on the model, a shared mapping point
// dragged on the flat skin, File > Save, and the MD2 on disk read back. The GL command list is
// built from the same table and triangles, and checked against them in the format tests.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "formats/Md2Reader.h"
#include "views/iso/FanWindow.h"

namespace varp::test {
namespace {

// Where skin texel (s, t) lies in the skin view, as a window point.
ClientPoint PointOfTexel(const SkinBox& skin, int s, int t) {
    return {skin.ColumnOf(s + 0.5), skin.Height() - 1 - skin.RowOf(t + 0.5)};
}

TEST(IsoMappingEdit, APointDraggedWithOneTriangleSelectedIsSplitOffForItAloneInTheSavedFile) {
    FanWindow w;
    w.Command(CmdMappingMode);

    // Select the top triangle (0) by a click on the model. It shares the centre point 4, at
    // (4, 4), with the three others, and point 1 with the right triangle (1).
    IsoBox& model = w.Model();
    model.OnLButtonDown(FanWindow::Top, MK_LBUTTON);
    model.OnLButtonUp(FanWindow::Top, 0);
    ASSERT_EQ(w.app->Triangles[0].Flags, Selected);
    ASSERT_EQ(w.app->Triangles[1].Flags, 0u);

    // Drag the centre point from (4, 4) to (6, 2) on the flat skin.
    SkinBox& skin = w.Skin();
    const ClientPoint from = PointOfTexel(skin, 4, 4);
    const ClientPoint to = PointOfTexel(skin, 6, 2);
    ASSERT_EQ(skin.TexelUnder(from), (TexelPoint{4, 4}));
    ASSERT_EQ(skin.TexelUnder(to), (TexelPoint{6, 2}));
    skin.OnLButtonDown(from, MK_LBUTTON);
    ASSERT_EQ(skin.DragState, SkinBox::MovePoint);
    skin.OnMouseMove(to, MK_LBUTTON);
    skin.OnLButtonUp(to, 0);
    EXPECT_EQ(skin.DragState, SkinBox::Idle);
    for (int t = 0; t < 4; ++t) EXPECT_EQ(w.app->Triangles[t].Flags & Grabbed, 0u);

    w.wnd->OnCommand(CmdFileSave);
    EXPECT_TRUE(w.sys.messages.empty());

    // Read back: the coordinates in order of first use, the top triangle on its own new point.
    ScriptedPlatform readerSys;
    App saved(readerSys);
    saved.BaseFolder = w.dir.SystemPath();
    ASSERT_EQ(LoadModel(saved, w.dir.SystemPath() + "\\fan\\tris.md2"), 1);
    const std::vector<SkinCoord> coords(saved.TexCoords, saved.TexCoords + saved.NumTexCoords);
    EXPECT_EQ(coords, (std::vector<SkinCoord>{{0, 0}, {7, 0}, {6, 2}, {7, 7}, {4, 4}, {0, 7}}));
    ASSERT_EQ(saved.NumTriangles, 4);
    const int16_t expected[4][3] = {{0, 1, 2}, {1, 3, 4}, {3, 5, 4}, {5, 0, 4}};
    for (int t = 0; t < 4; ++t) {
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(saved.Triangles[t].TexCoord[k], expected[t][k]) << t << " " << k;
        }
    }
    // The corners' vertices are those the model was made with.
    EXPECT_EQ(saved.Triangles[0].Vertex[2], 4);
    EXPECT_EQ(saved.Triangles[1].Vertex[2], 4);
}

}  // namespace
}  // namespace varp::test
