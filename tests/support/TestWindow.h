// A real main window over fake pane hosts, for tests that drive the panes through the refresh
// hub: every pane refresh reaches MainWnd::OnRefresh synchronously, and what the window queues
// runs when the test drains the frame host. Suites that use it link varp_frame.
#pragma once

#include <memory>
#include <string>

#include "frame/MainWnd.h"
#include "support/FakePaneHost.h"
#include "support/Md2Files.h"
#include "support/ScriptedFrameHost.h"
#include "support/ScriptedPlatform.h"
#include "support/TempDir.h"

namespace varp::test {

struct TestWindow {
    TestWindow() : app(std::make_unique<App>(sys)) {}

    // Writes the model as FOLDER/tris.md2 with an 8 x 8 skin FOLDER/skin.pcx under the base
    // folder, makes it the last model of the settings, and creates the window, which reads it.
    // What the creation queued is run and the redraws so far forgotten.
    void Open(const TestModel& model, const std::string& folder) {
        dir.Write(folder + "/tris.md2", MakeMd2(model));
        dir.Write(folder + "/skin.pcx", MakePcx(8, 8));
        OpenAt(dir.SystemPath(), dir.SystemPath() + "\\" + folder + "\\tris.md2");
    }

    // Creates the window on the model `file` under the base folder `base` (system paths).
    void OpenAt(const std::string& base, const std::string& file) {
        sys.settings["Project/BaseDir"] = base;
        sys.settings["Project/CurFile"] = file;
        wnd = std::make_unique<MainWnd>(*app, frame, modelHost, skinHost, paletteHost);
        frame.wnd = wnd.get();
        frame.hosts = {{Child::ModelView, &modelHost},
                       {Child::SkinView, &skinHost},
                       {Child::PaletteView, &paletteHost}};
        modelHost.pane = &wnd->PaneOf(Child::ModelView);
        skinHost.pane = &wnd->PaneOf(Child::SkinView);
        paletteHost.pane = &wnd->PaneOf(Child::PaletteView);
        for (FakePaneHost* h : {&modelHost, &skinHost, &paletteHost}) {
            h->onRefresh = [this](Refresh kind) { wnd->OnRefresh(kind); };
        }
        wnd->OnCreateClient();
        frame.Drain();
        frame.redraws.clear();
    }

    // A menu command as the user gives it, with what it queues run.
    void Command(int id) {
        wnd->OnCommand(id);
        frame.Drain();
        frame.redraws.clear();
    }

    TempDir dir;
    ScriptedPlatform sys;
    std::unique_ptr<App> app;
    ScriptedFrameHost frame;
    FakePaneHost modelHost, skinHost, paletteHost;
    std::unique_ptr<MainWnd> wnd;
};

}  // namespace varp::test
