// The pak header and directory, read as hostile input: every count, offset and name checked
// before anything is taken from it.
#include "formats/Pak.h"

#include "app/BaseFolder.h"

namespace varp {

namespace {

std::string Damaged(const std::string& what) {
    return "This pak file is damaged: " + what + ".";
}

bool InsideFile(int64_t offset, int64_t length, uint64_t fileSize) {
    return offset >= 0 && length >= 0 && static_cast<uint64_t>(offset) <= fileSize &&
           static_cast<uint64_t>(length) <= fileSize - static_cast<uint64_t>(offset);
}

}  // namespace

std::string ReadPakHeader(ByteView header, uint64_t fileSize, PakDirectory* out) {
    if (header.Size() < 4 || header.Text(0, 4) != "PACK") return "This is not a pak file.";
    if (header.Size() < pak::HeaderSize) return Damaged("its header is cut short");
    const int64_t offset = header.I32(4);
    const int64_t length = header.I32(8);
    if (length % static_cast<int64_t>(pak::EntrySize) != 0) {
        return Damaged("its directory is not a whole number of entries");
    }
    if (length / static_cast<int64_t>(pak::EntrySize) > pak::MaxEntries) {
        return "This pak file has " + std::to_string(length / pak::EntrySize) +
               " entries, more than the " + std::to_string(pak::MaxEntries) + " the game reads.";
    }
    if (!InsideFile(offset, length, fileSize)) {
        return Damaged("its directory lies past the end of the file");
    }
    out->DirectoryOffset = offset;
    out->DirectoryLength = length;
    return std::string();
}

std::string ReadPakEntries(ByteView directory, uint64_t fileSize, PakDirectory* out) {
    const int64_t count = out->DirectoryLength / static_cast<int64_t>(pak::EntrySize);
    const auto records = directory.Section(0, count, pak::EntrySize);
    if (!records) return Damaged("its directory is cut short");
    std::vector<PakEntry> entries;
    int refused = 0;
    std::string firstRefused;
    for (size_t i = 0; i < static_cast<size_t>(count); ++i) {
        const ByteView e = records->Record(i, pak::EntrySize);
        const std::string number = "entry " + std::to_string(i + 1);
        if (!e.HasNul(0, pak::NameSize)) return Damaged(number + " has a name without an end");
        PakEntry entry;
        entry.Name = e.Text(0, pak::NameSize);
        const int64_t offset = e.I32(pak::NameSize);
        const int64_t length = e.I32(pak::NameSize + 4);
        if (!InsideFile(offset, length, fileSize)) {
            return Damaged(number + " (" + entry.Name + ") lies past the end of the file");
        }
        if (!IsConfinedName(entry.Name)) {
            if (refused++ == 0) firstRefused = entry.Name;
            continue;
        }
        entry.Offset = static_cast<uint32_t>(offset);
        entry.Length = static_cast<uint32_t>(length);
        entries.push_back(std::move(entry));
    }
    out->Entries = std::move(entries);
    out->Refused = refused;
    out->FirstRefused = std::move(firstRefused);
    return std::string();
}

std::string ReadPak(ByteView file, PakDirectory* out) {
    PakDirectory dir;
    std::string problem = ReadPakHeader(file, file.Size(), &dir);
    if (!problem.empty()) return problem;
    const auto bytes =
        file.Section(dir.DirectoryOffset, 1, static_cast<size_t>(dir.DirectoryLength));
    problem = ReadPakEntries(bytes ? *bytes : ByteView(), file.Size(), &dir);
    if (problem.empty()) *out = std::move(dir);
    return problem;
}

}  // namespace varp
