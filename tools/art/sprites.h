// Pip and Rosa as level one's 32x32 sprites, pixel by pixel.
#pragma once

void img1();
void img2();
