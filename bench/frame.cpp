// Frame benchmark: the real World in a 1024x768 GLUT window (run it under
// Xvfb for Mesa's software renderer), played by a script, timed per frame.
//
//   cd <build> && xvfb-run -a -s "-screen 0 1280x1024x24" ./bench/bench_frame [seconds]
//
// Run from a directory holding the generated data/. Reports, from one run:
//   - the floor: an empty frame (clear + swap) at the same size;
//   - a scripted game (flying, turning, dropping bombs): display + idle, and
//     the same play drawn without the shadow pass, with the pass's share;
//   - the countdown against the wall clock over that play;
//   - the game with more and more flowers in the level, up to 10,000.
#include <GL/freeglut.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <list>
#include <vector>

#include "app/GameWindow.h"
#include "app/World.h"
#include "assets/FlowerKind.h"
#include "player/Bee.h"
#include "scene/Flower.h"
#include "scene/Node.h"
#include "scene/SceneObject.h"

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Frame times in ms at the quantiles the report shows (nearest rank below).
struct Stats {
    double p10;
    double p25;
    double median;
    double p75;
    double p90;
    double p99;
    size_t frames;
};

Stats summarise(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    if (ms.empty()) {
        return {0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0};
    }
    const auto at = [&](double q) { return ms[static_cast<size_t>(q * double(ms.size() - 1))]; };
    return {at(0.1), at(0.25), at(0.5), at(0.75), at(0.9), at(0.99), ms.size()};
}

void print(const char* what, const Stats& s) {
    std::printf(
        "%-34s frames %6zu  p10 %8.3f  p25 %8.3f  median %8.3f  p75 %8.3f  p90 %8.3f  p99 %8.3f "
        "ms\n",
        what, s.frames, s.p10, s.p25, s.median, s.p75, s.p90, s.p99);
}

Stats emptyFrames(double seconds) {
    std::vector<double> ms;
    const auto start = Clock::now();
    while (secondsSince(start) < seconds) {
        const auto t0 = Clock::now();
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
        glutSwapBuffers();
        glFinish();
        ms.push_back(secondsSince(t0) * 1000.0);
        glutMainLoopEvent();
    }
    return summarise(ms);
}

// The input a player would give at time t of the script.
void steer(double t) {
    Bee* bee = theWorld->bee;
    const int phase = static_cast<int>(t) % 12;
    if (phase < 6) {
        bee->addThrust(2.0f);
    } else if (phase < 8) {
        bee->addYawRate(0.15f);
    } else {
        bee->addStrafe(phase < 10 ? 2.0f : -2.0f);
    }
}

// The game's display with the shadow pass left out: what the frame costs
// without shadows, drawn here rather than offered by the game.
void displayWithoutShadows() {
    beginFrame();
    theWorld->drawScene();
    theWorld->drawOverlay();
    endFrame();
}

struct Play {
    Stats full;          // frames as the game draws them
    Stats noShadow;      // the same play drawn without the shadow pass
    double realSeconds;  // wall time while the game ran
    double gameSeconds;  // what the countdown counted meanwhile
};

// Scripted play as GLUT runs it (display, idle, events), a bomb every
// 0.75 s so the 100 bombs outlast a minute. A frame is timed from the start
// of one loop pass to the start of the next, as the game's own clock does,
// with no glFinish: exactly what a player waits for. With alternate set, the
// play switches every second between the game's frame and the frame without
// shadows, so both see the same scene; the first frame after each switch is
// left out of both.
Play play(double seconds, bool alternate) {
    std::vector<double> full;
    std::vector<double> bare;
    const auto start = Clock::now();
    // Compared only while the game runs: the hundredth bomb sets the clock to 0.
    const float timeAtStart = theWorld->timeLeft;
    float timeWhileRunning = timeAtStart;
    double realWhileRunning = 0.0;
    double nextBomb = 0.0;
    bool wasBare = false;
    bool first = true;
    auto passStart = Clock::now();
    while (secondsSince(start) < seconds) {
        const double t = secondsSince(start);
        const bool isBare = alternate && static_cast<int>(t) % 2 == 1;
        if (t >= nextBomb) {
            theWorld->spawnBomb();
            nextBomb += 0.75;
        }
        steer(t);
        if (isBare) {
            displayWithoutShadows();
        } else {
            display();
        }
        idle();
        glutMainLoopEvent();
        const auto passEnd = Clock::now();
        if (!first && isBare == wasBare) {
            const double ms = std::chrono::duration<double>(passEnd - passStart).count() * 1000.0;
            (isBare ? bare : full).push_back(ms);
        }
        first = false;
        wasBare = isBare;
        passStart = passEnd;
        if (!theWorld->gameOver) {
            realWhileRunning = secondsSince(start);
            timeWhileRunning = theWorld->timeLeft;
        }
    }
    return {summarise(full), summarise(bare), realWhileRunning,
            double(timeAtStart) - double(timeWhileRunning)};
}

