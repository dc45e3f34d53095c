#pragma once
// Storing and loading fixed-width integers at byte positions, little-endian
// (the handheld's own files) and big-endian (the Palm database header).
#include <cstdint>
#include <string_view>

inline void StoreLE16(uint8_t* at, uint32_t value)
{
    at[0] = uint8_t(value);
    at[1] = uint8_t(value >> 8);
}

inline void StoreLE32(uint8_t* at, uint32_t value)
{
    at[0] = uint8_t(value);
    at[1] = uint8_t(value >> 8);
    at[2] = uint8_t(value >> 16);
    at[3] = uint8_t(value >> 24);
}

inline void StoreBE16(uint8_t* at, uint32_t value)
{
    at[0] = uint8_t(value >> 8);
    at[1] = uint8_t(value);
}

inline void StoreBE32(uint8_t* at, uint32_t value)
{
    at[0] = uint8_t(value >> 24);
    at[1] = uint8_t(value >> 16);
    at[2] = uint8_t(value >> 8);
    at[3] = uint8_t(value);
}

inline uint32_t LoadLE16(const uint8_t* at)
{
    return uint32_t(at[0]) | uint32_t(at[1]) << 8;
}

inline uint32_t LoadLE32(const uint8_t* at)
{
    return uint32_t(at[0]) | uint32_t(at[1]) << 8 | uint32_t(at[2]) << 16 | uint32_t(at[3]) << 24;
}

// A four-character code (type, creator, signature): its first four bytes, NUL-padded.
inline void StoreFourCC(uint8_t* at, std::string_view code)
{
    for (size_t i = 0; i < 4; ++i)
        at[i] = i < code.size() ? uint8_t(code[i]) : 0;
}
