// How the running scene ended, and the key latch the scenes share.
#pragma once

// How the running scene ended; the sequence reads only quit.
extern bool finishedtitle;
extern bool quit;

// Esc's edge latch in the title menu and the levels: true while Esc counts as
// already held. The latches of one scene alone live in that scene's file.
extern bool escpressed;
