// The 3D view's buffers: construction, resizing, the render kinds and the colour-only updates.
#include "views/iso/IsoBox.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace varp {

IsoBox::IsoBox(App& app, PaneHost& host)
    : Pane(app, host), bandEdges_(static_cast<size_t>(bandPool_.Threads())) {
    // 32 x 32 placeholders until the first size change; nothing draws into them, because
    // Render does nothing while the sizes are -1.
    PixelBuffer.resize(32 * 32);
    DepthBuffer.resize(32 * 32);
    PickBuffer.resize(32 * 32);
}

void IsoBox::OnSize(int cx, int cy) {
    clientWidth_ = std::max(cx, 0);
    const bool replaced = ReplaceBuffers(
        cx, cy,
        [this] {
            PixelBuffer = {};
            DepthBuffer = {};
            PickBuffer = {};
            mirrorColour_ = {};
            mirrorDepth_ = {};
            mirrorPick_ = {};
            pickHolds_ = PickMeaning::Nothing;
            mirrorValid_ = false;
        },
        [this, cy](size_t n) {
            PixelBuffer.resize(n);
            DepthBuffer.resize(n);
            PickBuffer.resize(n);
            for (EdgeTable& edges : bandEdges_) edges.Reserve(std::clamp(cy, 0, MaxBufferHeight));
            if (app_.Mirror != 0) {
                mirrorColour_.resize(n);
                mirrorDepth_.resize(n);
                mirrorPick_.resize(n);
            }
        });
    if (replaced) Render(Kind::Full);
}

void IsoBox::MirrorChanged() {
    mirrorValid_ = false;
    const size_t n = PixelBuffer.size();
    if (app_.Mirror == 0 || BufferWidth <= 0 || BufferHeight <= 0) {
        mirrorColour_ = {};
        mirrorDepth_ = {};
        mirrorPick_ = {};
        return;
    }
    try {
        mirrorColour_.resize(n);
        mirrorDepth_.resize(n);
        mirrorPick_.resize(n);
    } catch (const std::bad_alloc&) {
        mirrorColour_ = {};
        mirrorDepth_ = {};
        mirrorPick_ = {};
    }
}

uint32_t IsoBox::MirrorTexelUnder(ClientPoint p) const {
    const SkinImage* skin = app_.CurrentSkin;
    if (skin == nullptr || !mirrorValid_ || pickHolds_ != PickMeaning::TexelOffsets) return NoPick;
    if (p.x < 0 || p.y < 0 || p.x >= clientWidth_ || p.x >= BufferWidth || p.y >= BufferHeight) {
        return NoPick;
    }
    const uint32_t e =
        mirrorPick_[static_cast<size_t>(BufferHeight - 1 - p.y) * static_cast<size_t>(BufferWidth) +
                    static_cast<size_t>(p.x)];
    return e < skin->Pixels.size() ? e : NoPick;
}

void IsoBox::Render(Kind kind) {
    dirty_ = Rect{};
    if (BufferWidth <= 0 || BufferHeight <= 0) return;
    if (app_.Mode == ModeMapping) kind = Kind::Mapping;
    if (picksStale_ && (kind == Kind::Recolour || kind == Kind::Background)) kind = Kind::Full;
    dirty_ = WholeRect();
    switch (kind) {
        case Kind::Recolour:
            RecolourFromPicks();
            return;
        case Kind::Background:
            BackgroundFromPicks();
            return;
        case Kind::Full:
        case Kind::Quick:
        case Kind::Mapping:
            NotePickMeaning(kind);
            DrawModel(kind);
            // A Quick render draws other pixels over the same picks; the other two record new
            // picks, which the texel index must be built again for.
            picksShown_ = kind == Kind::Full;
            if (kind != Kind::Quick) texelIndex_.Invalidate();
            picksStale_ &= kind == Kind::Quick;
            return;
    }
}

uint32_t IsoBox::PickAt(ClientPoint p) const {
    if (p.x < 0 || p.y < 0 || p.x >= BufferWidth || p.y >= BufferHeight) return NoPick;
    return PickBuffer[static_cast<size_t>(BufferHeight - 1 - p.y) *
                          static_cast<size_t>(BufferWidth) +
                      static_cast<size_t>(p.x)];
}

void IsoBox::NotePickMeaning(Kind kind) {
    if (kind == Kind::Quick) return;  // a camera drag keeps the picks of the last full render
    mirrorValid_ = false;
    if (kind == Kind::Full) {
        pickHolds_ = PickMeaning::TexelOffsets;
        pickTexels_ = app_.CurrentSkin != nullptr ? app_.CurrentSkin->Pixels.size() : 0;
    } else {
        pickHolds_ = PickMeaning::TriangleIndices;
    }
}

void IsoBox::RecolourFromPicks() {
    const SkinImage* skin = app_.CurrentSkin;
    if (skin == nullptr) return;
    // Entries that are triangle indices, or offsets into a larger skin than the current one
    // (a model loaded since), must not be read as texels of this skin.
    if (pickHolds_ != PickMeaning::TexelOffsets || skin->Pixels.size() < pickTexels_ ||
        skin->Pixels.empty()) {
        return;
    }
    RecolourPicked(
        {0, static_cast<int16_t>(BufferWidth - 1), 0, static_cast<int16_t>(BufferHeight - 1)});
    picksShown_ = true;
}

void IsoBox::BackgroundFromPicks() {
    if (app_.CurrentSkin == nullptr) return;
    const uint8_t colour = app_.BackgroundColour;
    uint8_t* pixels = PixelBuffer.data();
    const uint32_t* pick = PickBuffer.data();
    const size_t n = static_cast<size_t>(BufferWidth) * static_cast<size_t>(BufferHeight);
    // Four pixels, one 32-bit word, at a time (the width is a multiple of 4): a byte mask of
    // the unpicked ones selects between the word and the colour, with no branch per pixel.
    const uint32_t fill = colour * 0x01010101u;
    for (size_t i = 0; i < n; i += 4) {
        const uint32_t mask =
            (pick[i] == NoPick ? 0x000000FFu : 0u) | (pick[i + 1] == NoPick ? 0x0000FF00u : 0u) |
            (pick[i + 2] == NoPick ? 0x00FF0000u : 0u) | (pick[i + 3] == NoPick ? 0xFF000000u : 0u);
        uint32_t word;
        std::memcpy(&word, pixels + i, 4);
        word = (word & ~mask) | (fill & mask);
        std::memcpy(pixels + i, &word, 4);
    }
}

}  // namespace varp
