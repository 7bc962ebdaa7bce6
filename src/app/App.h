// The application object: the Workspace, the model file's bookkeeping, and the services used.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/History.h"
#include "app/ViewHub.h"
#include "app/Workspace.h"
#include "platform/Platform.h"

namespace varp {

// Settings section and values, and the text that means "not set".
inline constexpr const char* SettingsSection = "Project";
inline constexpr const char* BaseDirValue = "BaseDir";
inline constexpr const char* CurFileValue = "CurFile";
inline constexpr const char* Unknown = "Unknown";

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

    // Every change to the skins and the mapping, to take back and make again.
    History Edits;

    Platform& Sys;
    // The main window, once it exists; commands refresh through it.
    ViewHub* Views = nullptr;

    void RefreshAllViews() {
        if (Views != nullptr) Views->RefreshAllViews();
    }
};

}  // namespace varp
