// Menu icons: a small front view drawn by the 3D view's own renderer, written as a PCX file.
#include "frame/MenuIcon.h"

#include <algorithm>
#include <cmath>

#include "app/BaseFolder.h"
#include "app/FileBytes.h"
#include "formats/Pcx.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "views/OffscreenHost.h"
#include "views/iso/IsoBox.h"

namespace varp {

namespace {

constexpr double Pi = 3.14159265358979323846;
// Pixels the model may span across the icon: two to spare at each edge, since the projection
// truncates and a corner on the exact edge of the span may fall a pixel further out.
constexpr double Span = MenuIconSize - 4;

// A camera in front of the frame that fits it into the icon.
void FrameModel(const ModelFrame& frame, int vertices, Camera& camera) {
    Vec3 low{1e30f, 1e30f, 1e30f}, high{-1e30f, -1e30f, -1e30f};
    const int n = std::min<int>(vertices, static_cast<int>(frame.Vertices.size()));
    for (int i = 0; i < n; ++i) {
        for (int c = 0; c < 3; ++c) {
            low[c] = std::min(low[c], frame.Vertices[static_cast<size_t>(i)][c]);
            high[c] = std::max(high[c], frame.Vertices[static_cast<size_t>(i)][c]);
        }
    }
    if (n == 0) return;
    const double depth = high[0] - low[0];
    const double width = high[1] - low[1];
    const double height = high[2] - low[2];
    const double distance = 4.0 * std::max({depth, width, height, 1.0});
    // Nearer parts look larger: the box's front face is half its depth nearer than the target.
    const double seen = std::max(width, height) * distance / (distance - depth / 2);
    for (int c = 0; c < 3; ++c) camera.Target[c] = (low[c] + high[c]) / 2;
    camera.Eye = camera.Target;
    camera.Eye[0] += static_cast<float>(distance);
    const double halfAngle = std::atan(seen * MenuIconSize / (2 * distance * Span));
    camera.FieldOfView = static_cast<float>(std::clamp(2 * halfAngle * 180 / Pi, 1.0, 120.0));
}

}  // namespace

std::vector<uint8_t> RenderMenuIcon(App& app) {
    if (app.CurrentFrame == nullptr || app.CurrentSkin == nullptr) return {};
    // The view draws as it would in Mix mode, on background 0; the user's choices come back.
    const int32_t mode = app.Mode;
    const uint8_t background = app.BackgroundColour;
    app.Mode = ModeMix;
    app.BackgroundColour = 0;
    OffscreenHost host;
    IsoBox view(app, host);
    FrameModel(*app.CurrentFrame, app.NumVertices, view.ViewCamera);
    view.OnSize(MenuIconSize, MenuIconSize);
    view.Render(IsoBox::Kind::Full);
    app.Mode = mode;
    app.BackgroundColour = background;
    if (view.Width() != MenuIconSize || view.Height() != MenuIconSize) return {};
    // The pane's rows run bottom up; the file's top down.
    std::vector<uint8_t> icon(MenuIconSize * MenuIconSize);
    for (int y = 0; y < MenuIconSize; ++y) {
        std::copy_n(view.Pixels() + (MenuIconSize - 1 - y) * MenuIconSize, MenuIconSize,
                    icon.begin() + y * MenuIconSize);
    }
    return icon;
}

std::string MenuIconPath(const std::string& skinPath) {
    const std::string path = ToSystemForm(skinPath);
    const size_t slash = path.rfind('\\');
    const size_t dot = path.rfind('.');
    const bool hasExtension =
        dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return (hasExtension ? path.substr(0, dot) : path) + "_i.pcx";
}

void SkinMakeMenuIcon(App& app) {
    SkinImage* skin = app.CurrentSkin;
    if (skin == nullptr || app.CurrentFrame == nullptr) return;
    Platform& sys = app.Sys;
    if (skin->OnDisk == 0) {
        sys.MessageBox("Save the skin first: its menu icon goes beside its file.", Buttons::Ok,
                       Icon::Exclamation);
        return;
    }
    const std::string path = MenuIconPath(skin->Path);
    if ((skin->Flags & Unlinked) == 0 && !IsWritableUnderBase(path, app.BaseFolder)) {
        sys.MessageBox("The menu icon " + ToOsForm(path) + " would lie outside your base folder.",
                       Buttons::Ok, Icon::Exclamation);
        return;
    }
    const std::vector<uint8_t> icon = RenderMenuIcon(app);
    if (icon.empty()) return;
    // A skin still in a pak has no folder of its own yet.
    if (skin->OnDisk == InPak) MakeFolders(FolderOf(path));
    if (WriteWholeFile(sys, path,
                       EncodePcx(icon.data(), MenuIconSize, MenuIconSize, skin->Palette.data()))) {
        sys.MessageBox("The menu icon is saved as " + ToOsForm(path) + ".", Buttons::Ok,
                       Icon::Information);
    }
}

}  // namespace varp
