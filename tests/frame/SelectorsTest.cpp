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
    using Names = std::vector<std::string>;
    const struct {
        Names before;
        int current;
        Names after;
        int followed;
    } cases[] = {
        {{"U1", "L1", "U2", "L2"}, 0, {"L1", "L2", "U2", "U1"}, 3},
        {{"U1", "U2", "L1", "L2"}, 2, {"L1", "L2", "U1", "U2"}, 0},
        {{"U2", "U1", "U3"}, 1, {"U2", "U1", "U3"}, 1},  // all of one kind stays as it is
        {{"L2", "L1"}, 0, {"L2", "L1"}, 0},
    };
    for (const auto& c : cases) {
        auto ws = std::make_unique<Workspace>();
        for (const std::string& n : c.before) {
            ws->Skins.push_back(Skin(n, n[0] == 'U' ? Unlinked : 0));
        }
        ws->SelectSkin(c.current);
        SkinImage* current = ws->CurrentSkin;
        LinkedFirst(*ws);
        EXPECT_EQ(Order(*ws), c.after);
        EXPECT_EQ(ws->CurrentSkinIndex, c.followed);
        EXPECT_EQ(ws->Skins[static_cast<size_t>(c.followed)].get(), current);
    }
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
    EXPECT_EQ(
        frame.entries[SkinSelectorId],
        (std::vector<std::string>{"  models/monsters/tank/skin.pcx", "* D:/q2/baseq2/new.pcx"}));
    EXPECT_EQ(frame.entries[FrameSelectorId], std::vector<std::string>{"stand01"});
    EXPECT_EQ(ws->Skins[0]->Name, "models\\monsters\\tank\\skin.pcx");
    EXPECT_EQ(ws->Skins[0]->Path, "D:\\q2\\baseq2\\models\\monsters\\tank\\skin.pcx");
    EXPECT_EQ(frame.selected[SkinSelectorId], 1);
    EXPECT_EQ(frame.selected[FrameSelectorId], 0);
}

}  // namespace
}  // namespace varp
