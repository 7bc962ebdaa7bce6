// JSON text with two-space indentation, keys in the order written.
#include "cli/Json.h"

#include <cstdio>

namespace varp::cli {

std::string JsonWriter::Quote(const std::string& s) {
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
                if (c < 0x20) {
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
