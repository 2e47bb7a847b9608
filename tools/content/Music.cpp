#include "content/Music.h"

#include <map>
#include <string>
#include <tuple>

#include "content/Instruments.h"
#include "content/Reverb.h"
#include "content/Synth.h"

namespace {

constexpr double kBar = 4.0 * 60.0 / kMusicTempo;  // seconds
constexpr double kStep = kBar / 16.0;              // a sixteenth note

// A chord by name, as the notes of its triad (or seventh) around middle C.
std::vector<int> chordNotes(const std::string& name) {
    if (name == "C") {
        return {60, 64, 67};
    }
    if (name == "Am") {
        return {57, 60, 64};
    }
    if (name == "F") {
        return {53, 57, 60};
    }
    if (name == "G") {
        return {55, 59, 62};
    }
    if (name == "G7") {
        return {55, 59, 62, 65};
    }
    if (name == "Em") {
        return {52, 55, 59};
    }
    return {50, 53, 57};  // Dm
}

// A bar holds one chord, or two on its halves ("F G").
using Bar = std::vector<std::string>;
using Progression = std::vector<Bar>;

// Melody notes as (midi, sixteenths); midi 0 rests.
using Line = std::vector<std::pair<int, int>>;

const Progression kVerse = {{"C"}, {"Am"}, {"F"}, {"G"}, {"C"}, {"Am"}, {"F", "G"}, {"C"}};
const Progression kChorus = {{"F"}, {"G"}, {"Em"}, {"Am"}, {"Dm"}, {"G"}, {"C"}, {"G7"}};
const Progression kBridge = {{"Am"}, {"F"}, {"C"}, {"G"}, {"Am"}, {"F"}, {"C"}, {"G"}};
const Progression kTurn = {{"C"}, {"Am"}, {"F"}, {"G"}};
const Progression kBreak = {{"Am"}, {"F"}, {"C"}, {"G"}};
const Progression kEnding = {{"F"}, {"G"}, {"C"}, {"C"}};

const Line kVerseTune = {
    {79, 2}, {76, 2}, {79, 2}, {84, 4}, {83, 2}, {81, 2}, {79, 2},           // C
    {81, 4}, {76, 2}, {72, 2}, {76, 8},                                      // Am
    {77, 2}, {81, 2}, {84, 2}, {81, 2}, {79, 2}, {77, 2}, {76, 2}, {77, 2},  // F
    {79, 6}, {74, 2}, {79, 4}, {0, 4},                                       // G
    {79, 2}, {76, 2}, {79, 2}, {84, 4}, {86, 2}, {88, 2}, {86, 2},           // C
    {84, 4}, {81, 2}, {76, 2}, {81, 8},                                      // Am
    {77, 2}, {81, 2}, {84, 2}, {89, 2}, {86, 2}, {83, 2}, {79, 2}, {83, 2},  // F G
    {84, 8}, {0, 8}};                                                        // C

const Line kChorusTune = {{81, 4}, {84, 4}, {81, 2}, {79, 2}, {77, 4},  // F
                          {79, 4}, {83, 4}, {86, 8},                    // G
                          {88, 6}, {86, 2}, {83, 4}, {79, 4},           // Em
                          {81, 8}, {84, 4}, {88, 4},                    // Am
                          {89, 4}, {88, 2}, {86, 2}, {81, 4}, {77, 4},  // Dm
                          {79, 2}, {81, 2}, {83, 2}, {86, 2}, {83, 8},  // G
                          {84, 4}, {88, 4}, {79, 4}, {84, 4},           // C
                          {86, 6}, {83, 2}, {79, 8}};                   // G7

const Line kBridgeTune = {{76, 8}, {81, 4}, {83, 4},  {84, 8}, {81, 8}, {79, 4}, {76, 4},
                          {79, 4}, {84, 4}, {83, 16}, {84, 8}, {83, 4}, {81, 4}, {81, 8},
                          {77, 8}, {76, 4}, {79, 4},  {84, 4}, {88, 4}, {86, 16}};

const Line kEndingTune = {{81, 4}, {84, 4}, {89, 8}, {86, 4}, {83, 4}, {79, 8}, {84, 16}, {0, 16}};

struct Note {
    double start;  // seconds
    double held;   // seconds
    int midi;
};

// Everything the piece plays, voice by voice.
struct Score {
    std::vector<Note> tune, bass, pad, arp;
    std::vector<double> kicks, snares, hats, openHats;
    std::vector<double> hatLevels;
};

double barStart(int bar) {
    return bar * kBar;
}

void addTune(Score& s, int bar, const Line& line, int transpose = 0) {
    double at = barStart(bar);
    for (const auto& [midi, steps] : line) {
        if (midi != 0) {
            s.tune.push_back({at, steps * kStep * 0.9, midi + transpose});
        }
        at += steps * kStep;
    }
}

// Chords, bass and (optionally) arpeggios for a progression from `bar` on.
void addHarmony(Score& s, int bar, const Progression& p, bool arpeggios, bool walkingBass) {
    for (size_t b = 0; b < p.size(); ++b) {
        const double barAt = barStart(bar + static_cast<int>(b));
        const double part = kBar / p[b].size();
        for (size_t c = 0; c < p[b].size(); ++c) {
            const std::vector<int> notes = chordNotes(p[b][c]);
            const double at = barAt + c * part;
            for (int n : notes) {
                s.pad.push_back({at, part * 0.95, n});
            }
            // Bass: root on the beat, octave and fifth between.
            const int root = notes[0] - 24 + (notes[0] < 55 ? 12 : 0);
            const int steps = static_cast<int>(part / kStep);
            const int pattern[] = {0, 0, 12, 0, 7, 0, 12, 7};
            for (int k = 0; k < steps / 2; ++k) {
                if (!walkingBass && k % 2 == 1) {
                    continue;
                }
                s.bass.push_back(
                    {at + 2 * k * kStep, (walkingBass ? 1.6 : 3.2) * kStep, root + pattern[k % 8]});
            }
            if (arpeggios) {
                // Up and down the chord an octave above, in sixteenths.
                const int order[] = {0, 1, 2, 3, 2, 1, 0, 1};
                for (int k = 0; k < steps; ++k) {
                    const int i = order[k % 8];
                    const int n =
                        i < static_cast<int>(notes.size()) ? notes[i] + 12 : notes[0] + 24;
                    s.arp.push_back({at + k * kStep, kStep * 1.5, n});
                }
            }
        }
    }
}

enum class Groove { Sparse, Steady, Busy };

void addDrums(Score& s, int bar, int bars, Groove g, bool fill) {
    for (int b = 0; b < bars; ++b) {
        const double at = barStart(bar + b);
        const bool last = b == bars - 1;
        s.kicks.push_back(at);
        if (g != Groove::Sparse) {
            s.kicks.push_back(at + 8 * kStep);
            if (g == Groove::Busy && b % 2 == 1) {
                s.kicks.push_back(at + 10 * kStep);
            }
            s.snares.push_back(at + 4 * kStep);
            s.snares.push_back(at + 12 * kStep);
        }
        const int every = g == Groove::Busy ? 1 : 2;
        for (int k = 0; k < 16; k += every) {
            if (g == Groove::Sparse && k % 4 != 2) {
                continue;
            }
            if (k == 14 && b % 2 == 1) {
                s.openHats.push_back(at + k * kStep);
                continue;
            }
            s.hats.push_back(at + k * kStep);
            s.hatLevels.push_back(k % 4 == 2 ? 1.0 : (k % 2 == 0 ? 0.6 : 0.4));
        }
        if (fill && last) {
            for (int k : {13, 14, 15}) {
                s.snares.push_back(at + k * kStep);
            }
        }
    }
}

Score writeScore() {
    Score s;
    int bar = 0;
    // Intro
    addHarmony(s, bar, kTurn, true, false);
    addDrums(s, bar, 4, Groove::Sparse, true);
    bar += 4;
    // Verse twice, the second with arpeggios under it.
    addHarmony(s, bar, kVerse, false, true);
    addTune(s, bar, kVerseTune);
    addDrums(s, bar, 8, Groove::Steady, true);
    bar += 8;
    addHarmony(s, bar, kVerse, true, true);
    addTune(s, bar, kVerseTune);
    addDrums(s, bar, 8, Groove::Steady, true);
    bar += 8;
    // Chorus
    addHarmony(s, bar, kChorus, true, true);
    addTune(s, bar, kChorusTune);
    addDrums(s, bar, 8, Groove::Busy, true);
    bar += 8;
    // Break: arpeggios and pads over a light beat.
    addHarmony(s, bar, kBreak, true, false);
    addDrums(s, bar, 4, Groove::Sparse, true);
    bar += 4;
    addHarmony(s, bar, kVerse, false, true);
    addTune(s, bar, kVerseTune);
    addDrums(s, bar, 8, Groove::Steady, true);
    bar += 8;
    // Bridge, the tune an octave down.
    addHarmony(s, bar, kBridge, true, false);
    addTune(s, bar, kBridgeTune, -12);
    addDrums(s, bar, 8, Groove::Steady, true);
    bar += 8;
    // Last chorus, doubled an octave up.
    addHarmony(s, bar, kChorus, true, true);
    addTune(s, bar, kChorusTune);
    addTune(s, bar, kChorusTune, 12);
    addDrums(s, bar, 8, Groove::Busy, true);
    bar += 8;
    // Ending
    addHarmony(s, bar, kEnding, true, false);
    addTune(s, bar, kEndingTune);
    addDrums(s, bar, 3, Groove::Steady, false);
    s.kicks.push_back(barStart(bar + 3));
    return s;
}

// Mixes a mono sound into the stereo dry bus (and the reverb send) at a pan in [-1, 1].
struct Mixer {
    std::vector<float> dry, send;

