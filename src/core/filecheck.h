// Checks a data file's bytes against what its format allows before a library decoder sees them.
#pragma once

#include <cstddef>
#include <vector>

// Each check returns nullptr when the bytes are fit to hand to the library's
// decoder, or a few words saying why not. Allegro and DUMB trust the numbers
// in a header: a size larger than the file makes them allocate gigabytes,
// odd values crash them, so nothing reaches them unchecked. Values that only
// change what is seen or heard are left alone.
//
// The picture and module checks may also fill `copy` with bytes the library
// can take in place of the original (left empty when the original will do):
// a BMP header or row order Allegro cannot read, rewritten to one it can, or
// a value the library would trip over whose meaning is plain, clamped or
// clipped. *repaired then names what was changed beyond the layout, or is
// null when the copy means exactly what the file says.
const char *check_bmp(const unsigned char *d, size_t n, std::vector<unsigned char> &copy,
                      const char **repaired);
const char *check_pcx(const unsigned char *d, size_t n);
const char *check_wav(const unsigned char *d, size_t n);
const char *check_xm(const unsigned char *d, size_t n, std::vector<unsigned char> &copy,
                     const char **repaired);

// Reads a whole data file: nullptr on success, else why not ("missing",
// "not a regular file", "empty", "too large", ...).
const char *read_data_file(const char *path, std::vector<unsigned char> &out);

// Largest picture the game accepts, in each direction and in all.
const int max_image_side = 8192;
const long max_image_pixels = 16L * 1024 * 1024;
