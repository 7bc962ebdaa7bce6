// varp-tool render: one pane of the editor drawn by its own renderer into a PNG, after the
// camera or view moves a mouse drag would make. Thumbnails in batch, and a look without a window.
#include <QImage>
#include <cstdio>
#include <memory>
#include <string>

#include "app/App.h"
#include "cli/Args.h"
#include "cli/Commands.h"
#include "commands/ModelFiles.h"
#include "frame/MappingCommands.h"
#include "platform/ConsolePlatform.h"
#include "views/Blit.h"
#include "views/iso/IsoBox.h"
#include "views/palette/PalBox.h"
#include "views/skin/SkinBox.h"

namespace varp::cli {

namespace {

// A pane with no window around it: nothing to capture, redraw or notify.
class OffscreenHost final : public PaneHost {
  public:
    void SetCapture() override {}
    void ReleaseCapture() override {}
    bool HoldsCapture() override { return false; }
    int ShowCursor(bool show) override { return show ? 0 : -1; }
    void SetCursorPos(ClientPoint) override {}
    void ClientSize(int* w, int* h) override { *w = *h = 0; }
    void RedrawNow() override {}
    void SendRefresh(Refresh) override {}
};

bool ParsePair(const std::string* text, int* a, int* b) {
    if (text == nullptr) return false;
    return std::sscanf(text->c_str(), "%d,%d", a, b) == 2;
}

bool ParseInt(const std::string* text, int* value) {
    if (text == nullptr) return false;
    char extra;
    return std::sscanf(text->c_str(), "%d%c", value, &extra) == 1;
}

const char* const Usage =
    "usage: varp-tool render [--base DIR] MODEL.md2 --view iso|skin|palette --size WxH "
    "--out FILE.png\n"
    "       [--frame N] [--skin K] [--mode mix|paint|camera|mapping] [--select all|none|invert]\n"
    "       [--orbit DX,DY] [--look DX,DY] [--dolly DY] [--fov DX] [--pan DX,DY] [--zoom DY]\n"
    "       [--paint-colour C] [--background C]\n";

int Fail(const std::string& why) {
    std::fprintf(stderr, "varp-tool: %s\n%s", why.c_str(), Usage);
    return 2;
}

// Applies the Workspace options: frame, skin, mode, selection, colours.
std::string ApplyWorkspace(const Args& args, App& app) {
    int n = 0;
    if (const std::string* s = args.Option("frame")) {
        if (!ParseInt(s, &n) || n < 0 || n >= static_cast<int>(app.Frames.size())) {
            return "no frame " + *s;
        }
        app.SelectFrame(n);
    }
    if (const std::string* s = args.Option("skin")) {
        if (!ParseInt(s, &n) || n < 0 || n >= static_cast<int>(app.Skins.size())) {
            return "no skin " + *s;
        }
        app.SelectSkin(n);
    }
    if (const std::string* s = args.Option("mode")) {
        const char* names[] = {"mix", "paint", "camera", "mapping"};
        int mode = -1;
        for (int m = 0; m < 4; ++m) {
            if (*s == names[m]) mode = m;
        }
        if (mode < 0) return "unknown mode " + *s;
        app.Mode = mode;
    }
    if (const std::string* s = args.Option("select")) {
        if (*s == "all")
            SelectAllTriangles(app);
        else if (*s == "none")
            SelectNoTriangles(app);
        else if (*s == "invert")
            InvertTriangleSelection(app);
        else
            return "unknown selection " + *s;
    }
    if (const std::string* s = args.Option("paint-colour")) {
        if (!ParseInt(s, &n) || n < 0 || n > 255) return "paint colour must be 0 to 255";
        app.PaintColour = static_cast<uint8_t>(n);
    }
    if (const std::string* s = args.Option("background")) {
        if (!ParseInt(s, &n) || n < 0 || n > 255) return "background must be 0 to 255";
        app.BackgroundColour = static_cast<uint8_t>(n);
    }
    return std::string();
}

// The camera moves of the 3D view's drags, in the order orbit, look, dolly, field of view.
void ApplyCamera(const Args& args, Camera& camera) {
    int dx = 0, dy = 0;
    if (ParsePair(args.Option("orbit"), &dx, &dy)) {
        camera.BeginOrbit();
        camera.Orbit(dx, dy);
    }
    if (ParsePair(args.Option("look"), &dx, &dy)) {
        camera.BeginLook();
        camera.Look(dx, dy);
    }
    if (ParseInt(args.Option("dolly"), &dy)) camera.Dolly(dy);
    if (ParseInt(args.Option("fov"), &dx)) camera.ZoomFieldOfView(dx);
}

}  // namespace

int RenderCommand(int argc, char** argv) {
    const Args args =
        ParseArgs(argc, argv, 2,
                  {"base", "view", "size", "out", "frame", "skin", "mode", "select", "orbit",
                   "look", "dolly", "fov", "pan", "zoom", "paint-colour", "background"},
                  {});
    if (!args.error.empty()) return Fail(args.error);
    const std::string* view = args.Option("view");
    const std::string* out = args.Option("out");
    int width = 0, height = 0;
    if (args.positional.size() != 1 || view == nullptr || out == nullptr)
        return Fail("missing arguments");
    if (args.Option("size") == nullptr ||
        std::sscanf(args.Option("size")->c_str(), "%dx%d", &width, &height) != 2 || width < 1 ||
        height < 1 || width > 16384 || height > 16384) {
        return Fail("--size must be WxH, each 1 to 16384");
    }
    if (*view != "iso" && *view != "skin" && *view != "palette")
        return Fail("unknown view " + *view);

    ConsolePlatform sys(Answer::No);
    auto app = std::make_unique<App>(sys);
    app->BaseFolder = BaseFolderOf(args);
    if (!LoadModel(*app, ModelPathOf(args.positional[0]))) return 1;
    const std::string problem = ApplyWorkspace(args, *app);
    if (!problem.empty()) return Fail(problem);

    OffscreenHost host;
    std::unique_ptr<Pane> pane;
    if (*view == "iso") {
        auto iso = std::make_unique<IsoBox>(*app, host);
        ApplyCamera(args, iso->ViewCamera);
        iso->OnSize(width, height);
        iso->Render(IsoBox::Kind::Full);
        pane = std::move(iso);
    } else if (*view == "skin") {
        auto skin = std::make_unique<SkinBox>(*app, host);
        int dx = 0, dy = 0;
        if (ParsePair(args.Option("pan"), &dx, &dy)) skin->PanBy(dx, dy);
        if (ParseInt(args.Option("zoom"), &dy)) skin->ZoomBy(dy);
        skin->OnSize(width, height);
        skin->Render(SkinBox::Kind::Full);
        pane = std::move(skin);
    } else {
        auto palette = std::make_unique<PalBox>(*app, host);
        palette->OnSize(width, height);
        palette->Render();
        pane = std::move(palette);
    }
    if (pane->Width() < width || pane->Height() != height) {
        std::fprintf(stderr, "varp-tool: not enough memory for a %dx%d pane\n", width, height);
        return 1;
    }

    uint32_t table[256];
    PaneColourTable(*app, table);
    QImage image(width, height, QImage::Format_RGB32);
    BlitPane(pane->Pixels(), pane->Width(), pane->Height(), table, 0, 0, width, height,
             reinterpret_cast<uint32_t*>(image.bits()), static_cast<int>(image.bytesPerLine() / 4));
    if (!image.save(QString::fromStdString(*out), "PNG")) {
        std::fprintf(stderr, "varp-tool: cannot write %s\n", out->c_str());
        return 1;
    }
    return 0;
}

}  // namespace varp::cli
