// The Workspace: every model and skin record of the running program, in one place.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace varp {

inline constexpr int MaxTriangles = 4096;
inline constexpr int MaxTexCoords = 3 * MaxTriangles;  // 12288
inline constexpr int MaxVertices = 2048;

// Bits of ModelTriangle::Flags.
inline constexpr uint32_t Selected = 1u;
inline constexpr uint32_t Grabbed = 2u;
// Bit of SkinImage::Flags: a loose image the model file does not list.
inline constexpr uint32_t Unlinked = 1u;

// SkinImage::OnDisk of a skin read from a pak: no loose file holds it yet, and Path is where a
// save will put one.
inline constexpr uint32_t InPak = 2;

// Values of Workspace::Mode.
enum InteractionMode : int32_t { ModeMix = 0, ModePaint = 1, ModeCamera = 2, ModeMapping = 3 };

// Values of Workspace::Tool: what a left press paints with in either view.
enum PaintTool : int32_t {
    ToolBrush = 0,
    ToolLine = 1,
    ToolFill = 2,
    ToolReplace = 3,
    ToolShade = 4
};

// The brush sizes, in texels on the flat skin and in screen pixels on the 3D view.
inline constexpr int32_t MinBrushSize = 1;
inline constexpr int32_t MaxBrushSize = 16;

struct SkinCoord {
    int16_t s = 0;
    int16_t t = 0;
    bool operator==(const SkinCoord&) const = default;
};

struct ModelTriangle {
    uint32_t Flags = 0;
    int16_t Vertex[3] = {0, 0, 0};    // indices into each frame's Vertices
    int16_t TexCoord[3] = {0, 0, 0};  // indices into TexCoords, one per corner
    SkinCoord CornerST[3];  // the corner's own coordinates, equal to TexCoords[TexCoord[k]]
};

using Vec3 = std::array<float, 3>;

struct ModelFrame {
    std::vector<Vec3> Vertices;  // NumVertices decoded positions in model units
    std::string Name;
};

struct SkinImage {
    std::string Name;     // linked: relative to the base folder; unlinked: as a rule the full path
    std::string Path;     // full path of the PCX file
    uint32_t OnDisk = 0;  // 0 not on disk, 1 in its file, InPak in a pak
    // A digest of the bytes the file held when the skin last read or wrote it (DigestOf): a
    // change on disk to other bytes was made by another program.
    uint64_t FileDigest = 0;
    std::vector<uint8_t> Pixels;        // Width x Height palette indices, top row first
    std::vector<uint8_t> StoredPixels;  // the Store/Revert checkpoint, same size as Pixels
    uint32_t Flags = 0;
    std::array<uint8_t, 768> Palette{};
    int16_t Width = 0;
    int16_t Height = 0;
    // Which state of its texels and palette the skin holds, and which one its file holds: every
    // change gives the skin a new revision, and undoing the change gives the old one back, so
    // the skin is unsaved exactly while the two differ.
    uint64_t Revision = 0;
    uint64_t SavedRevision = 0;
};

inline bool IsModified(const SkinImage& skin) {
    return skin.Revision != skin.SavedRevision;
}

using FrameList = std::vector<std::unique_ptr<ModelFrame>>;
using SkinList = std::vector<std::unique_ptr<SkinImage>>;

// The model in use and the user's drawing state. One lives in the App for the whole run.
struct Workspace {
    FrameList Frames;
    SkinList Skins;
    // One entry more than three per triangle: a mapping drag parks its moving point just past
    // the valid entries, and a model whose every corner has a point of its own still has room.
    SkinCoord TexCoords[MaxTexCoords + 1];
    ModelTriangle Triangles[MaxTriangles];
    int32_t ModelLoaded = 0;
    int32_t Mode = ModeMix;
    int32_t ColourLocks[256] = {};
    int16_t NumTexCoords = 0;
    int16_t NumTriangles = 0;
    int16_t NumVertices = 0;
    int16_t SkinWidth = 0;
    int16_t SkinHeight = 0;
    ModelFrame* CurrentFrame = nullptr;
    SkinImage* CurrentSkin = nullptr;
    int16_t CurrentFrameIndex = 0;
    int16_t CurrentSkinIndex = -1;
    uint8_t PaintColour = 0;
    uint8_t BackgroundColour = 0;
    // The paint tools: which one, the brush (MinBrushSize to MaxBrushSize, square or round), the
    // mirror (its axis on the flat skin in half texels from the left edge, -1 for the skin's
    // centre) and whether Fill and Replace keep to the selected triangles' texels.
    int32_t Tool = ToolBrush;
    int32_t BrushSize = MinBrushSize;
    int32_t BrushRound = 0;
    int32_t Mirror = 0;
    int32_t MirrorAxis = -1;
    int32_t InSelection = 0;
    // Which state of what the model file holds (mapping, linked skins) the Workspace has, and
    // which one the file on disk has; as for skins.
    uint64_t ModelRevision = 0;
    uint64_t SavedModelRevision = 0;
    // The last revision handed out: each is used once.
    uint64_t LastRevision = 0;

    uint64_t NewRevision() { return ++LastRevision; }
    bool ModelModified() const { return ModelRevision != SavedModelRevision; }
    // Whether the model or any skin holds a change that is not saved.
    bool AnythingModified() const;

    // Recomputes the shared coordinate table from the triangle corners: each distinct (s, t)
    // once, in order of first use, every corner re-pointed to its entry.
    void RebuildTexCoords();

    // Makes CurrentSkin/CurrentFrame agree with their indices (null when out of range).
    void SelectSkin(int index);
    void SelectFrame(int index);
};

// Moves the linked skins in front of the unlinked ones, keeping the linked skins' order;
// the current skin stays the same object and its index follows it.
void LinkedFirst(Workspace& ws);

// Grey ramp palette: entry i is (i, i, i).
std::array<uint8_t, 768> GreyPalette();

}  // namespace varp
