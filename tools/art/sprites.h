// Pip and Rosa as level one's 32x32 sprites, in the story's own design.
#pragma once

void img1();
void img2();
