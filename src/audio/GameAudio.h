#pragma once

#include <SDL2/SDL_mixer.h>

// The game's five sounds through SDL2_mixer: the bee's buzz, looped for the
// whole run, a piece of music played once, and three short event sounds.
//
// Nothing here can stop the game: a sound device that will not open or a
// file that will not load costs one line on standard error, and that sound
// (or all of them) stays silent. The World makes one at start-up and keeps
// it for the whole run.
class GameAudio {
public:
    static constexpr const char* kBuzzFile = "data/fly_swarm.mp3";
    static constexpr const char* kFlowerHitFile = "data/music_b.mp3";
    static constexpr const char* kMusicFile = "data/music_a.mp3";
    static constexpr const char* kBombDropFile = "data/bubble_pop.wav";
    static constexpr const char* kNoBombsFile = "data/synth_loop.aif";
    static constexpr int kMixingChannels = 100;

    bool system;  // the mixer device is open
    Mix_Chunk* buzz;
    Mix_Chunk* flowerHitSound;
    Mix_Music* music;
    Mix_Chunk* bombDropSound;
    Mix_Chunk* noBombsSound;
    int lastResult;  // channel (or -1) of the last playback started; nobody reads it

    // Opens the device, loads the five files relative to the working
    // directory and starts the buzz and the music.
    GameAudio();
    // The game never deletes its GameAudio; this is for short-lived ones.
    ~GameAudio();
    GameAudio(const GameAudio&) = delete;
    GameAudio& operator=(const GameAudio&) = delete;

    // Each starts its sound on a free channel and returns at once; a sound
    // that did not load plays nothing.
    void playFlowerHit();
    void playBombDrop();
    void playNoBombs();

private:
    void play(Mix_Chunk* chunk);
};
