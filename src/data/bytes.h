// Little-endian fields and the size limits that every format's check shares.
#pragma once

#include <cstdint>

// Bigger than any file the game ships by far; keeps a stray huge file out of memory.
const long max_file_size = 64L * 1024 * 1024;

// Largest picture the game accepts, in each direction and in all.
const int max_image_side = 8192;
const long max_image_pixels = 16L * 1024 * 1024;

inline uint32_t u16(const unsigned char *p) { return p[0] | (p[1] << 8); }
inline uint32_t u32(const unsigned char *p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
inline int32_t s32(const unsigned char *p) { return static_cast<int32_t>(u32(p)); }

inline bool dimensions_ok(int64_t w, int64_t h)
{
    return w >= 1 && h >= 1 && w <= max_image_side && h <= max_image_side && w * h <= max_image_pixels;
}
