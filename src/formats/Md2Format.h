// The MD2 file layout: header fields, record sizes, the header read, and little-endian stores.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "formats/ByteView.h"

namespace varp::md2 {

inline constexpr size_t HeaderSize = 68;
inline constexpr size_t SkinNameSize = 64;
inline constexpr size_t CoordSize = 4;
inline constexpr size_t TriangleSize = 12;
inline constexpr size_t FrameHeaderSize = 40;  // scale[3], translate[3], name[16]
inline constexpr size_t FrameNameSize = 16;
inline constexpr size_t PackedVertexSize = 4;  // x, y, z, normal index

// Byte offsets of the header fields.
enum Field : size_t {
    Ident = 0,
    Version = 4,
    SkinWidth = 8,
    SkinHeight = 12,
    FrameSize = 16,
    NumSkins = 20,
    NumXyz = 24,
    NumSt = 28,
    NumTris = 32,
    NumGlCmds = 36,
    NumFrames = 40,
    OfsSkins = 44,
    OfsSt = 48,
    OfsTris = 52,
    OfsFrames = 56,
    OfsGlCmds = 60,
    OfsEnd = 64,
};

struct Header {
    char ident[5] = {};  // the four bytes, NUL-terminated
    int32_t version, skinwidth, skinheight, framesize, num_skins, num_xyz, num_st, num_tris,
        num_glcmds, num_frames, ofs_skins, ofs_st, ofs_tris, ofs_frames, ofs_glcmds, ofs_end;
};

inline void PutInt(uint8_t* p, int32_t value) {
    const auto v = static_cast<uint32_t>(value);
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
    p[2] = static_cast<uint8_t>(v >> 16);
    p[3] = static_cast<uint8_t>(v >> 24);
}

inline void PutShort(uint8_t* p, int16_t value) {
    const auto v = static_cast<uint16_t>(value);
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

inline void PutFloat(uint8_t* p, float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    PutInt(p, static_cast<int32_t>(bits));
}

// The header; fields past the end of a short file read as 0.
inline Header ReadHeader(ByteView file) {
    Header h;
    for (size_t i = 0; i < 4; ++i) h.ident[i] = static_cast<char>(file.U8(i));
    int32_t* fields[] = {&h.version,    &h.skinwidth,  &h.skinheight, &h.framesize,
                         &h.num_skins,  &h.num_xyz,    &h.num_st,     &h.num_tris,
                         &h.num_glcmds, &h.num_frames, &h.ofs_skins,  &h.ofs_st,
                         &h.ofs_tris,   &h.ofs_frames, &h.ofs_glcmds, &h.ofs_end};
    for (size_t i = 0; i < 16; ++i) *fields[i] = file.I32(4 + 4 * i);
    return h;
}

}  // namespace varp::md2
