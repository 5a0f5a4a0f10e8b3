// Reading a data file whole and handing its bytes to a guarded decoder, from memory.
#pragma once

#include <allegro.h>

#include <cstddef>
#include <vector>

// Reads a whole data file: nullptr on success, else why not ("missing",
// "not a regular file", "empty", "too large", ...).
const char *read_data_file(const char *path, std::vector<unsigned char> &out);

// The one buffer start-up reads its files into, kept from file to file: a
// fresh buffer for each would make the kernel map and clear its pages anew,
// which cost start-up more than decoding the pictures.
std::vector<unsigned char> &read_buffer();

// One line on stderr naming a data file the game could not use, and why.
void warn_unloadable(const char *path, const char *why);
// One line on stderr naming a data file the game loaded only after repairing
// its copy in memory, and what it repaired.
void note_repaired(const char *path, const char *what);

// Reads a data file whole and hands it to one of the guarded decoders
// (image_from_bytes, effect_from_bytes, ...); a file that cannot be used is
// named on stderr and gives null; a file that loads only after a repair is
// named on stderr too, with what was repaired.
template <class T>
T *load_checked(const char *path, T *(*decode)(const std::vector<unsigned char> &, const char **))
{
    std::vector<unsigned char> &bytes = read_buffer();
    const char *why = read_data_file(path, bytes);
    T *loaded = why ? nullptr : decode(bytes, &why);
    if (!loaded)
        warn_unloadable(path, why);
    else if (why)
        note_repaired(path, why);
    return loaded;
}

// Reads bytes already in memory through Allegro's file interface. The
// reader must outlive the PACKFILE.
struct ByteReader {
    const std::vector<unsigned char> *bytes;
    size_t pos;
};
PACKFILE *open_bytes(ByteReader &reader);

// Runs one of Allegro's PACKFILE readers over checked bytes in memory. Null,
// with *why set, when the memory file cannot be opened or the reader fails.
template <class Read>
auto read_from_memory(const std::vector<unsigned char> &bytes, Read read, const char *unreadable,
                      const char **why) -> decltype(read(nullptr))
{
    ByteReader r{&bytes, 0};
    PACKFILE *pf = open_bytes(r);
    if (!pf) {
        *why = "out of memory";
        return nullptr;
    }
    auto loaded = read(pf);
    pack_fclose(pf);
    if (!loaded)
        *why = unreadable;
    return loaded;
}
