// The music stream's three calls into DUMB's Allegro glue, the only ones the
// game makes. They stand apart so that a test build can link a watcher in
// their place (tests/support/stream_log.cpp), as the headless tests link a
// stand-in for the whole audio module.
#pragma once

#include <aldumb.h>

// A player of the track from its start, in the one stream format the game
// uses; null for a missing track.
AL_DUH_PLAYER *start_stream(DUH *track);
// Refills the stream; an empty handle does nothing.
void poll_stream(AL_DUH_PLAYER *player);
// Ends a player; an empty handle does nothing.
void stop_stream(AL_DUH_PLAYER *player);
