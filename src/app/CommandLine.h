// The "-md2" command line: a model path and optional skin paths, quoted tokens allowed.
#pragma once

#include <string>
#include <vector>

namespace varp {

// The tokens after the first "-md2" of the whole command line (the character right after it
// is skipped). Tokens are split at spaces outside double quotes; quotes switch the quoted
// state and are not part of a token; runs of spaces give no empty tokens.
std::vector<std::string> SplitMd2Arguments(const std::string& commandLine);

}  // namespace varp
