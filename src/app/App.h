// The application object: the Workspace, the model file's bookkeeping, and the services used.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/History.h"
#include "app/TexelRect.h"
#include "app/ViewHub.h"
#include "app/Workspace.h"
#include "platform/Platform.h"

namespace varp {

// Settings section and values, and the text that means "not set".
inline constexpr const char* SettingsSection = "Project";
inline constexpr const char* BaseDirValue = "BaseDir";
inline constexpr const char* CurFileValue = "CurFile";
inline constexpr const char* Unknown = "Unknown";

// The base folder's loose files and paks as the game reads them (gamedata/GameFolder.h).
class GameFolder;

struct App : Workspace {
    explicit App(Platform& platform) : Sys(platform) {}
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    // The game's base folder, system form, no trailing backslash but for a drive's root.
    std::string BaseFolder;
    // Full path of the model in use.
    std::string CurrentFile;
    // Every byte of the last model file read; empty until the first successful read.
    std::vector<uint8_t> ModelFileImage;
    // Whether the model in use was read from a pak: its first save writes a loose file at
    // CurrentFile, which is where the game will look first.
    bool ModelInPak = false;
    // The game folder of BaseFolder, once read (see gamedata/GameFolder.h: GameOf).
    std::shared_ptr<GameFolder> Game;

    // Every change to the skins and the mapping, to take back and make again.
    History Edits;

    Platform& Sys;
    // The main window, once it exists; commands refresh through it.
    ViewHub* Views = nullptr;
    // The texels of the current skin changed since the last TexelsPainted refresh, set by
    // whoever sends one and taken by its handler, which redraws only the pixels showing them.
    // Empty: not known, the whole skin is recoloured.
    TexelRect PaintedTexels;

    void RefreshAllViews() {
        if (Views != nullptr) Views->RefreshAllViews();
    }
};

}  // namespace varp
