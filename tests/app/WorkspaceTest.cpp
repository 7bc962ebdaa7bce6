// The shared coordinate table rebuild (the mapping drag tests rebuild after moved corners) and
// the current-item selection.
#include <gtest/gtest.h>

#include <memory>

#include "app/Workspace.h"
#include "support/Md2Files.h"

namespace varp {
namespace {

using test::Tri;

std::unique_ptr<Workspace> WithCoords(std::vector<SkinCoord> coords,
                                      std::vector<ModelTriangle> tris) {
    auto ws = std::make_unique<Workspace>();
    for (size_t i = 0; i < coords.size(); ++i) ws->TexCoords[i] = coords[i];
    ws->NumTexCoords = static_cast<int16_t>(coords.size());
    for (size_t i = 0; i < tris.size(); ++i) ws->Triangles[i] = tris[i];
    ws->NumTriangles = static_cast<int16_t>(tris.size());
    return ws;
}

TEST(RebuildTexCoords, MergesDuplicatesInOrderOfFirstUseAndDropsUnusedEntries) {
    // Entry 0 is never used; 3 repeats 1; corners coinciding within a triangle share an entry.
    auto ws = WithCoords({{9, 9}, {1, 1}, {2, 2}, {1, 1}, {4, 4}},
                         {Tri(0, 1, 2, 2, 3, 4), Tri(0, 1, 2, 1, 1, 2)});
    ws->RebuildTexCoords();
    ASSERT_EQ(ws->NumTexCoords, 3);
    EXPECT_EQ(ws->TexCoords[0], (SkinCoord{2, 2}));
    EXPECT_EQ(ws->TexCoords[1], (SkinCoord{1, 1}));
    EXPECT_EQ(ws->TexCoords[2], (SkinCoord{4, 4}));
    EXPECT_EQ(ws->Triangles[1].TexCoord[0], 1);
    EXPECT_EQ(ws->Triangles[1].TexCoord[1], 1);
    EXPECT_EQ(ws->Triangles[1].TexCoord[2], 0);
}

TEST(RebuildTexCoords, AFullTableOfDistinctPointsKeepsEveryEntry) {
    auto ws = std::make_unique<Workspace>();
    ws->NumTriangles = MaxTriangles;
    for (int i = 0; i < MaxTriangles; ++i) {
        for (int k = 0; k < 3; ++k) {
            const int n = 3 * i + k;
            ws->TexCoords[n] = {static_cast<int16_t>(n % 256), static_cast<int16_t>(n / 256)};
            ws->Triangles[i].TexCoord[k] = static_cast<int16_t>(n);
        }
    }
    ws->NumTexCoords = MaxTexCoords;
    ws->RebuildTexCoords();
    EXPECT_EQ(ws->NumTexCoords, MaxTexCoords);
    EXPECT_EQ(ws->Triangles[MaxTriangles - 1].TexCoord[2], MaxTexCoords - 1);
}

TEST(Workspace, SelectingKeepsPointersAndIndicesTogether) {
    auto ws = std::make_unique<Workspace>();
    EXPECT_EQ(ws->CurrentSkinIndex, -1);
    EXPECT_EQ(ws->CurrentSkin, nullptr);
    ws->Skins.push_back(std::make_unique<SkinImage>());
    ws->Skins.push_back(std::make_unique<SkinImage>());
    ws->SelectSkin(1);
    EXPECT_EQ(ws->CurrentSkin, ws->Skins[1].get());
    ws->SelectSkin(2);
    EXPECT_EQ(ws->CurrentSkinIndex, -1);
    EXPECT_EQ(ws->CurrentSkin, nullptr);
    ws->SelectFrame(0);
    EXPECT_EQ(ws->CurrentFrame, nullptr);
}

}  // namespace
}  // namespace varp
