// Whole renders of the demo model compared byte for byte with a slow reference.
//
// The reference is the skin view written the plain way, sharing no code with SkinBox: the view
// transform spelled out per point, the background and the pick reset as per-pixel loops, the
// skin as one four-corner polygon, and the overlay as one list of triangles stably sorted by the
// pass that outlines them. It draws with the rasterizer's own primitives (the polygon fillers,
// ClipLine and DrawLine), which are checked against their own slow model in the raster tests.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <ostream>
#include <vector>

#include "raster/Raster.h"
#include "views/OutlineColours.h"
#include "views/SamePixels.h"
#include "views/skin/SkinBox.h"
#include "views/skin/SkinTestSupport.h"

namespace varp {
namespace {

using test::SamePixels;

struct View {
    float panS, panT, zoom;
};

// Test names and failure reports show the view, not its raw bytes.
void PrintTo(const View& v, std::ostream* out) {
    *out << "pan " << v.panS << ", " << v.panT << ", zoom " << v.zoom;
}

struct Picture {
    std::vector<uint8_t> colour;
    std::vector<uint32_t> pick;
};

// Renders what a pane of width x height (width a multiple of 4) shows of `app` at `view`: the
// skin with pick recording, or, for `mapping`, without pick and with the outlines.
Picture ReferenceRender(const App& app, int width, int height, View view, bool mapping) {
    Picture p;
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    p.colour.resize(count);
    p.pick.resize(count);
    for (size_t i = 0; i < count; ++i) {
        p.colour[i] = app.BackgroundColour;
        p.pick[i] = 0xFFFFFFFFu;
    }
    const SkinImage* skin = app.CurrentSkin;
    if (skin == nullptr) return p;

    auto column = [&](double s) {
        return static_cast<int32_t>(std::trunc((s - view.panS) * view.zoom + width / 2));
    };
    auto row = [&](double t) {
        return static_cast<int32_t>(std::trunc(height / 2 - (t - view.panT) * view.zoom));
    };
    EdgeTable edges;
    RasterTarget target{p.colour.data(), nullptr, p.pick.data(), width, height, 0,
                        width - 1,       0,       height - 1,    &edges};

    const int w = app.SkinWidth, h = app.SkinHeight;
    TexVertex quad[5] = {{column(0), row(0), 0, 0},
                         {column(w - 1), row(0), (w - 1) * 1024, 0},
                         {column(w - 1), row(h - 1), (w - 1) * 1024, (h - 1) * 1024},
                         {column(0), row(h - 1), 0, (h - 1) * 1024},
                         {column(0), row(0), 0, 0}};
    if (!mapping) {
        DrawTexturedPolygonPick(target, quad, 4, skin->Pixels.data(), w);
        return p;
    }
    DrawTexturedPolygon(target, quad, 4, skin->Pixels.data(), w);

    struct Outline {
        int pass;
        int index;
    };
    std::vector<Outline> outlines;
    for (int i = 0; i < app.NumTriangles; ++i) {
        const uint32_t flags = app.Triangles[i].Flags;
        if (flags == 0) outlines.push_back({0, i});
        if (flags == 1) outlines.push_back({1, i});
        if (flags & 2) outlines.push_back({2, i});
    }
    std::stable_sort(outlines.begin(), outlines.end(),
                     [](const Outline& a, const Outline& b) { return a.pass < b.pass; });
    const test::OutlineColours c = test::OutlineColoursOf(skin->Palette, app.PaintColour);
    const uint8_t colours[3] = {c.plain, c.selected, c.grabbed};
    for (const Outline& o : outlines) {
        const ModelTriangle& tri = app.Triangles[o.index];
        const uint8_t colour = colours[o.pass];
        for (int k = 0; k < 3; ++k) {
            const SkinCoord a = tri.CornerST[k], b = tri.CornerST[(k + 1) % 3];
            int32_t line[4] = {column(a.s + 0.5), row(a.t + 0.5), column(b.s + 0.5),
                               row(b.t + 0.5)};
            if (ClipLine(target, line) == 1) DrawLine(target, line, colour);
        }
    }
    // Handles: the ring of pixels two from each corner of a selected triangle.
    for (int i = 0; i < app.NumTriangles; ++i) {
        if ((app.Triangles[i].Flags & 1) == 0) continue;
        for (const SkinCoord& k : app.Triangles[i].CornerST) {
            for (int n = 0; n < 25; ++n) {
                const int dx = n % 5 - 2, dy = n / 5 - 2;
                const int x = column(k.s + 0.5) + dx, y = row(k.t + 0.5) + dy;
                if ((std::abs(dx) == 2 || std::abs(dy) == 2) && x >= 0 && y >= 0 && x < width &&
                    y < height)
                    p.colour[size_t(y * width + x)] = c.grabbed;
            }
        }
    }
    return p;
}

struct SkinGoldenTest : ::testing::TestWithParam<View> {
    test::ScriptedPlatform sys;
    test::FakePaneHost host;
    test::TempDir dir;
    std::unique_ptr<App> app = test::AppWithSample(sys, dir);
};

TEST_P(SkinGoldenTest, FullRenderMatchesTheReference) {
    const View view = GetParam();
    for (auto [width, height] : {std::pair{320, 240}, std::pair{301, 199}}) {
        SkinBox box(*app, host);
        box.PanS = view.panS, box.PanT = view.panT, box.Zoom = view.zoom;
        app->BackgroundColour = 17;
        box.OnSize(width, height);
        const int pitch = box.BufferWidth;
        const Picture want = ReferenceRender(*app, pitch, height, view, false);
        EXPECT_TRUE(SamePixels(box.PixelBuffer, want.colour, pitch)) << width;
        EXPECT_TRUE(SamePixels(box.PickBuffer, want.pick, pitch)) << width;
    }
}

TEST_P(SkinGoldenTest, MappingRenderMatchesTheReferenceAndLeavesThePick) {
    const View view = GetParam();
    ASSERT_GT(app->NumTriangles, 100);
    // Every outline colour in play: untouched, selected, grabbed, and both.
    for (int i = 0; i < app->NumTriangles; ++i) {
        app->Triangles[i].Flags = static_cast<uint32_t>((i * 7) % 4);
    }
    app->PaintColour = 2;
    SkinBox box(*app, host);
    box.PanS = view.panS, box.PanT = view.panT, box.Zoom = view.zoom;
    box.OnSize(320, 240);
    const auto pick = box.PickBuffer;
    app->Mode = ModeMapping;
    box.Render(SkinBox::Kind::Full);
    const Picture want = ReferenceRender(*app, 320, 240, view, true);
    EXPECT_TRUE(SamePixels(box.PixelBuffer, want.colour, 320));
    EXPECT_EQ(box.PickBuffer, pick);
    // The overlay is there to compare: selected and grabbed outlines.
    const test::OutlineColours c = test::OutlineColoursOf(app->CurrentSkin->Palette, 2);
    EXPECT_GT(std::count(box.PixelBuffer.begin(), box.PixelBuffer.end(), c.selected), 50);
    EXPECT_GT(std::count(box.PixelBuffer.begin(), box.PixelBuffer.end(), c.grabbed), 50);
}

INSTANTIATE_TEST_SUITE_P(Views, SkinGoldenTest,
                         testing::Values(View{50.0f, 50.0f, 3.0f}, View{128.0f, 128.0f, 1.0f},
                                         View{200.5f, 30.25f, 7.5f}, View{-40.0f, 300.0f, 0.625f}));

}  // namespace
}  // namespace varp
