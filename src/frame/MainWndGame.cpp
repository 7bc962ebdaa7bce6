// The main window's side of the game's data: the animation played at the game's rate, the
// notice about the game palette, and skin files changed by other programs.
#include "frame/FrameGroups.h"
#include "frame/MainWnd.h"
#include "gamedata/GameFolder.h"
#include "skins/FileChanges.h"

namespace varp {

void MainWnd::TogglePlay() {
    playing_ = !playing_;
    if (playing_) {
        frame_.SetTimer(AnimationTimer, AnimationPeriod);
    } else {
        frame_.KillTimer(AnimationTimer);
        frame_.SetTimer(TexelIndexTimer, 0);  // the frame it stopped on is painted on next
    }
    frame_.UpdateCommandStates();
}

void MainWnd::ShowNextFrame() {
    const int next = NextFrameInGroup(app_.Frames, app_.CurrentFrameIndex);
    if (next == app_.CurrentFrameIndex) return;
    app_.SelectFrame(next);
    frame_.SelectSelectorEntry(FrameSelectorId, next);
    // A full render: the pick buffer then holds the texels of the frame shown, so a paint or a
    // pick made while it plays reaches the texel under the mouse in that frame.
    modelView_->Render(IsoBox::Kind::Full);
    frame_.RedrawChild(Child::ModelView);
}

void MainWnd::ShowGameState() {
    const std::array<uint8_t, 768>* game = GamePalette(app_);
    const SkinImage* skin = app_.CurrentSkin;
    const char* notice = game != nullptr && skin != nullptr && skin->Palette != *game
                             ? "The game draws this skin with its own palette "
                               "(pics/colormap.pcx), not the skin's."
                             : "";
    if (shownNotice_ != notice) {
        shownNotice_ = notice;
        frame_.SetStatus(StatusField::Notice, shownNotice_);
    }
    // The files worth watching change with the skin list and with saves: a digest of their
    // paths tells, without building the list, when the host must hear of them again.
    uint64_t digest = 14695981039346656037u;
    for (const auto& s : app_.Skins) {
        if (s->OnDisk != 1) continue;
        for (const char c : s->Path)
            digest = (digest ^ static_cast<unsigned char>(c)) * 1099511628211u;
        digest = (digest ^ 0xFFu) * 1099511628211u;
    }
    if (digest == shownWatch_) return;
    shownWatch_ = digest;
    frame_.WatchFiles(WatchedSkinFiles(app_));
}

void MainWnd::OnFileChanged(const std::string& path) {
    // A drag ends only when a skin is about to change or a question to be asked: the file the
    // program itself just saved comes back as a change too, and a stroke begun since goes on.
    ReloadChangedSkinFile(app_, path, [this] { EndPaneDrags(); });
    ShowUnsavedState();
}

}  // namespace varp
