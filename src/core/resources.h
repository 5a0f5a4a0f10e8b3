// The pictures, the font and the colours every scene shares; loaded once at start-up.
#pragma once

#include "core/filecheck.h"

#include <allegro.h>

#include <cstddef>
#include <vector>

extern BITMAP *buffer;         // the off-screen frame, copied to the screen once a frame
extern BITMAP *bg[3];          // level backgrounds
extern BITMAP *l2sprites;      // level two's 3x3 sheet of 128x128 icons
extern BITMAP *child1;
extern BITMAP *nanny1;
extern BITMAP *trolley3;
extern BITMAP *title;
extern FONT *f;
extern BITMAP *scenes[4][20];  // [cutscene][picture]
extern const int imagecount[4];
extern int black;
extern int bgcol;

// Made after the screen mode is set, so they are that mode's pixel values.
void make_colours();

// Loads the pictures and the font in the game's fixed order. A picture that
// fails is left null (and named on stderr); without the font nothing can be
// shown, so that ends the program with status 1.
void load_images();

// One line on stderr naming a data file the game could not use, and why.
void warn_unloadable(const char *path, const char *why);
// One line on stderr naming a data file the game loaded only after repairing
// its copy in memory, and what it repaired.
void note_repaired(const char *path, const char *what);

// Reads a data file whole and hands it to one of the guarded decoders below;
// a file that cannot be used is named on stderr and gives null; a file that
// loads only after a repair is named on stderr too, with what was repaired.
template <class T>
T *load_checked(const char *path, T *(*decode)(const std::vector<unsigned char> &, const char **))
{
    std::vector<unsigned char> bytes;
    const char *why = read_data_file(path, bytes);
    T *loaded = why ? nullptr : decode(bytes, &why);
    if (!loaded)
        warn_unloadable(path, why);
    else if (why)
        note_repaired(path, why);
    return loaded;
}

// The guarded decoders behind loading: the bytes are checked against their
// format before the library sees them. Null, with *why set, when they do not
// fit; otherwise *why names what had to be repaired, or is null.
BITMAP *image_from_bytes(const std::vector<unsigned char> &bytes, const char **why);
// The font must hold every printable ASCII character, which the game's text uses.
FONT *font_from_bytes(const std::vector<unsigned char> &bytes, const char **why);

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

// Drawing that skips a picture whose file failed to load.
void blit_image(BITMAP *src, int sx, int sy, int dx, int dy, int w, int h);
void masked_image(BITMAP *src, int sx, int sy, int dx, int dy, int w, int h);
