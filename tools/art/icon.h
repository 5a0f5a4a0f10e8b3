// The desktop icon.
#pragma once

#include <string>

// The desktop icon at every hicolor size, under <dir>/icons/hicolor.
void icon_png(const std::string &dir);
