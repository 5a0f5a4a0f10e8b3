// The font's PCX picture: its check, and its decoder into a font.
#pragma once

#include <allegro.h>

#include <cstddef>
#include <vector>

// nullptr when the bytes are fit for Allegro's PCX reader, else a few words
// saying why not. Allegro trusts the numbers in the header.
const char *check_pcx(const unsigned char *d, size_t n);

// The checked bytes as a font: null, with *why set, when they do not fit or
// the picture holds too few glyph boxes; the font must hold every printable
// ASCII character, which the game's text uses.
FONT *font_from_bytes(const std::vector<unsigned char> &bytes, const char **why);
