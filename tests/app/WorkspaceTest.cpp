// The shared coordinate table rebuild and the current-item selection.
#include <gtest/gtest.h>

#include <memory>

#include "app/Workspace.h"
#include "support/Md2Files.h"

namespace varp {
namespace {

using test::Tri;

std::unique_ptr<Workspace> WithCoords(std::vector<SkinCoord> coords, std::vector<ModelTriangle> tris) {
    auto ws = std::make_unique<Workspace>();
    for (size_t i = 0; i < coords.size(); ++i) ws->TexCoords[i] = coords[i];
    ws->NumTexCoords = static_cast<int16_t>(coords.size());
    for (size_t i = 0; i < tris.size(); ++i) ws->Triangles[i] = tris[i];
    ws->NumTriangles = static_cast<int16_t>(tris.size());
    return ws;
}

TEST(RebuildTexCoords, TrianglesSharingThreeCoordinatesKeepThreeEntries) {
    auto ws = WithCoords({{1, 2}, {3, 4}, {5, 6}, {1, 2}, {3, 4}, {5, 6}},
                         {Tri(0, 1, 2, 0, 1, 2), Tri(1, 2, 3, 3, 4, 5), Tri(2, 3, 0, 5, 4, 3)});
    ws->RebuildTexCoords();
    EXPECT_EQ(ws->NumTexCoords, 3);
    const int expected[3][3] = {{0, 1, 2}, {0, 1, 2}, {2, 1, 0}};
    for (int i = 0; i < 3; ++i) {
        for (int k = 0; k < 3; ++k) EXPECT_EQ(ws->Triangles[i].TexCoord[k], expected[i][k]);
    }
    EXPECT_EQ(ws->Triangles[2].CornerST[0], (SkinCoord{5, 6}));
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

TEST(RebuildTexCoords, GivesAMovedCornerItsOwnEntryOrMergesItWithAnExistingPoint) {
    // Two triangles share point 1; the second one's corner has been moved to the slot past
    // the valid entries, as a mapping drag leaves it.
    auto ws = WithCoords({{0, 0}, {5, 5}, {9, 0}}, {Tri(0, 1, 2, 0, 1, 2), Tri(0, 1, 2, 0, 3, 2)});
    ws->TexCoords[3] = {6, 7};
    ws->RebuildTexCoords();
    ASSERT_EQ(ws->NumTexCoords, 4);
    EXPECT_EQ(ws->TexCoords[3], (SkinCoord{6, 7}));
    EXPECT_EQ(ws->Triangles[1].TexCoord[1], 3);
    EXPECT_EQ(ws->Triangles[0].TexCoord[1], 1);

    // Dropped onto point 2's texel: merged, and the table shrinks back.
    ws->Triangles[1].TexCoord[1] = 4;
    ws->TexCoords[4] = {9, 0};
    ws->RebuildTexCoords();
    EXPECT_EQ(ws->NumTexCoords, 3);
    EXPECT_EQ(ws->Triangles[1].TexCoord[1], 2);
    EXPECT_EQ(ws->Triangles[1].CornerST[1], (SkinCoord{9, 0}));
}

TEST(RebuildTexCoords, AFullTableOfDistinctPointsStillLeavesTheSpareEntry) {
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
    // The drag slot, one past the last valid entry, is inside the table.
    ws->TexCoords[ws->NumTexCoords] = {1, 1};
    EXPECT_EQ(ws->TexCoords[MaxTexCoords], (SkinCoord{1, 1}));
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