void addFlowers(int count, unsigned* seed) {
    for (int i = 0; i < count; ++i) {
        *seed = *seed * 1103515245u + 12345u;
        const float x = static_cast<float>((*seed >> 8) % 1400) / 10.0f - 70.0f;
        *seed = *seed * 1103515245u + 12345u;
        const float z = static_cast<float>((*seed >> 8) % 1400) / 10.0f - 70.0f;
        const FlowerKind& tulip = kFlowerKinds[0];
        auto* f = new Flower(x, 0.0f, z, 0.0f, 0.0f, 0.0f, 1.0f, tulip.points, tulip.sphereX,
                             tulip.sphereY, tulip.sphereZ, tulip.sphereRadius);
        f->setModelFile(tulip.lod0Model);
        f->setLodModelFile(tulip.lod1Model);
        f->loadModel();
        f->loadLodModel();
        f->setCastsShadow(true);
        theWorld->flowers->push_back(f);
        theWorld->root->addChild(f);
        f->castShadow(-20.0f, 100.0f, 0.0f);
    }
}

// Shadow-volume quads the shadow pass draws (twice each), by kind of object:
// the fill they cost is most of a frame on a software renderer.
void printShadowQuads() {
    long flowers = 0, others = 0;
    for (Flower* f : *theWorld->flowers) {
        flowers += f->silhouetteIndexCount / 2;
    }
    for (Node* n : *theWorld->root->children) {
        if (auto* o = dynamic_cast<SceneObject*>(n); o != nullptr && o->castsShadow) {
            others += o->silhouetteIndexCount / 2;
        }
    }
    others -= flowers;
    std::printf("shadow quads: %ld from %zu flowers, %ld from the other objects\n", flowers,
                theWorld->flowers->size(), others);
}

}  // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 60.0;
    glutInit(&argc, argv);
    glutInitDisplayMode(kDisplayMode);
    glutInitWindowSize(windowWidth, windowHeight);
    glutCreateWindow("Zumbra");
    initGL();
    // The benchmark draws the frames itself; GLUT only needs a callback to exist.
    glutDisplayFunc([] {});
    reshape(windowWidth, windowHeight);
    glutMainLoopEvent();

    std::printf("renderer: %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    const Stats floor = emptyFrames(std::min(seconds / 6.0, 10.0));
    print("empty frame (clear + swap)", floor);

    printShadowQuads();
    const Play game = play(seconds, true);
    print("scripted game (display + idle)", game.full);
    print("same play without the shadow pass", game.noShadow);
    std::printf("%-34s median %.2fx  p99 %.2fx of the no-shadow median\n", "ratio to no shadows",
                game.full.median / game.noShadow.median, game.full.p99 / game.noShadow.median);
    std::printf("%-34s median %.2fx  p99 %.2fx of the empty frame median\n", "ratio to empty",
                game.full.median / floor.median, game.full.p99 / floor.median);
    std::printf("shadow pass share of the median frame: %.1f %%\n",
                100.0 * (1.0 - game.noShadow.median / game.full.median));
    std::printf("countdown: %.2f game seconds in %.2f real seconds (%+.2f %%)\n", game.gameSeconds,
                game.realSeconds, 100.0 * (game.gameSeconds / game.realSeconds - 1.0));

    // Every row drops bombs: the scripted game above has used up most of them.
    unsigned seed = 12345u;
    int present = static_cast<int>(theWorld->flowers->size());
    for (int target : {100, 200, 500, 1000, 2000, 5000, 10000}) {
        addFlowers(target - std::min(present, target), &seed);
        present = std::max(present, target);
        theWorld->bombsLeft = 100;
        char label[64];
        std::snprintf(label, sizeof label, "with %d flowers",
                      static_cast<int>(theWorld->flowers->size()));
        print(label, play(std::min(seconds / 6.0, 10.0), false).full);
    }
    return 0;
}
