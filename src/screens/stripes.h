// The striped background behind the intro and the title menu.
#pragma once

void draw_stripes();
