// The pictures' BMP files: the header's check, the rewrite as a plain file, the decoder.
#pragma once

#include <allegro.h>

#include <cstddef>
#include <cstdint>
#include <vector>

// One colour's bit-field: a single run of set bits.
struct Field {
    int shift = 0;
    uint64_t max = 0;
};

// What the header says about the pixels, as far as reading them needs.
struct BmpLayout {
    int64_t w = 0, h = 0;           // h positive, whichever way the rows run
    uint32_t bits = 0;
    uint32_t off = 0;               // where the pixels start
    size_t row = 0;                 // bytes a row, padding included
    size_t palette_at = 0, entry = 4;
    bool top_down = false, rle = false, fields = false, allegro_masks = false;
    Field field[3];                 // red, green, blue, for masks Allegro does not know
    std::vector<unsigned char> indices;   // run-length data decoded, one index a pixel, top row first
    long clipped = 0;               // run-length pixels past their row's end
    bool plain = false;             // Allegro reads the file as it is
};

// Is this header safe: nullptr when every size, offset and run in the file
// holds, and the layout is filled in; else a few words saying why not.
// Allegro trusts the numbers in a header: a size larger than the file makes it
// allocate gigabytes, and its run-length decoders write wherever the stream
// says. Values that only change what is seen pass.
const char *bmp_problem(const unsigned char *d, size_t n, BmpLayout &layout);

// Rewrites a safe file that Allegro cannot read as it is (a newer header,
// top-down rows, run-length data, other colour masks, a short palette) as an
// equivalent plain one: 40-byte header, bottom-up rows. Leaves `copy` empty
// for a plain file. Returns what was repaired beyond the layout, or null when
// the copy means exactly what the file says.
const char *bmp_plain_copy(const unsigned char *d, const BmpLayout &layout, std::vector<unsigned char> &copy);

// The bytes as a bitmap of the current colour depth: null, with *why set, when
// they do not fit; otherwise *why names what was repaired, or is null.
BITMAP *image_from_bytes(const std::vector<unsigned char> &bytes, const char **why);

// A plain bottom-up 24-bit file (40-byte header, pixels right after it) as a
// 32-bit bitmap, when that is what Allegro would make of it: the same pixels
// as its reader and its conversion to the screen's layout, which go through
// the memory file a byte and the bitmap a pixel at a time, and took most of
// start-up. Null for any other file or depth; Allegro reads those.
BITMAP *plain_24_bit_at_32(const std::vector<unsigned char> &bytes);
