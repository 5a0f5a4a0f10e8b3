// The music's XM modules: their check and in-memory repair, and their decoder into a DUH.
#pragma once

#include <aldumb.h>

#include <cstddef>
#include <vector>

// nullptr when the bytes are fit for DUMB's XM reader, else a few words
// saying why not: DUMB trusts the numbers in the module, and odd values crash
// it. A value DUMB would trip over but whose meaning is plain (a tempo above
// 255, an envelope past 12 points or level 64) is clamped in `copy`, which is
// left empty when the original will do; *repaired then names the repair.
const char *check_xm(const unsigned char *d, size_t n, std::vector<unsigned char> &copy,
                     const char **repaired);

// The checked (and, where needed, repaired) bytes as a module: null, with *why
// set, when they do not fit; otherwise *why names what was repaired, or is null.
DUH *track_from_bytes(const std::vector<unsigned char> &bytes, const char **why);
