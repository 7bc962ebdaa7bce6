// Selector texts and the linked-first order of the skin list.
#include <gtest/gtest.h>

#include "frame/Selectors.h"
#include "support/ScriptedFrameHost.h"

namespace varp {
namespace {

std::unique_ptr<SkinImage> Skin(const std::string& name, uint32_t flags) {
    auto s = std::make_unique<SkinImage>();
    s->Name = name;
    s->Path = name;
    s->Flags = flags;
    return s;
}

std::vector<std::string> Order(const Workspace& ws) {
    std::vector<std::string> names;
    for (const auto& s : ws.Skins) names.push_back(s->Name);
    return names;
}

TEST(LinkedFirst, LinkedSkinsMoveToTheFrontAndTheCurrentSkinIsFollowed) {
    auto ws = std::make_unique<Workspace>();
    for (const char* n : {"U1", "L1", "U2", "L2"}) ws->Skins.push_back(Skin(n, n[0] == 'U' ? Unlinked : 0));
    ws->SelectSkin(0);
    SkinImage* u1 = ws->CurrentSkin;
    LinkedFirst(*ws);
    EXPECT_EQ(Order(*ws), (std::vector<std::string>{"L1", "L2", "U2", "U1"}));
    EXPECT_EQ(ws->CurrentSkinIndex, 3);
    EXPECT_EQ(ws->CurrentSkin, u1);

    auto other = std::make_unique<Workspace>();
    for (const char* n : {"U1", "U2", "L1", "L2"}) other->Skins.push_back(Skin(n, n[0] == 'U' ? Unlinked : 0));
    other->SelectSkin(2);
    LinkedFirst(*other);
    EXPECT_EQ(Order(*other), (std::vector<std::string>{"L1", "L2", "U1", "U2"}));
    EXPECT_EQ(other->CurrentSkinIndex, 0);
}

TEST(LinkedFirst, AllOfOneKindStaysAsItIs) {
    auto ws = std::make_unique<Workspace>();
    for (const char* n : {"U2", "U1", "U3"}) ws->Skins.push_back(Skin(n, Unlinked));
    LinkedFirst(*ws);
    EXPECT_EQ(Order(*ws), (std::vector<std::string>{"U2", "U1", "U3"}));
    for (auto& s : ws->Skins) s->Flags = 0;
    LinkedFirst(*ws);
    EXPECT_EQ(Order(*ws), (std::vector<std::string>{"U2", "U1", "U3"}));
}

TEST(RebuildSelectors, ListsPrefixedNamesWithSlashesAndKeepsBackslashesInTheWorkspace) {
    auto ws = std::make_unique<Workspace>();
    ws->Skins.push_back(Skin("D:\\q2\\baseq2\\new.pcx", Unlinked));
    ws->Skins.push_back(Skin("models/monsters/tank/skin.pcx", 0));
    ws->Skins[1]->Path = "D:/q2/baseq2/models/monsters/tank/skin.pcx";
    ws->Frames.push_back(std::make_unique<ModelFrame>());
    ws->Frames[0]->Name = "stand01";
    ws->SelectFrame(0);
    ws->SelectSkin(0);
    test::ScriptedFrameHost frame;
    RebuildSelectors(*ws, frame);
    EXPECT_EQ(frame.entries[SkinSelectorId],
              (std::vector<std::string>{"  models/monsters/tank/skin.pcx", "* D:/q2/baseq2/new.pcx"}));
    EXPECT_EQ(frame.entries[FrameSelectorId], std::vector<std::string>{"stand01"});
    EXPECT_EQ(ws->Skins[0]->Name, "models\\monsters\\tank\\skin.pcx");
    EXPECT_EQ(ws->Skins[0]->Path, "D:\\q2\\baseq2\\models\\monsters\\tank\\skin.pcx");
    EXPECT_EQ(frame.selected[SkinSelectorId], 1);
    EXPECT_EQ(frame.selected[FrameSelectorId], 0);
    EXPECT_EQ(frame.reserved[SkinSelectorId], std::make_pair(2, 64));
    EXPECT_EQ(frame.reserved[FrameSelectorId], std::make_pair(1, 16));

    // Without skins the list is empty and its first entry is asked for.
    ws->Skins.clear();
    ws->SelectSkin(-1);
    RebuildSelectors(*ws, frame);
    EXPECT_TRUE(frame.entries[SkinSelectorId].empty());
    EXPECT_EQ(frame.selected[SkinSelectorId], 0);
}

}  // namespace
}  // namespace varp
