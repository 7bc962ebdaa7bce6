// The base folders the model fuzzers read from: one with the skins the seeds name, one without.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace varp::fuzz {

// OS path of a base folder holding skins/a.pcx (8 x 8), skins/b.pcx (256 x 256) and
// loose.pcx (8 x 8) when `withSkins`, or no skins at all.
std::string BaseFolder(bool withSkins);
std::string SystemForm(const std::string& osPath);
void WriteFile(const std::string& osPath, const uint8_t* data, size_t size);

}  // namespace varp::fuzz
