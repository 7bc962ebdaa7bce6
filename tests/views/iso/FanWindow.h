// A real main window over a small model read from an MD2 file, for driving the 3D view's mouse
// through the refresh hub: every pane refresh reaches MainWnd::OnRefresh synchronously.
#pragma once

#include <memory>

#include "frame/Commands.h"
#include "frame/MainWnd.h"
#include "support/FakePaneHost.h"
#include "support/Md2Files.h"
#include "support/ScriptedFrameHost.h"
#include "support/ScriptedPlatform.h"
#include "support/TempDir.h"
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

struct FanWindow {
    // In the 800 x 600 window the 3D view is 192 x 358 with the square's centre at (96, 178),
    // about 3.24 pixels per unit: points well inside each triangle.
    static constexpr ClientPoint Top{96, 146};
    static constexpr ClientPoint Right{128, 180};
    static constexpr ClientPoint Bottom{96, 210};
    static constexpr ClientPoint Left{64, 176};

    FanWindow() : app(std::make_unique<App>(sys)) {
        dir.Write("fan/tris.md2", MakeMd2(FanModel()));
        dir.Write("fan/skin.pcx", MakePcx(8, 8));
        sys.settings["Project/BaseDir"] = dir.SystemPath();
        sys.settings["Project/CurFile"] = dir.SystemPath() + "\\fan\\tris.md2";
        wnd = std::make_unique<MainWnd>(*app, frame, modelHost, skinHost, paletteHost);
        frame.wnd = wnd.get();
        frame.hosts = {{Child::ModelView, &modelHost},
                       {Child::SkinView, &skinHost},
                       {Child::PaletteView, &paletteHost}};
        modelHost.pane = &wnd->PaneOf(Child::ModelView);
        skinHost.pane = &wnd->PaneOf(Child::SkinView);
        paletteHost.pane = &wnd->PaneOf(Child::PaletteView);
        for (FakePaneHost* h : {&modelHost, &skinHost, &paletteHost}) {
            h->onRefresh = [this](int kind) { wnd->OnRefresh(kind); };
        }
        wnd->OnCreateClient();
        frame.Drain();
        frame.redraws.clear();
        app->PaintColour = 200;
    }

    // A mode command as the user gives it, with the refresh it queues handled.
    void Command(int id) {
        wnd->OnCommand(id);
        frame.Drain();
        frame.redraws.clear();
    }

    IsoBox& Model() { return wnd->ModelView(); }
    SkinBox& Skin() { return wnd->SkinView(); }
    std::vector<uint8_t>& Texels() { return app->CurrentSkin->Pixels; }

    TempDir dir;
    ScriptedPlatform sys;
    std::unique_ptr<App> app;
    ScriptedFrameHost frame;
    FakePaneHost modelHost, skinHost, paletteHost;
    std::unique_ptr<MainWnd> wnd;
};

}  // namespace varp::test
