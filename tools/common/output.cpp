// Where the generator writes, and the canvas and save every picture goes through.
#include "common/output.h"

#include "common/writers.h"

std::string out;

BITMAP *canvas(int w, int h, int r, int g, int b)
{
    BITMAP *bmp = create_bitmap_ex(32, w, h);
    clear_to_color(bmp, makecol32(r, g, b));
    return bmp;
}

void save(BITMAP *bmp, const char *name)
{
    write_bmp(out + "/bmp/" + name, bmp);
    destroy_bitmap(bmp);
}
