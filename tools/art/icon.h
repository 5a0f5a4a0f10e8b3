// The desktop icon.
#pragma once

#include <string>

// The desktop icon at every hicolor size, under <dir>/icons/hicolor.
void icon_png(const std::string &dir);
// The same icon at 16, 32, 48 and 64 pixels as _NET_WM_ICON words, a C++ initialiser list.
void window_icon(const std::string &path);
