// The striped background behind the intro and the title menu.
#include "screens/stripes.h"

#include "core/resources.h"

void draw_stripes()
{
    int even = makecol(58, 178, 211);
    int odd = makecol(157, 79, 108);
    for (int y = 0; y < 480; y++)
        hline(buffer, 0, y, 639, (y % 2 == 0) ? even : odd);
}
