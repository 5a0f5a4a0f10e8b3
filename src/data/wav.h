// The sound effects' WAV files: their check, and their decoder into a sample.
#pragma once

#include <allegro.h>

#include <cstddef>
#include <vector>

// nullptr when the bytes are fit for Allegro's WAV reader, else a few words
// saying why not. A size larger than the file makes Allegro allocate it.
const char *check_wav(const unsigned char *d, size_t n);

// The checked bytes as a sample: null, with *why set, when they do not fit.
SAMPLE *effect_from_bytes(const std::vector<unsigned char> &bytes, const char **why);
