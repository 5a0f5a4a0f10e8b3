// The music stream's three calls into DUMB's Allegro glue, the only ones the
// game makes. They stand apart so that a test build can link a watcher in
// their place (tests/support/stream_log.cpp), as the headless tests link a
// stand-in for the whole audio module.
#pragma once

#include <aldumb.h>

// The one stream format the game uses: stereo at 11,000 Hz, handed over in
// blocks of 4,096 samples. A block lasts 372 ms, far longer than the frame
// loop ever waits between polls.
const int STREAM_CHANNELS = 2;
const int STREAM_BLOCK = 4096;
const int STREAM_FREQ = 11000;

// A player of the track from its start, in that format;
// null for a missing track.
AL_DUH_PLAYER *start_stream(DUH *track);
// Refills the stream; an empty handle does nothing.
void poll_stream(AL_DUH_PLAYER *player);
// Ends a player; an empty handle does nothing.
void stop_stream(AL_DUH_PLAYER *player);
