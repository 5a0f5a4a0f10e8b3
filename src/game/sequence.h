// The road of the game: intro, then title menu and runs until the player leaves.
#pragma once

// Runs every scene in order, switching music before each; returns the
// program's exit status (0) once the title menu is left.
int run_sequence();
