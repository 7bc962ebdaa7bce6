// The main window's side of editing: Edit > Undo and Redo, their labels, and what the title and
// the skin selector show of unsaved work.
#include "commands/Recovery.h"
#include "frame/Commands.h"
#include "frame/MainWnd.h"
#include "platform/Paths.h"

namespace varp {

void MainWnd::Undo() {
    ShowStep(app_.Edits.Undo(app_));
}

void MainWnd::Redo() {
    ShowStep(app_.Edits.Redo(app_));
}

void MainWnd::ShowStep(const EditStep* step) {
    if (step == nullptr) return;
    SkinImage* texels = step->TexelsOf();
    if (texels != nullptr && texels == app_.CurrentSkin) {
        // Texels of the skin in view: redrawn as a stroke redraws them.
        app_.PaintedTexels.Add(step->TexelArea());
        OnRefresh(Refresh::TexelsPainted);
        return;
    }
    if (texels != nullptr) {
        // Texels of another skin: it comes into view, so that the change can be seen.
        for (size_t i = 0; i < app_.Skins.size(); ++i) {
            if (app_.Skins[i].get() == texels) app_.SelectSkin(static_cast<int>(i));
        }
    }
    RefreshAllViews();
}

std::string MainWnd::MenuLabel(int id) const {
    const char* label = nullptr;
    std::string text;
    if (id == CmdUndo) {
        label = app_.Edits.UndoLabel();
        text = "&Undo";
    } else if (id == CmdRedo) {
        label = app_.Edits.RedoLabel();
        text = "&Redo";
    } else {
        return std::string();
    }
    if (label != nullptr) text += std::string(" ") + label;
    return text + (id == CmdUndo ? "\tCtrl+Z" : "\tCtrl+Shift+Z");
}

std::string MainWnd::Title() const {
    const std::string file = ToSystemForm(app_.CurrentFile);
    const size_t slash = file.rfind('\\');
    const std::string name = slash == std::string::npos ? file : file.substr(slash + 1);
    const std::string program = "Varpkit v0.60";
    if (app_.ModelLoaded == 0) return program;
    return (app_.AnythingModified() ? "*" : "") + name + " - " + program;
}

void MainWnd::OnTimer(int id) {
    if (id == AnimationTimer) ShowNextFrame();
    if (id == TexelIndexTimer) {
        frame_.KillTimer(TexelIndexTimer);
        modelView_->PrepareTexelIndex();
    }
    if (id != RecoveryTimer) return;
    frame_.KillTimer(RecoveryTimer);
    recoveryPending_ = false;
    recoveredRevision_ = app_.LastRevision;
    recoveryWritten_ = WriteRecovery(app_);
}

void MainWnd::ShowUnsavedState() {
    ShowGameState();
    // Work changed since the recovery files were written: they are written again a while
    // after, once, however many changes come in between. Work saved whole needs none.
    if (app_.LastRevision != recoveredRevision_ && !recoveryPending_ && app_.AnythingModified()) {
        recoveryPending_ = true;
        frame_.SetTimer(RecoveryTimer, RecoveryDelay);
    }
    if (recoveryWritten_ && !app_.AnythingModified()) {
        RemoveRecovery(app_);
        recoveryWritten_ = false;
    }
    // A digest of which skins are unsaved and of the model's state: no string is built unless
    // something changed, so that a stroke's refreshes cost nothing here.
    uint64_t digest = app_.ModelModified() ? 0x9E3779B97F4A7C15u : 1u;
    for (const char c : app_.CurrentFile) digest = digest * 31u + static_cast<unsigned char>(c);
    for (const auto& skin : app_.Skins) {
        digest = digest * 1099511628211u ^ (reinterpret_cast<uintptr_t>(skin.get()) << 1) ^
                 (IsModified(*skin) ? 1u : 0u);
    }
    if (digest == shownUnsaved_) return;
    shownUnsaved_ = digest;
    RebuildSelectors();
    const std::string title = Title();
    if (title != shownTitle_) {
        shownTitle_ = title;
        frame_.SetTitle(title);
    }
}

}  // namespace varp
