// A mapping edit from start to file: a triangle selected on the model, a shared mapping point
// dragged on the flat skin, File > Save, and the MD2 on disk read back.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <tuple>
#include <vector>

#include "commands/ModelFiles.h"
#include "formats/GlCommands.h"
#include "formats/Md2Format.h"
#include "views/iso/FanWindow.h"

namespace varp::test {
namespace {

// A corner as the GL command list gives it: vertex index and float skin coordinates.
using GlCorner = std::tuple<int32_t, float, float>;
using GlTriangle = std::array<GlCorner, 3>;

// The triangles of an MD2 file's GL command list, each with its corners sorted, all sorted: a
// strip of n corners holds the triangles (i, i + 1, i + 2), a fan (0, i, i + 1).
std::vector<GlTriangle> GlTriangles(const std::vector<uint8_t>& file) {
    const ByteView view(file);
    const auto words = view.Section(view.I32(md2::OfsGlCmds), view.I32(md2::NumGlCmds), 4);
    std::vector<GlRun> runs;
    EXPECT_TRUE(words && DecodeGlCommands(*words, &runs).empty());
    std::vector<GlTriangle> triangles;
    for (const GlRun& run : runs) {
        std::vector<GlCorner> corners;
        for (const GlVertex& v : run.Vertices) corners.emplace_back(v.Vertex, v.S, v.T);
        for (size_t i = 2; i < corners.size(); ++i) {
            GlTriangle t = {run.Fan ? corners[0] : corners[i - 2], corners[i - 1], corners[i]};
            std::sort(t.begin(), t.end());
            triangles.push_back(t);
        }
    }
    std::sort(triangles.begin(), triangles.end());
    return triangles;
}

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
    ASSERT_EQ(skin.DragState, SkinBox::Drag::MovePoint);
    skin.OnMouseMove(to, MK_LBUTTON);
    skin.OnLButtonUp(to, 0);
    EXPECT_EQ(skin.DragState, SkinBox::Drag::Idle);
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

    // The GL command list draws the same four triangles with the new coordinates, texel
    // centres over the 8 x 8 skin: (s + 0.5) / 8.
    const auto corner = [](int vertex, float s, float t) {
        return GlCorner{vertex, (s + 0.5f) / 8.0f, (t + 0.5f) / 8.0f};
    };
    std::vector<GlTriangle> want = {
        {corner(0, 0, 0), corner(1, 7, 0), corner(4, 6, 2)},
        {corner(1, 7, 0), corner(2, 7, 7), corner(4, 4, 4)},
        {corner(2, 7, 7), corner(3, 0, 7), corner(4, 4, 4)},
        {corner(3, 0, 7), corner(0, 0, 0), corner(4, 4, 4)},
    };
    for (GlTriangle& t : want) std::sort(t.begin(), t.end());
    std::sort(want.begin(), want.end());
    EXPECT_EQ(GlTriangles(ReadFileBytes(w.dir.Path() + "/fan/tris.md2")), want);
}

}  // namespace
}  // namespace varp::test
