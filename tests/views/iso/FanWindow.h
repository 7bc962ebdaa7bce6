// A real main window over a small model read from an MD2 file, for driving the 3D view's mouse
// through the refresh hub.
#pragma once

#include <vector>

#include "frame/Commands.h"
#include "support/Md2Files.h"
#include "support/TestWindow.h"
#include "views/iso/IsoBox.h"
#include "views/skin/SkinBox.h"

namespace varp::test {

// A square of side 40 facing the initial eye, cut into four triangles meeting at its centre
// (0 top, 1 right, 2 bottom, 3 left), each triangle with mapping points of its own corners:
// the top and right triangles share the corner points 1 (7, 0) and 4, the centre (4, 4).
inline TestModel FanModel() {
    TestModel m;
    m.skins = {"fan\\skin.pcx"};
    m.coords = {{0, 0}, {7, 0}, {7, 7}, {0, 7}, {4, 4}};
    m.triangles = {Tri(0, 1, 4, 0, 1, 4), Tri(1, 2, 4, 1, 2, 4), Tri(2, 3, 4, 2, 3, 4),
                   Tri(3, 0, 4, 3, 0, 4)};
    m.numVertices = 5;
    TestFrame f;
    f.name = "base01";
    f.translate[1] = -20.0f;
    f.translate[2] = -20.0f;
    f.vertices = {{{0, 0, 40}}, {{0, 40, 40}}, {{0, 40, 0}}, {{0, 0, 0}}, {{0, 20, 20}}};
    m.frames.push_back(f);
    return m;
}

struct FanWindow : TestWindow {
    // In the 800 x 600 window the 3D view is 192 x 358 with the square's centre at (96, 178),
    // about 3.24 pixels per unit: points well inside each triangle.
    static constexpr ClientPoint Top{96, 146};
    static constexpr ClientPoint Right{128, 180};
    static constexpr ClientPoint Bottom{96, 210};
    static constexpr ClientPoint Left{64, 176};

    FanWindow() {
        Open(FanModel(), "fan");
        app->PaintColour = 200;
    }

    IsoBox& Model() { return wnd->ModelView(); }
    SkinBox& Skin() { return wnd->SkinView(); }
    std::vector<uint8_t>& Texels() { return app->CurrentSkin->Pixels; }
};

}  // namespace varp::test
