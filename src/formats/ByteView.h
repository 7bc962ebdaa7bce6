// A bounds-checked window on bytes held in memory. The readers of files that come from outside
// take every section, record and field through it, so a read past the end of what was checked
// is impossible rather than ruled out by a check made somewhere else.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace varp {

class ByteView {
  public:
    ByteView() = default;
    ByteView(const uint8_t* data, size_t size) : data_(data), size_(data != nullptr ? size : 0) {}
    explicit ByteView(const std::vector<uint8_t>& bytes) : ByteView(bytes.data(), bytes.size()) {}

    const uint8_t* Data() const { return data_; }
    size_t Size() const { return size_; }
    bool Empty() const { return size_ == 0; }

    // `count` records of `recordSize` bytes from `offset`, as one view; nullopt when the offset
    // or the count is negative or the records do not lie wholly inside. No records at all is
    // an empty view wherever the offset points.
    std::optional<ByteView> Section(int64_t offset, int64_t count, size_t recordSize) const {
        if (offset < 0 || count < 0) return std::nullopt;
        if (count == 0 || recordSize == 0) return ByteView();
        const auto start = static_cast<uint64_t>(offset);
        const auto records = static_cast<uint64_t>(count);
        if (start > size_ || records > (size_ - start) / recordSize) return std::nullopt;
        return ByteView(data_ + start, static_cast<size_t>(records * recordSize));
    }

    // The bytes from `offset` to the end; empty past the end.
    ByteView From(size_t offset) const {
        return offset < size_ ? ByteView(data_ + offset, size_ - offset) : ByteView();
    }

    // Record `i` of a section of `recordSize`-byte records; empty when it is not wholly inside.
    ByteView Record(size_t i, size_t recordSize) const {
        if (recordSize == 0 || i >= size_ / recordSize) return ByteView();
        return ByteView(data_ + i * recordSize, recordSize);
    }

    // Little-endian fields at a byte offset; 0 when the field is not wholly inside.
    uint8_t U8(size_t at) const { return at < size_ ? data_[at] : 0; }
    uint16_t U16(size_t at) const {
        return Fits(at, 2) ? static_cast<uint16_t>(data_[at] | data_[at + 1] << 8) : 0;
    }
    int16_t I16(size_t at) const { return static_cast<int16_t>(U16(at)); }
    int32_t I32(size_t at) const {
        if (!Fits(at, 4)) return 0;
        return static_cast<int32_t>(static_cast<uint32_t>(data_[at]) |
                                    static_cast<uint32_t>(data_[at + 1]) << 8 |
                                    static_cast<uint32_t>(data_[at + 2]) << 16 |
                                    static_cast<uint32_t>(data_[at + 3]) << 24);
    }
    float F32(size_t at) const {
        const auto bits = static_cast<uint32_t>(I32(at));
        float f;
        std::memcpy(&f, &bits, sizeof f);
        return f;
    }

    // Whether the `size`-byte field at `at` is wholly inside and holds a NUL.
    bool HasNul(size_t at, size_t size) const {
        return Fits(at, size) && std::memchr(data_ + at, 0, size) != nullptr;
    }
    // The text of a NUL-padded field: its bytes up to the first NUL, or all `size` of them, of
    // the part that lies inside.
    std::string Text(size_t at, size_t size) const {
        if (at >= size_) return std::string();
        const size_t room = std::min(size, size_ - at);
        const char* text = reinterpret_cast<const char*>(data_ + at);
        return std::string(text, strnlen(text, room));
    }

  private:
    bool Fits(size_t at, size_t size) const { return at <= size_ && size <= size_ - at; }

    const uint8_t* data_ = nullptr;
    size_t size_ = 0;
};

}  // namespace varp
