// Pak files, the game's archives: the codec of their header and directory. The files inside are
// read by the game folder (gamedata/), which takes each entry's bytes where the directory says.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "formats/ByteView.h"

namespace varp {

namespace pak {
inline constexpr size_t HeaderSize = 12;  // "PACK", directory offset, directory length
inline constexpr size_t EntrySize = 64;   // name, file offset, file length
inline constexpr size_t NameSize = 56;    // NUL-padded, '/' between folders
// The most entries the game reads from one pak.
inline constexpr int64_t MaxEntries = 4096;
}  // namespace pak

struct PakEntry {
    std::string Name;  // as the directory spells it, '/' between folders
    uint32_t Offset = 0;
    uint32_t Length = 0;
};

struct PakDirectory {
    // Where the directory lies in the file, from the header.
    int64_t DirectoryOffset = 0;
    int64_t DirectoryLength = 0;
    // The entries that may be read, in directory order.
    std::vector<PakEntry> Entries;
    // Entries left out because their names would lead outside the base folder (absolute, a
    // drive letter, empty parts, control characters, ".." climbing out), and the first of them.
    int Refused = 0;
    std::string FirstRefused;
};

// Reads the 12-byte header of a file of `fileSize` bytes: where its directory lies. The empty
// string, or the one-sentence reason the file is no usable pak ("This is not a pak file." when
// the identification is wrong); a directory outside the file or of more than pak::MaxEntries
// entries is refused.
std::string ReadPakHeader(ByteView header, uint64_t fileSize, PakDirectory* out);

// Reads the directory bytes the header points to (out's offset and length already set). Every
// entry must have a NUL in its name field and lie inside the file, or the whole pak is refused;
// an entry whose name is not confined to the base folder is only left out and counted.
std::string ReadPakEntries(ByteView directory, uint64_t fileSize, PakDirectory* out);

// Both, over a whole pak file held in memory.
std::string ReadPak(ByteView file, PakDirectory* out);

}  // namespace varp
