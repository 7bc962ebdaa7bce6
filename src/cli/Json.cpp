// JSON text with two-space indentation, keys in the order written.
#include "cli/Json.h"

#include <cstdint>
#include <cstdio>

namespace varp::cli {

namespace {

// Whether the bytes are well-formed UTF-8 (no overlong forms, no surrogates, nothing past
// U+10FFFF).
bool IsUtf8(const std::string& s) {
    for (size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        int extra = 0;
        uint32_t point = c, least = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            extra = 1, point = c & 0x1F, least = 0x80;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2, point = c & 0x0F, least = 0x800;
        } else if ((c & 0xF8) == 0xF0) {
            extra = 3, point = c & 0x07, least = 0x10000;
        } else {
            return false;
        }
        if (i + static_cast<size_t>(extra) >= s.size()) return false;
        for (int k = 1; k <= extra; ++k) {
            const auto d = static_cast<unsigned char>(s[i + static_cast<size_t>(k)]);
            if ((d & 0xC0) != 0x80) return false;
            point = point << 6 | (d & 0x3F);
        }
        if (point < least || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) return false;
        i += static_cast<size_t>(extra) + 1;
    }
    return true;
}

}  // namespace

std::string JsonWriter::Quote(const std::string& s) {
    // Names are 8-bit: text that is not UTF-8 is read as Latin-1, each byte above 0x7F
    // escaped, so that the output is always valid JSON and says what the program shows.
    const bool latin1 = !IsUtf8(s);
    std::string q = "\"";
    for (unsigned char c : s) {
        switch (c) {
            case '"':
                q += "\\\"";
                break;
            case '\\':
                q += "\\\\";
                break;
            case '\n':
                q += "\\n";
                break;
            case '\t':
                q += "\\t";
                break;
            default:
                if (c < 0x20 || (latin1 && c >= 0x80)) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", c);
                    q += buf;
                } else {
                    q += static_cast<char>(c);
                }
        }
    }
    return q + "\"";
}

void JsonWriter::Separate(const char* key) {
    if (!first_.empty()) {
        if (!first_.back()) out_ += ",";
        first_.back() = false;
        out_ += "\n" + std::string(2 * first_.size(), ' ');
    }
    if (key != nullptr) out_ += Quote(key) + ": ";
}

void JsonWriter::Open(const char* key, char bracket) {
    Separate(key);
    out_ += bracket;
    first_.push_back(true);
}

void JsonWriter::Close(char bracket) {
    const bool empty = first_.back();
    first_.pop_back();
    if (!empty) out_ += "\n" + std::string(2 * first_.size(), ' ');
    out_ += bracket;
    if (first_.empty()) out_ += "\n";
}

void JsonWriter::Item(const char* key, const std::string& value) {
    Separate(key);
    out_ += value;
}

}  // namespace varp::cli
