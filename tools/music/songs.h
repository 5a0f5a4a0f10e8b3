// The four songs the generator composes: one function per module.
#pragma once

void track_0();
void track_1();
void track_2();
void track_int();