    void add(const std::vector<float>& sound, double start, double gain, double pan,
             double reverb) {
        const size_t at = static_cast<size_t>(start * kMusicRate) * 2;
        const double left = gain * std::sqrt(0.5 * (1.0 - pan));
        const double right = gain * std::sqrt(0.5 * (1.0 + pan));
        for (size_t i = 0; i < sound.size() && at + 2 * i + 1 < dry.size(); ++i) {
            dry[at + 2 * i] += static_cast<float>(sound[i] * left);
            dry[at + 2 * i + 1] += static_cast<float>(sound[i] * right);
            send[at + 2 * i] += static_cast<float>(sound[i] * left * reverb);
            send[at + 2 * i + 1] += static_cast<float>(sound[i] * right * reverb);
        }
    }
};

}  // namespace

int musicBars() {
    return 60;
}

std::vector<float> composeMusic() {
    using namespace instruments;
    const Score score = writeScore();
    const size_t frames = static_cast<size_t>((musicBars() + 1) * kBar * kMusicRate);
    Mixer mix{std::vector<float>(frames * 2), std::vector<float>(frames * 2)};

    // The same pitch held as long sounds the same every time: render it once.
    using Voice = std::vector<float> (*)(double, double, int);
    std::map<std::tuple<Voice, int, long>, std::vector<float>> rendered;
    auto voice = [&](Voice v, const Note& n) -> const std::vector<float>& {
        const auto key = std::make_tuple(v, n.midi, std::lround(n.held * 1e6));
        auto found = rendered.find(key);
        if (found == rendered.end()) {
            found = rendered.emplace(key, v(synth::noteHz(n.midi), n.held, kMusicRate)).first;
        }
        return found->second;
    };
    for (const Note& n : score.tune) {
        mix.add(voice(mallet, n), n.start, 0.42, 0.15, 0.35);
    }
    for (const Note& n : score.bass) {
        mix.add(voice(bass, n), n.start, 0.26, 0.0, 0.0);
    }
    for (size_t i = 0; i < score.pad.size(); ++i) {
        const Note& n = score.pad[i];
        mix.add(voice(pad, n), n.start, 0.07, i % 2 == 0 ? -0.5 : 0.5, 0.5);
    }
    for (size_t i = 0; i < score.arp.size(); ++i) {
        const Note& n = score.arp[i];
        mix.add(pluck(synth::noteHz(n.midi), n.held, kMusicRate, 0xA000 + i), n.start, 0.13, -0.35,
                0.3);
    }
    const std::vector<float> kickSound = kick(kMusicRate);
    for (double t : score.kicks) {
        mix.add(kickSound, t, 0.45, 0.0, 0.0);
    }
    for (size_t i = 0; i < score.snares.size(); ++i) {
        mix.add(snare(kMusicRate, 0x5000 + i), score.snares[i], 0.28, 0.05, 0.25);
    }
    for (size_t i = 0; i < score.hats.size(); ++i) {
        mix.add(hat(kMusicRate, false, 0x4A70 + i), score.hats[i], 0.12 * score.hatLevels[i], 0.3,
                0.0);
    }
    for (size_t i = 0; i < score.openHats.size(); ++i) {
        mix.add(hat(kMusicRate, true, 0x0BE0 + i), score.openHats[i], 0.1, 0.3, 0.1);
    }

    const std::vector<float> wet = reverberate(mix.send, kMusicRate);
    std::vector<float> out(frames * 2);
    for (size_t i = 0; i < out.size(); ++i) {
        out[i] = mix.dry[i] + 0.6f * wet[i];
    }
    // Fade the last bar out so the piece ends softly.
    const size_t fade = static_cast<size_t>(kBar * kMusicRate);
    for (size_t f = frames - fade; f < frames; ++f) {
        const float g = static_cast<float>(double(frames - f) / fade);
        out[2 * f] *= g;
        out[2 * f + 1] *= g;
    }
    synth::normalise(out, 0.89);
    return out;
}
