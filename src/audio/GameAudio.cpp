#include "audio/GameAudio.h"

#include <SDL2/SDL.h>

#include <cstdio>
#include <string>

#include "assets/RegularFile.h"

namespace {

constexpr int kFrequency = 44100;
constexpr int kOutputChannels = 2;
constexpr int kBufferSamples = 2048;
constexpr int kFreeChannel = -1;
constexpr int kForever = -1;

// Opening and decoding are separate steps so the message says which failed.
// SDL opens the file itself: it must not meet a FIFO or a device there.
SDL_RWops* openSound(const char* path) {
    std::string refused;
    if (!RegularFile::check(path, &refused)) {
        std::fprintf(stderr, "%s: %s; this sound stays silent\n", path, refused.c_str());
        return nullptr;
    }
    SDL_RWops* file = SDL_RWFromFile(path, "rb");
    if (file == nullptr) {
        std::fprintf(stderr, "%s: cannot open (%s); this sound stays silent\n", path,
                     SDL_GetError());
    }
    return file;
}

Mix_Chunk* loadChunk(const char* path) {
    SDL_RWops* file = openSound(path);
    if (file == nullptr) {
        return nullptr;
    }
    Mix_Chunk* chunk = Mix_LoadWAV_RW(file, 1);
    if (chunk == nullptr) {
        std::fprintf(stderr, "%s: not a sound SDL_mixer can decode (%s); it stays silent\n", path,
                     Mix_GetError());
    }
    return chunk;
}

Mix_Music* loadMusic(const char* path) {
    SDL_RWops* file = openSound(path);
    if (file == nullptr) {
        return nullptr;
    }
    Mix_Music* music = Mix_LoadMUS_RW(file, 1);
    if (music == nullptr) {
        std::fprintf(stderr, "%s: not music SDL_mixer can decode (%s); it stays silent\n", path,
                     Mix_GetError());
    }
    return music;
}

}  // namespace

GameAudio::GameAudio()
    : system(false),
      buzz(nullptr),
      flowerHitSound(nullptr),
      music(nullptr),
      bombDropSound(nullptr),
      noBombsSound(nullptr),
      lastResult(0) {
    // SDL would turn Ctrl-C and SIGTERM into a quit event that nothing here
    // reads; the game ends on them like any console program instead.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        std::fprintf(stderr, "sound: cannot start SDL audio (%s); the game runs silently\n",
                     SDL_GetError());
        return;
    }
    Mix_Init(MIX_INIT_MP3);
    if (Mix_OpenAudio(kFrequency, MIX_DEFAULT_FORMAT, kOutputChannels, kBufferSamples) != 0) {
        std::fprintf(stderr, "sound: cannot open the sound device (%s); the game runs silently\n",
                     Mix_GetError());
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return;
    }
    system = true;
    lastResult = Mix_AllocateChannels(kMixingChannels);
    lastResult = Mix_ReserveChannels(kEventChannels);

    buzz = loadChunk(kBuzzFile);
    flowerHitSound = loadChunk(kFlowerHitFile);
    music = loadMusic(kMusicFile);
    bombDropSound = loadChunk(kBombDropFile);
    noBombsSound = loadChunk(kNoBombsFile);

    if (buzz != nullptr) {
        lastResult = Mix_PlayChannel(kFreeChannel, buzz, kForever);
    }
    if (music != nullptr) {
        lastResult = Mix_PlayMusic(music, 1);
    }
}

GameAudio::~GameAudio() {
    if (!system) {
        return;
    }
    Mix_HaltChannel(-1);
    Mix_HaltMusic();
    Mix_FreeChunk(buzz);
    Mix_FreeChunk(flowerHitSound);
    Mix_FreeMusic(music);
    Mix_FreeChunk(bombDropSound);
    Mix_FreeChunk(noBombsSound);
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void GameAudio::playFlowerHit() {
    play(flowerHitSound, kFlowerHitChannel);
}

void GameAudio::playBombDrop() {
    play(bombDropSound, kBombDropChannel);
}

void GameAudio::playNoBombs() {
    play(noBombsSound, kNoBombsChannel);
}

// Playing on a busy channel stops what plays there first.
void GameAudio::play(Mix_Chunk* chunk, int channel) {
    if (chunk != nullptr) {
        lastResult = Mix_PlayChannel(channel, chunk, 0);
    }
}
