// The instruments the songs draw on.
#pragma once

#include "common/writers.h"

// Each for the notes [low, high] at a tempo.
XmInstrument flute(int bpm, int low, int high, int panning);
XmInstrument brass(int bpm, int low, int high, int panning);
XmInstrument clarinet(int bpm, int low, int high, int panning);
XmInstrument oboe(int bpm, int low, int high, int panning);
XmInstrument organ(int bpm, int low, int high, int panning);
XmInstrument strings(int bpm, int low, int high, int panning);
XmInstrument cello(int bpm, int low, int high);          // bowed, held
XmInstrument plucked_bass(int bpm, int low, int high);   // round, short
XmInstrument picked_bass(int bpm, int low, int high);    // brighter, for eighths
XmInstrument music_box(int bpm, int low, int high, int panning);
XmInstrument harp(int bpm, int low, int high, int panning);
XmInstrument vibes(int bpm, int low, int high, int panning);
XmInstrument electric_piano(int bpm, int low, int high, int panning);
XmInstrument pizzicato_bass(int bpm, int low, int high);
XmInstrument kick(int bpm, double punch);
XmInstrument snare(int bpm, double snap);
XmInstrument brush(int bpm, int panning);
XmInstrument hat(int bpm, double length, int panning);
XmInstrument shaker(int bpm, int panning);
XmInstrument woodblock(int bpm, int panning);
XmInstrument ride(int bpm, int panning);
XmInstrument crash(int bpm, int panning);
XmInstrument clap(int bpm, int panning);
XmInstrument tom(int bpm);
