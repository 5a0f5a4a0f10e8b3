// The level backgrounds, level two's icon sheet and the trolley.
#pragma once

void bg0();
void bg1();
void bg2();
void l2sprites();
void trolley();
