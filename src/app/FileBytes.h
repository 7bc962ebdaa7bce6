// Whole-file reads and writes through the platform's file class.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace varp {

// Files larger than this are not read: no model or skin comes near it.
inline constexpr int64_t MaxFileBytes = int64_t{256} << 20;

// Reads a whole file into memory; 0 when it cannot be opened, is too large or cannot be read.
int ReadWholeFile(Platform& sys, const std::string& path, std::vector<uint8_t>* bytes,
                  std::string* fullPath);

// Writes bytes as a file's whole content, replacing the file only when the write is complete.
// 1 on success; 0 on failure, after the message "Error Saving:" followed by the failure cause
// number unless `quiet` (work done behind the user's back says nothing).
int WriteWholeFile(Platform& sys, const std::string& path, const std::vector<uint8_t>& bytes,
                   bool quiet = false);

}  // namespace varp
