#pragma once
// The one entry point of the sound part module. The module holds every line that links the sound
// libraries (GStreamer and what it pulls in), so that the program loads them only when it first
// sounds, and on a thread other than the GUI thread.

#include <stddef.h>

extern "C" {

// What became of one sound; told once, as soon as it is known.
enum RotenuSoundOutcome { ROTENU_SOUND_PLAYING = 0, ROTENU_SOUND_CANNOT_PLAY = 1 };
typedef void (*RotenuSoundOutcomeCallback)(void* context, int outcome);
// Whether a sound that plays is still wanted (non-zero) or is to stop now (zero).
typedef int (*RotenuSoundWantedCallback)(void* context);

// Plays the wave file whose bytes are `wave` (`size` of them), or the desktop sound theme's bell
// when `wave` is null, through the desktop's sound server. Blocks the calling thread until the
// sound has ended, failed or is no longer `wanted` (asked several times a second while it plays);
// a server that does not answer can hold it for the sound server's own time-out. The bell's file is
// read whole before the server is reached. `outcome` runs on the calling thread once, as soon as
// the sound is heard or known to fail. A bell that the desktop's settings silence (event sounds
// off) or that the theme marks as silent is told as playing: that silence is the bell.
typedef void (*RotenuSoundPlayFunction)(const char* wave, size_t size, RotenuSoundOutcomeCallback outcome,
                                        RotenuSoundWantedCallback wanted, void* context);
// Readies the sound libraries (GStreamer's plugin list, built anew on a user's first run) so that
// the first sound starts as soon as later ones. Optional; the first sound does it otherwise.
typedef void (*RotenuSoundPrepareFunction)(void);
}

#define ROTENU_SOUND_PART "rotenu-sound"
#define ROTENU_SOUND_PLAY_SYMBOL "rotenu_sound_play"
#define ROTENU_SOUND_PREPARE_SYMBOL "rotenu_sound_prepare"
