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
    // Each event sound has a channel of its own, kept out of the free ones.
    static constexpr int kFlowerHitChannel = 0;
    static constexpr int kBombDropChannel = 1;
    static constexpr int kNoBombsChannel = 2;
    static constexpr int kEventChannels = 3;

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

    // Each starts its sound and returns at once; a sound that did not load
    // plays nothing. Played again, a sound restarts on its own channel
    // rather than taking another: E held with no bombs left would otherwise
    // stack the refusal sound on every free channel, which clips.
    void playFlowerHit();
    void playBombDrop();
    void playNoBombs();

private:
    void play(Mix_Chunk* chunk, int channel);
};
