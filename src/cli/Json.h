// A minimal JSON writer for the tool's reports: objects, arrays, strings and numbers in order.
#pragma once

#include <string>
#include <vector>

namespace varp::cli {

class JsonWriter {
  public:
    void BeginObject(const char* key = nullptr) { Open(key, '{'); }
    void EndObject() { Close('}'); }
    void BeginArray(const char* key = nullptr) { Open(key, '['); }
    void EndArray() { Close(']'); }
    void Number(const char* key, long long value) { Item(key, std::to_string(value)); }
    void String(const char* key, const std::string& value) { Item(key, Quote(value)); }
    void String(const std::string& value) { Item(nullptr, Quote(value)); }
    const std::string& Text() const { return out_; }

    static std::string Quote(const std::string& s);

  private:
    void Open(const char* key, char bracket);
    void Close(char bracket);
    void Item(const char* key, const std::string& value);
    void Separate(const char* key);

    std::string out_;
    std::vector<bool> first_;
};

}  // namespace varp::cli
