// The paint tools' texels, drawn as pictures: '.' and 'a' are colours 1 and 2, 'L' the protected
// colour 5, '#' the paint colour 9.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/History.h"
#include "edit/PaintTools.h"

namespace varp {
namespace {

using Picture = std::vector<std::string>;

const std::string Key = "?.a??L???#";  // the character of each colour

struct Canvas {
    Workspace ws;
    explicit Canvas(const Picture& rows) {
        auto skin = std::make_unique<SkinImage>();
        skin->Width = static_cast<int16_t>(rows[0].size());
        skin->Height = static_cast<int16_t>(rows.size());
        for (const std::string& row : rows) {
            for (char c : row) skin->Pixels.push_back(uint8_t(Key.find(c)));
        }
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
                row += Key.at(skin.Pixels[size_t(t * skin.Width + s)]);
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
    EXPECT_EQ(MakeFootprint(99, true).Size, 16);
}

// Uses of a tool, each as one stroke, written as a script: "S s t" stamps the brush, "L s0 t0
// s1 t1" draws the line, "M ..." the same without its first texel (a stroke's move), "F s t"
// fills, "R s t" replaces, "P c" sets the paint colour; a leading "I" keeps Fill and Replace to
// the selected triangles.
void Use(ToolStroke& k, Workspace& ws, const char* script) {
    std::istringstream in(script);
    char op = 0;
    int a = 0, b = 0, c = 0, d = 0;
    while (in >> op) {
        if (op == 'I') continue;  // read before the stroke begins
        if (op == 'P') {
            in >> a;
            ws.PaintColour = uint8_t(a);
            continue;
        }
        in >> a >> b;
        if (op == 'L' || op == 'M') in >> c >> d;
        if (op == 'S') k.Stamp(ws, a, b);
        if (op == 'L' || op == 'M') k.Line(ws, a, b, c, d, op == 'L');
        if (op == 'F') k.Fill(ws, a, b);
        if (op == 'R') k.Replace(ws, a, b);
    }
}

// Rows of a picture joined with '/'.
Picture Rows(const std::string& joined) {
    Picture rows(1);
    for (char c : joined) {
        if (c == '/') {
            rows.emplace_back();
        } else {
            rows.back().push_back(c);
        }
    }
    return rows;
}

TEST(PaintTool, EachUsePaintsExactlyTheseTexelsAsOneStep) {
    const char* plain = "......./......./......./......./.......";
    const char* walls = "..a..../..a.L../aaa..../.a.aaaa/a.a....";
    const struct {
        const char* script;
        int tool, size, mirror, axis;
        const char *before, *after;
    } cases[] = {
        // Brushes across the corner and the far edges; a jump leaves no hole; a move keeps off
        // its first texel and off protected ones.
        {"S 0 0", ToolBrush, 3, 0, -1, plain, "##...../##...../......./......./......."},
        {"S 6 4", ToolBrush, 2, 0, -1, plain, "......./......./......./......./......#"},
        {"L 0 0 6 2", ToolBrush, 1, 0, -1, plain, "##...../..###../.....##/......./......."},
        {"M 0 1 6 1", ToolBrush, 1, 0, -1, walls, "..a..../.###L##/aaa..../.a.aaaa/a.a...."},
        // Fill: 4-connected, walls hold, diagonals do not leak; round a protected texel; from
        // one, nothing.
        {"F 1 1", ToolFill, 1, 0, -1, walls, "##a..../##a.L../aaa..../.a.aaaa/a.a...."},
        {"F 6 0", ToolFill, 1, 0, -1, walls, "..a####/..a#L##/aaa####/.a.aaaa/a.a...."},
        {"F 4 1", ToolFill, 1, 0, -1, walls, walls},
        // Replace every texel of the colour, never into a protected colour.
        {"R 2 0", ToolReplace, 1, 0, -1, walls, "..#..../..#.L../###..../.#.####/#.#...."},
        {"P 5 R 0 0", ToolReplace, 1, 0, -1, walls, walls},
        // Mirror: odd width (the centre column is its own image), even width, a placed axis
        // with an image off the skin, and a fill whose mirrored seed fills its own region.
        {"S 1 0 S 3 1", ToolBrush, 1, 1, -1, plain, ".#...#./...#.../......./......./......."},
        {"S 0 0", ToolBrush, 2, 1, -1, "....../....../......", "##..##/##..##/......"},
        {"S 0 0 S 5 1", ToolBrush, 1, 1, 4, "....../......", "#..#../.....#"},
        {"F 0 4", ToolFill, 1, 1, -1, walls, "..a..../..a.L../aaa..../.a.aaaa/#.a####"},
        // Only inside the selected triangle (0, 0) (3, 0) (0, 3); the other one is not.
        {"I F 0 0", ToolFill, 1, 0, -1, plain, "####.../###..../##...../#....../......."},
        {"I R 6 4", ToolReplace, 1, 0, -1, plain, "####.../###..../##...../#....../......."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script);
        Canvas canvas(Rows(c.before));
        Workspace& ws = canvas.ws;
        ws.Tool = c.tool;
        ws.BrushSize = c.size;
        ws.Mirror = c.mirror;
        ws.MirrorAxis = c.axis;
        ws.InSelection = c.script[0] == 'I';
        ws.NumTriangles = 2;
        ws.Triangles[0].Flags = Selected;
        ws.Triangles[0].CornerST[1] = {3, 0};
        ws.Triangles[0].CornerST[2] = {0, 3};
        ToolStroke stroke;
        stroke.Begin(ws, false, true);
        Use(stroke, ws, c.script);
        std::unique_ptr<EditStep> step = stroke.End();
        EXPECT_EQ(canvas.Shown(), Rows(c.after));
        // One step takes all of it back, or none when nothing changed.
        ASSERT_EQ(step != nullptr, std::string(c.after) != c.before);
        if (!step) continue;
        History history;
        history.Push(std::move(step));
        history.Undo(ws);
        EXPECT_EQ(canvas.Shown(), Rows(c.before));
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
        {2, 4, 1},    {4, 5, 2},     // over the protected 3 and back
        {15, 15, 14}, {0, 1, 0},     // the brightest and the darkest stay
        {16, 16, 17}, {21, 19, 22},  // row 1 runs the other way, over the protected 20
        {40, 40, 40},                // a row of equal entries: nothing brighter or darker
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
