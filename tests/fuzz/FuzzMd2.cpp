// Any bytes as a model file, read with its skins present or absent, and the scan question
// answered either way. The first input byte chooses: bit 0 skins present, bit 1 answer Yes.
#include <memory>

#include "formats/Md2Reader.h"
#include "fuzz/FuzzSupport.h"
#include "platform/Paths.h"
#include "support/ScriptedPlatform.h"

using namespace varp;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const std::string base = fuzz::BaseFolder((data[0] & 1) != 0);
    fuzz::WriteFile(base + "/model.md2", data + 1, size - 1);
    test::ScriptedPlatform sys;
    sys.defaultAnswer = (data[0] & 2) ? Answer::Yes : Answer::No;
    auto app = std::make_unique<App>(sys);
    app->BaseFolder = ToSystemForm(base);
    if (LoadModel(*app, "model.md2")) {
        fuzz::CheckWorkspace(*app);
    } else {
        fuzz::Require(sys.messages.size() == 1, "a refusal says exactly one thing");
        fuzz::Require(app->ModelLoaded == 0 && app->Skins.empty(), "a refusal changes nothing");
    }
    return 0;
}
