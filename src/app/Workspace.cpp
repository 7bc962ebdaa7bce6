// Workspace-wide operations: the coordinate table rebuild and the current-item selection.
#include "app/Workspace.h"

#include <utility>
#include <vector>

namespace varp {

namespace {

// Open-addressing index from (s, t) to its table entry, so the rebuild is linear rather than
// a scan of the table per corner; the result is the same first-use order either way.
constexpr int HashSize = 32768;  // a power of two, more than twice the table's capacity

uint32_t Key(SkinCoord c) {
    return (static_cast<uint32_t>(static_cast<uint16_t>(c.s)) << 16) | static_cast<uint16_t>(c.t);
}

}  // namespace

void Workspace::RebuildTexCoords() {
    for (int i = 0; i < NumTriangles; ++i) {
        ModelTriangle& tri = Triangles[i];
        for (int k = 0; k < 3; ++k) tri.CornerST[k] = TexCoords[tri.TexCoord[k]];
    }
    // Called on a model read and at the end of a mapping drag, never per mouse move, so the
    // index is made afresh each time rather than kept.
    std::vector<int16_t> slotOf(HashSize, -1);  // -1: empty
    std::vector<uint32_t> keyOf(HashSize);
    int16_t count = 0;
    for (int i = 0; i < NumTriangles; ++i) {
        ModelTriangle& tri = Triangles[i];
        for (int k = 0; k < 3; ++k) {
            const uint32_t key = Key(tri.CornerST[k]);
            uint32_t h = (key * 2654435761u) >> 17;  // top 15 bits
            while (slotOf[h] >= 0 && keyOf[h] != key) h = (h + 1) & (HashSize - 1);
            if (slotOf[h] < 0) {
                slotOf[h] = count;
                keyOf[h] = key;
                TexCoords[count] = tri.CornerST[k];
                ++count;
            }
            tri.TexCoord[k] = slotOf[h];
        }
    }
    NumTexCoords = count;
}

bool Workspace::AnythingModified() const {
    if (ModelModified()) return true;
    for (const auto& skin : Skins) {
        if (IsModified(*skin)) return true;
    }
    return false;
}

void Workspace::SelectSkin(int index) {
    if (index >= 0 && index < static_cast<int>(Skins.size())) {
        CurrentSkinIndex = static_cast<int16_t>(index);
        CurrentSkin = Skins[static_cast<size_t>(index)].get();
    } else {
        CurrentSkinIndex = -1;
        CurrentSkin = nullptr;
    }
}

void Workspace::SelectFrame(int index) {
    if (index >= 0 && index < static_cast<int>(Frames.size())) {
        CurrentFrameIndex = static_cast<int16_t>(index);
        CurrentFrame = Frames[static_cast<size_t>(index)].get();
    } else {
        CurrentFrameIndex = 0;
        CurrentFrame = nullptr;
    }
}

void LinkedFirst(Workspace& ws) {
    SkinList& skins = ws.Skins;
    const int n = static_cast<int>(skins.size());
    int linked = 0;
    for (const auto& s : skins) linked += (s->Flags & Unlinked) == 0;
    if (linked == n || linked == 0) return;
    for (int i = 0; i < linked; ++i) {
        if ((skins[static_cast<size_t>(i)]->Flags & Unlinked) == 0) continue;
        int j = i + 1;
        while (skins[static_cast<size_t>(j)]->Flags & Unlinked) ++j;
        std::swap(skins[static_cast<size_t>(i)], skins[static_cast<size_t>(j)]);
        if (ws.CurrentSkinIndex == i) {
            ws.CurrentSkinIndex = static_cast<int16_t>(j);
        } else if (ws.CurrentSkinIndex == j) {
            ws.CurrentSkinIndex = static_cast<int16_t>(i);
        }
    }
}

std::array<uint8_t, 768> GreyPalette() {
    std::array<uint8_t, 768> p{};
    for (int i = 0; i < 256; ++i) {
        for (int c = 0; c < 3; ++c) p[static_cast<size_t>(3 * i + c)] = static_cast<uint8_t>(i);
    }
    return p;
}

}  // namespace varp
