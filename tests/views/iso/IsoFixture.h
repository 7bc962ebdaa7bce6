// A 3D view over a hand-made model for tests: the fan of four triangles, or any other scene.
#pragma once

#include <cmath>
#include <cstdint>
#include <memory>
#include <tuple>
#include <vector>

#include "app/App.h"
#include "support/FakePaneHost.h"
#include "support/Md2Files.h"
#include "support/ScriptedPlatform.h"
#include "views/iso/IsoBox.h"

namespace varp::test {

inline constexpr unsigned L = MK_LBUTTON;
inline constexpr unsigned R = MK_RBUTTON;
inline constexpr unsigned Shift = MK_SHIFT;
inline constexpr unsigned Ctrl = MK_CONTROL;
inline constexpr uint32_t NoPick = IsoBox::NoPick;

// The fan: a square of side 40 facing the initial eye, cut into four triangles meeting at its
// centre: 0 top, 1 right, 2 bottom, 3 left, over an 8 x 8 skin whose texel i holds 16 + i. In
// the 200 x 100 view it spans columns 66 to 133 and rows 16 to 83. Points well inside each
// triangle, and one on the background:
inline constexpr ClientPoint Top{100, 30};
inline constexpr ClientPoint Top2{95, 25};
inline constexpr ClientPoint Right{120, 56};
inline constexpr ClientPoint Bottom{100, 70};
inline constexpr ClientPoint Left{80, 48};
inline constexpr ClientPoint Outside{10, 10};

struct IsoView {
    ScriptedPlatform platform;
    std::unique_ptr<App> app = std::make_unique<App>(platform);  // large: on the heap
    FakePaneHost host;
    std::unique_ptr<IsoBox> box = std::make_unique<IsoBox>(*app, host);

    // The fan in `mode`, PaintColour 200, BackgroundColour 250, sized 200 x 100 when `size`.
    explicit IsoView(int32_t mode = ModeMix, bool size = true) {
        host.pane = box.get();
        std::vector<uint8_t> texels(64);
        for (size_t i = 0; i < texels.size(); ++i) texels[i] = static_cast<uint8_t>(16 + i);
        SetModel({{0, -20, 20}, {0, 20, 20}, {0, 20, -20}, {0, -20, -20}, {0, 0, 0}},
                 {Tri(0, 1, 4, 0, 1, 4), Tri(1, 2, 4, 1, 2, 4), Tri(2, 3, 4, 2, 3, 4),
                  Tri(3, 0, 4, 3, 0, 4)},
                 {{0, 0}, {7, 0}, {7, 7}, {0, 7}, {4, 4}}, 8, 8, texels);
        app->Mode = mode;
        app->PaintColour = 200;
        app->BackgroundColour = 250;
        if (size) box->OnSize(200, 100);
    }

    // One frame of `vertices`, the triangles (Vertex and TexCoord set), the coordinate table and
    // one skin of width x height texels, row by row; the frame and the skin become current.
    void SetModel(const std::vector<Vec3>& vertices, const std::vector<ModelTriangle>& triangles,
                  const std::vector<SkinCoord>& coords, int width, int height,
                  const std::vector<uint8_t>& texels) {
        App& a = *app;
        a.Frames.clear();
        a.Skins.clear();
        a.Frames.push_back(std::make_unique<ModelFrame>());
        a.Frames[0]->Vertices = vertices;
        AddSkin(width, height, texels);
        a.NumVertices = static_cast<int16_t>(vertices.size());
        a.NumTriangles = static_cast<int16_t>(triangles.size());
        a.NumTexCoords = static_cast<int16_t>(coords.size());
        std::copy(coords.begin(), coords.end(), a.TexCoords);
        for (size_t t = 0; t < triangles.size(); ++t) {
            a.Triangles[t] = triangles[t];
            for (int k = 0; k < 3; ++k)
                a.Triangles[t].CornerST[k] = coords[triangles[t].TexCoord[k]];
        }
        a.ModelLoaded = 1;
        a.SelectFrame(0);
        a.SelectSkin(0);
    }
    // Adds a skin and makes it current, as a model with skins of that size would.
    void AddSkin(int width, int height, const std::vector<uint8_t>& texels) {
        app->Skins.push_back(std::make_unique<SkinImage>());
        SkinImage& skin = *app->Skins.back();
        skin.Pixels = texels;
        skin.Width = static_cast<int16_t>(width);
        skin.Height = static_cast<int16_t>(height);
        app->SkinWidth = static_cast<int16_t>(width);
        app->SkinHeight = static_cast<int16_t>(height);
        app->SelectSkin(static_cast<int>(app->Skins.size()) - 1);
    }

    std::vector<uint8_t>& Skin() { return app->CurrentSkin->Pixels; }
    size_t At(ClientPoint p) const {
        return static_cast<size_t>((box->BufferHeight - 1 - p.y) * box->BufferWidth + p.x);
    }
    // The drag state, whether the pane holds the capture, and the cursor display count.
    std::tuple<IsoBox::Drag, bool, int> State() const {
        return {box->DragState, host.capture, host.displayCount};
    }
    float Distance() const {
        const Camera& c = box->ViewCamera;
        return std::hypot(c.Eye[0] - c.Target[0], c.Eye[1] - c.Target[1], c.Eye[2] - c.Target[2]);
    }
    void Press(bool left, ClientPoint p, unsigned keys) {
        left ? box->OnLButtonDown(p, L | keys) : box->OnRButtonDown(p, R | keys);
    }
    void Release(bool left, ClientPoint p, unsigned flags) {
        left ? box->OnLButtonUp(p, flags) : box->OnRButtonUp(p, flags);
    }
};

}  // namespace varp::test
