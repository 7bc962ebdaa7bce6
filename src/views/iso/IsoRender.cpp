// The model renderer: camera space, triangle selection, depth range, the fillers and outlines.
#include <algorithm>
#include <cmath>

#include "views/Contrast.h"
#include "views/iso/IsoBox.h"

namespace varp {

void IsoBox::DrawModel(Kind kind) {
    const RasterTarget target = WholeTarget(DepthBuffer.data(), PickBuffer.data());
    const ModelFrame* frame = app_.CurrentFrame;
    const SkinImage* skin = app_.CurrentSkin;
    // Without a model the view shows only the background.
    if (frame == nullptr || skin == nullptr) return DrawInBands(kind, target, true, nullptr, skin);

    const int32_t w = BufferWidth, h = BufferHeight;
    const ViewSetup setup = ViewCamera.ViewSetup(w, h);
    // With the eye on the target there is no line of sight and nothing can be projected; the
    // view then shows only the background, and moving the camera away brings the model back.
    if (!IsUsable(setup)) return DrawInBands(kind, target, true, nullptr, skin);

    if (kind == Kind::Full && app_.Mirror != 0 && mirrorPick_.size() == PixelBuffer.size()) {
        DrawMirror(setup, *frame, *skin);
    }
    TransformVertices(setup, *frame);
    SelectTriangles();
    if (VisibleCount > 0) DepthScale = DepthRange / (MaxZ - MinZ);
    DrawInBands(kind, target, true, VisibleCount > 0 ? &setup : nullptr, skin);
}

void IsoBox::DrawMirror(const ViewSetup& setup, const ModelFrame& frame, const SkinImage& skin) {
    // The model mirrored about y = 0, drawn with its own texels: where it shows the same surface
    // as the model (a model symmetric about that plane), its pick names the texel of the
    // mirrored point. Its depths are its own; only its picks are read.
    TransformVertices(setup, frame, true);
    SelectTriangles(true);
    if (VisibleCount > 0) DepthScale = DepthRange / (MaxZ - MinZ);
    RasterTarget target = WholeTarget(mirrorDepth_.data(), mirrorPick_.data());
    target.Colour = mirrorColour_.data();
    DrawInBands(Kind::Full, target, false, VisibleCount > 0 ? &setup : nullptr, &skin);
    mirrorValid_ = true;
}

void IsoBox::TransformVertices(const ViewSetup& setup, const ModelFrame& frame, bool mirrored) {
    const size_t n = std::min({static_cast<size_t>(std::max<int16_t>(app_.NumVertices, 0)),
                               frame.Vertices.size(), CameraVertices.size()});
    for (size_t i = 0; i < n; ++i) {
        const Vec3& v = frame.Vertices[i];
        CameraVertex c = ToCamera(setup, mirrored ? Vec3{v[0], -v[1], v[2]} : v);
        // A frame may hold infinite or NaN positions (its scale and origin are read as they
        // stand). Such a corner is put behind the eye, so its triangles are dropped whole and
        // no non-finite value reaches the depth range or the projection.
        if (!std::isfinite(c.camX) || !std::isfinite(c.camY) || !std::isfinite(c.camZ)) {
            c = {0.0f, 0.0f, -1.0f};
        }
        CameraVertices[i] = c;
    }
}

void IsoBox::SelectTriangles(bool mirrored) {
    VisibleCount = 0;
    MinZ = 9999999999.0;
    MaxZ = -9999999999.0;
    const int count = std::clamp<int>(app_.NumTriangles, 0, MaxTriangles);
    for (int t = 0; t < count; ++t) {
        // The reader has checked every Vertex index against the frame's vertex count.
        const ModelTriangle& tri = app_.Triangles[t];
        const CameraVertex& a = CameraVertices[static_cast<size_t>(tri.Vertex[0])];
        const CameraVertex& b = CameraVertices[static_cast<size_t>(tri.Vertex[1])];
        const CameraVertex& c = CameraVertices[static_cast<size_t>(tri.Vertex[2])];
        // A triangle with any corner nearer than the near plane is dropped whole: there is no
        // 3D clipping of filled triangles.
        if (c.camZ < NearZ || b.camZ < NearZ || a.camZ < NearZ) continue;
        // A mirror image runs the other way round.
        if (mirrored ? !IsFrontFacing(a, c, b) : !IsFrontFacing(a, b, c)) continue;
        VisibleList[static_cast<size_t>(VisibleCount++)] = static_cast<int16_t>(t);
        MinZ = std::min({MinZ, double{a.camZ}, double{b.camZ}, double{c.camZ}});
        MaxZ = std::max({MaxZ, double{a.camZ}, double{b.camZ}, double{c.camZ}});
    }
}

void IsoBox::ProjectCorners(const ViewSetup& setup) {
    for (int32_t k = 0; k < VisibleCount; ++k) {
        const ModelTriangle& tri = app_.Triangles[VisibleList[static_cast<size_t>(k)]];
        for (const int16_t i : tri.Vertex) {
            const CameraVertex& p = CameraVertices[static_cast<size_t>(i)];
            const ProjectedPoint xy = Project(setup, p);
            corners_[static_cast<size_t>(i)] = {xy.x, xy.y,
                                                QuantiseDepth(p.camZ, MinZ, DepthScale) * 64};
        }
    }
}

bool IsoBox::ReachesBand(const ModelTriangle& tri, const RasterTarget& target) const {
    const int32_t a = corners_[static_cast<size_t>(tri.Vertex[0])].y;
    const int32_t b = corners_[static_cast<size_t>(tri.Vertex[1])].y;
    const int32_t c = corners_[static_cast<size_t>(tri.Vertex[2])].y;
    return std::max({a, b, c}) >= target.BandTop && std::min({a, b, c}) <= target.BandBottom;
}

void IsoBox::DrawTriangles(Kind kind, const RasterTarget& target, const SkinImage& skin) {
    const uint8_t* texture = skin.Pixels.data();
    const int32_t pitch = app_.SkinWidth;
    TexDepthVertex v[4];
    for (int32_t k = 0; k < VisibleCount; ++k) {
        const int t = VisibleList[static_cast<size_t>(k)];
        const ModelTriangle& tri = app_.Triangles[t];
        if (!ReachesBand(tri, target)) continue;  // most triangles miss a band
        for (int j = 0; j < 3; ++j) {
            // The rasterizer needs every coordinate inside the skin. The MD2 reader pulls any
            // coordinate outside the skin onto its edge, and a mapping drag keeps its moving
            // point inside, so the table is used as it stands.
            const SkinCoord e = app_.TexCoords[tri.TexCoord[j]];
            const ScreenCorner& c = corners_[static_cast<size_t>(tri.Vertex[j])];
            v[j] = {c.x, c.y, e.s * 64, e.t * 64, c.z};
        }
        v[3] = v[0];
        switch (kind) {
            case Kind::Full:
                DrawTexturedPolygonDepthPick(target, v, 3, texture, pitch);
                break;
            case Kind::Quick:
                DrawTexturedPolygonDepth(target, v, 3, texture, pitch);
                break;
            default:  // Mapping
                DrawTexturedPolygonDepthId(target, v, 3, texture, pitch, static_cast<uint32_t>(t));
                break;
        }
    }
}

void IsoBox::DrawOutlines(const ViewSetup& setup, const RasterTarget& target) {
    // Unselected first, then selected, then grabbed (selected or not) over both. Each outline is
    // drawn only over its own triangle's pixels, so outlines never share a pixel and the passes
    // decide nothing but the colours.
    // The paint colour, and against a skin of any colours the palette's entries farthest from
    // it (selected) and from both (grabbed).
    const std::array<uint8_t, 768>& palette = app_.CurrentSkin->Palette;
    const uint8_t colour = app_.PaintColour;
    const uint8_t selected = FarthestEntry(palette, colour);
    const uint8_t grabbed = FarthestEntry(palette, colour, selected);
    for (int32_t k = 0; k < VisibleCount; ++k) {
        const int t = VisibleList[static_cast<size_t>(k)];
        if (app_.Triangles[t].Flags == 0) DrawOutline(t, colour, setup, target);
    }
    for (int32_t k = 0; k < VisibleCount; ++k) {
        const int t = VisibleList[static_cast<size_t>(k)];
        if (app_.Triangles[t].Flags == Selected) DrawOutline(t, selected, setup, target);
    }
    for (int32_t k = 0; k < VisibleCount; ++k) {
        const int t = VisibleList[static_cast<size_t>(k)];
        if ((app_.Triangles[t].Flags & Grabbed) != 0) DrawOutline(t, grabbed, setup, target);
    }
}

void IsoBox::DrawOutline(int t, uint8_t colour, const ViewSetup& setup,
                         const RasterTarget& target) {
    const ModelTriangle& tri = app_.Triangles[t];
    if (!ReachesBand(tri, target)) return;
    for (int k = 1; k <= 3; ++k) {
        const CameraVertex& p0 = CameraVertices[static_cast<size_t>(tri.Vertex[k - 1])];
        const CameraVertex& p1 = CameraVertices[static_cast<size_t>(tri.Vertex[k % 3])];
        float segment[6] = {p0.camX, p0.camY, p0.camZ, p1.camX, p1.camY, p1.camZ};
        if (ClipSegmentNear(segment) == 0) continue;
        const ProjectedPoint a = Project(setup, {segment[0], segment[1], segment[2]});
        const ProjectedPoint b = Project(setup, {segment[3], segment[4], segment[5]});
        int32_t line[4] = {a.x, a.y, b.x, b.y};
        if (ClipLine(target, line) == 1) {
            DrawLineOverId(target, line, colour, static_cast<uint32_t>(t));
        }
    }
}

}  // namespace varp
