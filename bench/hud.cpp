// The HUD lays out its text every frame and the highscore file is read once
// per game; both should stay far below a frame's budget (16 ms at 60 fps).
#include <benchmark/benchmark.h>

#include <list>
#include <string>

#include "hud/HighscoreFile.h"
#include "hud/HighscoreTable.h"
#include "hud/Hud.h"

namespace {

std::list<HighscoreEntry*> fullTable() {
    std::list<HighscoreEntry*> table;
    for (int i = 0; i < 9; ++i) {
        const std::string name = "player" + std::to_string(i) + "abcdefghijklm";
        table.push_back(
            HighscoreEntry::copyOf(name.data(), static_cast<int>(name.size()), 100000 - 1000 * i));
    }
    return table;
}

void clear(std::list<HighscoreEntry*>* table) {
    for (HighscoreEntry* e : *table) {
        delete e;
    }
    table->clear();
}

// The busiest screen: counters, frame rate, game over, every switch message
// and the table.
void BM_HudLayoutFullScreen(benchmark::State& state) {
    std::list<HighscoreEntry*> table = fullTable();
    Hud hud;
    hud.update(60);
    hud.setPoints(123456);
    hud.setBombs(42);
    hud.setTime(97);
    hud.toggleFramerate();
    hud.setGameOver(true);
    hud.setHighscoreTable(&table);
    for (auto _ : state) {
        hud.framerateMessageFrames = hud.wireframeMessageFrames = hud.lodsMessageFrames =
            hud.transparencyMessageFrames = hud.frustumCullingMessageFrames = 2;
        benchmark::DoNotOptimize(hud.layoutFrame());
    }
    clear(&table);
}
BENCHMARK(BM_HudLayoutFullScreen);

// The ordinary in-game frame: three counters.
void BM_HudLayoutPlaying(benchmark::State& state) {
    Hud hud;
    hud.setPoints(1234);
    hud.setBombs(77);
    hud.setTime(65);
    for (auto _ : state) {
        benchmark::DoNotOptimize(hud.layoutFrame());
    }
}
BENCHMARK(BM_HudLayoutPlaying);

void BM_HighscoreParseTable(benchmark::State& state) {
    std::list<HighscoreEntry*> table = fullTable();
    const std::string text = HighscoreFile::format(table);
    clear(&table);
    for (auto _ : state) {
        std::list<HighscoreEntry*> read;
        HighscoreFile::parse(text.data(), text.size(), &read);
        benchmark::DoNotOptimize(read.size());
        clear(&read);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_HighscoreParseTable);

// A hostile file: one megabyte without a line break is skipped in bounded memory.
void BM_HighscoreParseHugeLine(benchmark::State& state) {
    const std::string text(1 << 20, 'x');
    for (auto _ : state) {
        std::list<HighscoreEntry*> read;
        HighscoreFile::parse(text.data(), text.size(), &read);
        benchmark::DoNotOptimize(read.size());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_HighscoreParseHugeLine);

void BM_HighscoreInsert(benchmark::State& state) {
    std::list<HighscoreEntry*> table = fullTable();
    int score = 0;
    for (auto _ : state) {
        HighscoreTable::insert(&table,
                               HighscoreEntry::copyOf("newcomer", 8, 50000 + (score++ % 7)));
    }
    clear(&table);
}
BENCHMARK(BM_HighscoreInsert);

}  // namespace

BENCHMARK_MAIN();
