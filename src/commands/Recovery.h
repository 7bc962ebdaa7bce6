// Crash recovery: while anything is unsaved, the unsaved skins and model are written now and
// then to a folder of the user's data folder (never the base folder), so that a start on the
// same model after a crash can bring the work back. A clean quit or a save that leaves nothing
// unsaved removes them.
#pragma once

#include <string>

#include "app/App.h"

namespace varp {

// The recovery folder of the model in use: <data folder>/Varp/recovery/<digest of the model's
// path>. Empty when there is no data folder, or when it would lie under the base folder.
std::string RecoveryFolder(const App& app);

// Writes what is unsaved (the model, every unsaved skin, and the list of skins to rebuild the
// rest from) into the recovery folder, each file replaced only once complete; removes the
// folder's files when nothing is unsaved. Says nothing, whatever happens. True when written.
bool WriteRecovery(App& app);

// Removes the recovery files of the model in use.
void RemoveRecovery(App& app);

// After a model is read: when the recovery folder holds work on it, offers to bring it back
// (Yes) or to throw it away (No). True when the work was restored.
bool OfferRecovery(App& app);

}  // namespace varp
