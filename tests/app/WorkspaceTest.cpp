// The shared coordinate table rebuild and the current-item selection.
#include <gtest/gtest.h>

#include <memory>

#include "app/Workspace.h"
#include "support/Md2Files.h"

namespace varp {
namespace {

TEST(Workspace, TheRebuildTakesTheCornersPointsOnceEachInOrderOfFirstUse) {
    auto ws = std::make_unique<Workspace>();
    // Entry 0 is never used; 3 repeats 1; corners coinciding within a triangle share an entry.
    const SkinCoord coords[] = {{9, 9}, {1, 1}, {2, 2}, {1, 1}, {4, 4}};
    std::copy(std::begin(coords), std::end(coords), ws->TexCoords);
    ws->Triangles[0] = test::Tri(0, 1, 2, 2, 3, 4);
    ws->Triangles[1] = test::Tri(0, 1, 2, 1, 1, 2);
    ws->NumTriangles = 2;
    ws->RebuildTexCoords();
    EXPECT_EQ(std::vector<SkinCoord>(ws->TexCoords, ws->TexCoords + ws->NumTexCoords),
              (std::vector<SkinCoord>{{2, 2}, {1, 1}, {4, 4}}));
    const ModelTriangle& t = ws->Triangles[1];
    EXPECT_EQ((std::vector<int>{t.TexCoord[0], t.TexCoord[1], t.TexCoord[2]}),
              (std::vector<int>{1, 1, 0}));
    EXPECT_EQ(t.CornerST[2], (SkinCoord{2, 2}));

    // A full table of distinct points keeps every entry.
    ws->NumTriangles = MaxTriangles;
    for (int n = 0; n < MaxTexCoords; ++n) {
        ws->TexCoords[n] = {static_cast<int16_t>(n % 256), static_cast<int16_t>(n / 256)};
        ws->Triangles[n / 3].TexCoord[n % 3] = static_cast<int16_t>(n);
    }
    ws->RebuildTexCoords();
    EXPECT_EQ(ws->NumTexCoords, MaxTexCoords);
    EXPECT_EQ(ws->Triangles[MaxTriangles - 1].TexCoord[2], MaxTexCoords - 1);
}

TEST(Workspace, SelectingOutOfRangeLeavesNothingCurrent) {
    auto ws = std::make_unique<Workspace>();
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
