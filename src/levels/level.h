// The three playable levels are LevelLoop<0>, <1> and <2>, one file pair each.
#pragma once

template <int N>
struct LevelLoop;
