// The game's few needs of the host desktop (X11/Linux), kept apart from the game.
#pragma once

#include <string>

// Makes the game's data folder (bmp/, wav/, xm/) the working directory, so
// the game's relative data paths work whatever directory it was started from.
// A folder counts only when it holds the font, bmp/font.pcx. Looked for, in
// this order, with <exe> the executable's folder:
//   1. the current directory;
//   2. <exe>/../share/games/nannyday when <exe> is named games (the games
//      layout), else <exe>/../share/nannyday;
//   3. the other of those two;
//   4. <exe>/../data (the source tree, built in a folder of its own);
//   5. <exe>/data.
// Returns false, leaving the directory alone, when none holds the data.
bool enter_data_folder();
// The same search from another executable's folder.
bool enter_data_folder(const std::string &exe_dir);

// No host mouse pointer may show over the game for the rest of the run.
void hide_host_pointer();

// The window's close button asks the game to end, as Exit does. The request
// is only recorded here; the game thread acts on it between frames.
void watch_close_button();
bool close_requested();
