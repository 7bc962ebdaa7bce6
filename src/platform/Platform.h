// The process-wide services the system asks of its platform: messages, dialogs, settings, files.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/File.h"
#include "platform/ImageCodec.h"

namespace varp {

// SaveDiscardCancel asks about unsaved work: Save saves it first, Discard goes on without it.
enum class Buttons { Ok, YesNo, YesNoCancel, SaveDiscardCancel };
enum class Icon { None, Information, Question, Exclamation };
enum class Answer { Ok, Yes, No, Cancel, Save, Discard };

// Flags of a file dialog.
inline constexpr unsigned HideReadOnly = 1u;
inline constexpr unsigned PathMustExist = 2u;

struct FileDialogRequest {
    bool Save = false;        // the save form; otherwise the open form
    std::string Filter;       // "Text (*.x)|*.x|...|" pairs separated by '|'
    std::string InitialName;  // shown in the name box
    std::string DefaultExt;   // empty: none
    unsigned Flags = 0;
};

class Platform {
  public:
    virtual ~Platform() = default;

    // A modal message box with the application's caption; text uses '\n' for line breaks.
    virtual Answer MessageBox(const std::string& text, Buttons buttons, Icon icon) = 0;
    // Returns 1 with the chosen full path (system form) on OK, 0 on cancel.
    virtual int FileDialog(const FileDialogRequest& request, std::string* chosen) = 0;
    // The folder chooser; 1 with the chosen folder (system form) or 0 when cancelled.
    virtual int BrowseForFolder(const std::string& title, std::string* chosen) = 0;

    virtual std::string GetProfileString(const std::string& section, const std::string& key,
                                         const std::string& fallback) = 0;
    virtual void WriteProfileString(const std::string& section, const std::string& key,
                                    const std::string& value) = 0;

    // Makes `path` the current directory: 0 on success, -1 when it cannot be done.
    virtual int ChangeDirectory(const std::string& path) = 0;
    // Names of the entries of the current directory ending in ".pcx" in any letter case.
    virtual std::vector<std::string> ListPcxFiles() = 0;
    // The whole command line, program path included.
    virtual std::string CommandLine() = 0;
    // The current directory the program was started in (system form), for the command line's
    // relative paths; empty when unknown.
    virtual std::string LaunchFolder() = 0;
    // Ends the message loop without asking anything.
    virtual void Quit() = 0;
    // The modal About box: titled "About Varp", showing "Reviz0.60" and an OK button.
    virtual void ShowAboutBox() = 0;
    // A list to choose one item from, with a box that filters it as the user types: 1 with the
    // chosen item, or 0 when cancelled. Platforms without one cancel.
    virtual int ChooseFromList(const std::string& title, const std::vector<std::string>& items,
                               std::string* chosen) {
        (void)title, (void)items, (void)chosen;
        return 0;
    }

    // A modal choice of one of `items` (a list the user picks from), `initial` chosen at first:
    // the index chosen, or -1 when cancelled. A platform with nobody to ask cancels.
    virtual int ChooseItem(const std::string& title, const std::string& prompt,
                           const std::vector<std::string>& items, int initial) {
        (void)title, (void)prompt, (void)items, (void)initial;
        return -1;
    }
    // The reader and writer of picture files, or null where there is none.
    virtual ImageCodec* Images() { return nullptr; }

    // Opens a file (a path relative to the current directory, or full; either separator).
    // Null on failure, with the cause number in *cause.
    virtual std::unique_ptr<File> OpenFile(const std::string& path, FileMode mode, int* cause) = 0;
};

}  // namespace varp
