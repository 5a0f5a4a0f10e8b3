// The game's few needs of the host desktop (X11/Linux), kept apart from the game.
#pragma once

// Makes the folder holding bmp/, wav/ and xm/ the working directory, so the
// game's relative data paths work whatever directory it was started from.
// Looks in the current directory first, then beside the executable: an
// installed tree (<prefix>/share/nannyday) or the source tree (data/).
// Returns false, leaving the directory alone, when none holds the data.
bool enter_data_folder();

// No host mouse pointer may show over the game for the rest of the run.
void hide_host_pointer();

// The window's close button asks the game to end, as Exit does. The request
// is only recorded here; the game thread acts on it between frames.
void watch_close_button();
bool close_requested();
