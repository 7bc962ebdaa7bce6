// The paint tools' texels, drawn as pictures: '.' and 'a' are colours 1 and 2, 'L' the protected
// colour 5, '#' the paint colour 9.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/History.h"
#include "edit/PaintTools.h"

namespace varp {
namespace {

using Picture = std::vector<std::string>;

uint8_t ColourOf(char c) {
    return c == '.' ? 1 : c == 'a' ? 2 : c == 'L' ? 5 : c == '#' ? 9 : 0;
}
char CharOf(uint8_t c) {
    return c == 1 ? '.' : c == 2 ? 'a' : c == 5 ? 'L' : c == 9 ? '#' : '?';
}

struct Canvas {
    Workspace ws;
    explicit Canvas(const Picture& rows) {
        auto skin = std::make_unique<SkinImage>();
        skin->Width = static_cast<int16_t>(rows[0].size());
        skin->Height = static_cast<int16_t>(rows.size());
        for (const std::string& row : rows) {
            for (char c : row) skin->Pixels.push_back(ColourOf(c));
        }
        ws.SkinWidth = skin->Width;
        ws.SkinHeight = skin->Height;
        ws.Skins.push_back(std::move(skin));
        ws.SelectSkin(0);
        ws.PaintColour = 9;
        ws.ColourLocks[5] = 1;
    }
    Picture Shown() const {
        Picture rows;
        const SkinImage& skin = *ws.CurrentSkin;
        for (int t = 0; t < skin.Height; ++t) {
            std::string row;
            for (int s = 0; s < skin.Width; ++s)
                row += CharOf(skin.Pixels[size_t(t * skin.Width + s)]);
            rows.push_back(row);
        }
        return rows;
    }
};

TEST(Brush, FootprintsAreSquareOrRoundWithoutLoneCells) {
    const struct {
        int size;
        bool round;
        Picture cells;
    } cases[] = {
        {0, false, {"#"}},  // held to 1
        {2, true, {"##", "##"}},
        {3, false, {"###", "###", "###"}},
        {3, true, {".#.", "###", ".#."}},
        {4, true, {".##.", "####", "####", ".##."}},
        {5, true, {".###.", "#####", "#####", "#####", ".###."}},
    };
    for (const auto& c : cases) {
        const Footprint f = MakeFootprint(c.size, c.round);
        Picture cells(size_t(f.Size), std::string(size_t(f.Size), '.'));
        for (int row = 0; row < f.Size; ++row) {
            for (int x = f.Left[row]; x <= f.Right[row]; ++x)
                cells[size_t(row)][size_t(x - f.First)] = '#';
        }
        EXPECT_EQ(cells, c.cells) << c.size << c.round;
        EXPECT_EQ(f.First, -(f.Size - 1) / 2);  // an even brush reaches further right and down
    }
    const Footprint big = MakeFootprint(99, true);
    EXPECT_EQ(big.Size, 16);
    EXPECT_EQ(big.Left[7], big.First);  // the middle rows are whole
    EXPECT_EQ(big.Right[0] - big.Left[0] + 1, 6);
}

// One use of a tool on a 7 x 5 skin (odd width) or a 6 x 5 one (even width).
struct ToolCase {
    const char* name;
    int tool, size, mirror, axis;
    Picture before;
    void (*use)(ToolStroke&, Workspace&);
    Picture after;
};

void PrintTo(const ToolCase& c, std::ostream* os) {
    *os << c.name;
}

class PaintTool : public ::testing::TestWithParam<ToolCase> {};

TEST_P(PaintTool, PaintsExactlyTheseTexelsAsOneStep) {
    const ToolCase& c = GetParam();
    Canvas canvas(c.before);
    Workspace& ws = canvas.ws;
    ws.Tool = c.tool;
    ws.BrushSize = c.size;
    ws.Mirror = c.mirror;
    ws.MirrorAxis = c.axis;
    ToolStroke stroke;
    stroke.Begin(ws, false, true);
    c.use(stroke, ws);
    std::unique_ptr<EditStep> step = stroke.End();
    EXPECT_EQ(canvas.Shown(), c.after);
    // One step takes all of it back, or none when nothing changed.
    ASSERT_EQ(step != nullptr, c.after != c.before);
    if (!step) return;
    History history;
    history.Push(std::move(step));
    history.Undo(ws);
    EXPECT_EQ(canvas.Shown(), c.before);
}

const Picture Plain7 = {".......", ".......", ".......", ".......", "......."};
const Picture Walls = {"..a....", "..a.L..", "aaa....", ".a.aaaa", "a.a...."};

INSTANTIATE_TEST_SUITE_P(
    Tools, PaintTool,
    ::testing::Values(ToolCase{"brush 3 across the corner",
                               ToolBrush,
                               3,
                               0,
                               -1,
                               Plain7,
                               [](ToolStroke& k, Workspace& ws) { k.Stamp(ws, 0, 0); },
                               {"##.....", "##.....", ".......", ".......", "......."}},
                      ToolCase{"brush 2 across the far edges",
                               ToolBrush,
                               2,
                               0,
                               -1,
                               Plain7,
                               [](ToolStroke& k, Workspace& ws) { k.Stamp(ws, 6, 4); },
                               {".......", ".......", ".......", ".......", "......#"}},
                      ToolCase{"a jump leaves no hole",
                               ToolBrush,
                               1,
                               0,
                               -1,
                               Plain7,
                               [](ToolStroke& k, Workspace& ws) { k.Line(ws, 0, 0, 6, 2, true); },
                               {"##.....", "..###..", ".....##", ".......", "......."}},
                      ToolCase{"a stroke's move keeps off its first texel",
                               ToolBrush,
                               1,
                               0,
                               -1,
                               Walls,
                               [](ToolStroke& k, Workspace& ws) { k.Line(ws, 0, 1, 6, 1, false); },
                               {"..a....", ".###L##", "aaa....", ".a.aaaa", "a.a...."}},
                      ToolCase{"fill: 4-connected, walls hold, diagonals do not leak",
                               ToolFill,
                               1,
                               0,
                               -1,
                               Walls,
                               [](ToolStroke& k, Workspace& ws) { k.Fill(ws, 1, 1); },
                               {"##a....", "##a.L..", "aaa....", ".a.aaaa", "a.a...."}},
                      ToolCase{"fill round a protected texel",
                               ToolFill,
                               1,
                               0,
                               -1,
                               Walls,
                               [](ToolStroke& k, Workspace& ws) { k.Fill(ws, 6, 0); },
                               {"..a####", "..a#L##", "aaa####", ".a.aaaa", "a.a...."}},
                      ToolCase{"fill from a protected texel", ToolFill, 1, 0, -1, Walls,
                               [](ToolStroke& k, Workspace& ws) { k.Fill(ws, 4, 1); }, Walls},
                      ToolCase{"replace every texel of the colour",
                               ToolReplace,
                               1,
                               0,
                               -1,
                               Walls,
                               [](ToolStroke& k, Workspace& ws) { k.Replace(ws, 2, 0); },
                               {"..#....", "..#.L..", "###....", ".#.####", "#.#...."}},
                      ToolCase{"replace never into a protected colour", ToolReplace, 1, 0, -1,
                               Walls,
                               [](ToolStroke& k, Workspace& ws) {
                                   ws.PaintColour = 5;
                                   k.Replace(ws, 0, 0);
                               },
                               Walls},
                      ToolCase{"mirror about the centre of an odd width",
                               ToolBrush,
                               1,
                               1,
                               -1,
                               Plain7,
                               [](ToolStroke& k, Workspace& ws) {
                                   k.Stamp(ws, 1, 0);
                                   k.Stamp(ws, 3, 1);
                               },
                               {".#...#.", "...#...", ".......", ".......", "......."}},
                      ToolCase{"mirror about the centre of an even width, brush 2",
                               ToolBrush,
                               2,
                               1,
                               -1,
                               {"......", "......", "......"},
                               [](ToolStroke& k, Workspace& ws) { k.Stamp(ws, 0, 0); },
                               {"##..##", "##..##", "......"}},
                      ToolCase{"mirror about a placed axis, off the skin past it",
                               ToolBrush,
                               1,
                               1,
                               4,
                               {"......", "......"},
                               [](ToolStroke& k, Workspace& ws) {
                                   k.Stamp(ws, 0, 0);
                                   k.Stamp(ws, 5, 1);
                               },
                               {"#..#..", ".....#"}},
                      ToolCase{"mirrored fill",
                               ToolFill,
                               1,
                               1,
                               -1,
                               Walls,
                               [](ToolStroke& k, Workspace& ws) { k.Fill(ws, 0, 4); },
                               {"..a....", "..a.L..", "aaa....", ".a.aaaa", "#.a####"}}));

TEST(PaintTool, FillAndReplaceCanKeepToTheSelectedTrianglesTexels) {
    for (int tool : {ToolFill, ToolReplace}) {
        Canvas canvas({".....", ".....", ".....", "....."});
        Workspace& ws = canvas.ws;
        ws.Tool = tool;
        ws.InSelection = 1;
        ws.NumTriangles = 2;
        ws.Triangles[0].Flags = Selected;
        ws.Triangles[0].CornerST[0] = {0, 0};
        ws.Triangles[0].CornerST[1] = {3, 0};
        ws.Triangles[0].CornerST[2] = {0, 3};
        ws.Triangles[1].CornerST[0] = {4, 3};  // not selected
        ToolStroke stroke;
        stroke.Begin(ws, false, true);
        tool == ToolFill ? stroke.Fill(ws, 0, 0) : stroke.Replace(ws, 4, 3);
        EXPECT_EQ(canvas.Shown(), (Picture{"####.", "###..", "##...", "#...."})) << tool;
    }
}

TEST(Shade, EachStepIsTheNextBrighterOrDarkerEntryOfTheRowNeverAProtectedOne) {
    // Row 0 a grey ramp upward, row 1 downward (index order is not brightness order).
    std::array<uint8_t, 768> palette{};
    for (int i = 0; i < 16; ++i) {
        for (int c = 0; c < 3; ++c) {
            palette[size_t(3 * i + c)] = uint8_t(16 * i);
            palette[size_t(3 * (16 + i) + c)] = uint8_t(255 - 16 * i);
        }
    }
    int32_t locks[256] = {};
    locks[3] = locks[20] = 1;
    const Ink up = ShadeInk(palette, locks, true), down = ShadeInk(palette, locks, false);
    const struct {
        int colour, brighter, darker;
    } cases[] = {
        {2, 4, 1},     // over the protected 3
        {4, 5, 2},     // and back down over it
        {15, 15, 14},  // the brightest stays
        {0, 1, 0},     // the darkest stays
        {16, 16, 17},  // row 1 runs the other way
        {21, 19, 22},  // over the protected 20
        {40, 40, 40},  // a row of equal entries: nothing brighter or darker
    };
    for (const auto& c : cases) {
        EXPECT_EQ(up[size_t(c.colour)], c.brighter) << c.colour;
        EXPECT_EQ(down[size_t(c.colour)], c.darker) << c.colour;
    }
}

TEST(Shade, AStrokeOverATexelTwiceStillMovesItOneStep) {
    Canvas canvas({"a.a"});
    Workspace& ws = canvas.ws;
    for (int i = 0; i < 768; ++i) ws.CurrentSkin->Palette[size_t(i)] = uint8_t(i / 3 * 10);
    ws.Tool = ToolShade;
    ToolStroke stroke;
    stroke.Begin(ws, false, true);
    stroke.Line(ws, 0, 0, 2, 0, true);
    stroke.Line(ws, 2, 0, 0, 0, false);
    EXPECT_EQ(ws.CurrentSkin->Pixels, (std::vector<uint8_t>{3, 2, 3}));
}

}  // namespace
}  // namespace varp
