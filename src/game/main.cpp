// Entry point: find the data, start up, play.
#include "game/sequence.h"
#include "core/startup.h"
#include "platform/platform.h"

#include <allegro.h>

#include <cstdio>

int main(int, char **)
{
    if (!enter_data_folder())
        fprintf(stderr, "nannyday: no data folder (bmp/font.pcx and the rest) here or beside the program; looking in the current directory\n");
    init();
    return run_sequence();
}
END_OF_MAIN()
