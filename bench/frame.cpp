// Frame benchmark: the real World in a 1024x768 GLUT window (run it under
// Xvfb for Mesa's software renderer), played by a script, timed per frame.
//
//   cd <build> && xvfb-run -a -s "-screen 0 1280x1024x24" ./bench/bench_frame [seconds]
//
// Run from a directory holding the generated data/. Reports, from one run:
//   - the floor: an empty frame (clear + swap) at the same size;
//   - a scripted game (flying, turning, dropping bombs): display + idle;
//   - the same with more and more flowers in the level, up to 10,000;
//   - how many game seconds the countdown loses per real second, since the
//     game's clock measures only the render, not the update or the swap.
#include <GL/freeglut.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <list>
#include <vector>

#include "app/FrameTimer.h"
#include "app/GameWindow.h"
#include "app/SwapControl.h"
#include "app/World.h"
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

// One scripted frame of play: the input a player would give, then the
// frame exactly as GLUT runs it (display, then idle).
void playFrame(double t) {
    Bee* bee = theWorld->bee;
    const int phase = static_cast<int>(t) % 12;
    if (phase < 6) {
        bee->addThrust(2.0f);
    } else if (phase < 8) {
        bee->addYawRate(0.15f);
    } else {
        bee->addStrafe(phase < 10 ? 2.0f : -2.0f);
    }
    display();
    idle();
}

Stats gameFrames(double seconds, double* countdownLossPerSecond) {
    std::vector<double> ms;
    const auto start = Clock::now();
    // Compared only while the game runs: the hundredth bomb sets the clock to 0.
    const float timeAtStart = theWorld->timeLeft;
    float timeWhileRunning = timeAtStart;
    double nextBomb = 0.0;
    double realWhileRunning = 0.0;
    while (secondsSince(start) < seconds) {
        const double t = secondsSince(start);
        if (t >= nextBomb) {
            theWorld->spawnBomb();
            nextBomb += 0.5;
        }
        const auto t0 = Clock::now();
        playFrame(t);
        glFinish();
        ms.push_back(secondsSince(t0) * 1000.0);
        glutMainLoopEvent();
        if (!theWorld->gameOver) {
            realWhileRunning = secondsSince(start);
            timeWhileRunning = theWorld->timeLeft;
        }
    }
    const double gameSeconds = double(timeAtStart) - double(timeWhileRunning);
    *countdownLossPerSecond =
        realWhileRunning > 0.0 ? (realWhileRunning - gameSeconds) / realWhileRunning : 0.0;
    return summarise(ms);
}

void addFlowers(int count, unsigned* seed) {
    for (int i = 0; i < count; ++i) {
        *seed = *seed * 1103515245u + 12345u;
        const float x = static_cast<float>((*seed >> 8) % 1400) / 10.0f - 70.0f;
        *seed = *seed * 1103515245u + 12345u;
        const float z = static_cast<float>((*seed >> 8) % 1400) / 10.0f - 70.0f;
        auto* f =
            new Flower(x, 0.0f, z, 0.0f, 0.0f, 0.0f, 1.0f, 100.0f, 0.0f, 8.237f, 0.0f, 1.333f);
        f->setModelFile("data/flowerA_LOD0.ms3d");
        f->setLodModelFile("data/flowerA_LOD1.ms3d");
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
    const bool unsynced = disableSwapSync();
    initGL();
    // The benchmark draws the frames itself; GLUT only needs a callback to exist.
    glutDisplayFunc([] {});
    reshape(windowWidth, windowHeight);
    glutMainLoopEvent();

    std::printf("renderer: %s; swap sync %s\n",
                reinterpret_cast<const char*>(glGetString(GL_RENDERER)),
                unsynced ? "off" : "could not be turned off");
    const Stats floor = emptyFrames(std::min(seconds / 6.0, 10.0));
    print("empty frame (clear + swap)", floor);

    printShadowQuads();
    double loss = 0.0;
    const Stats game = gameFrames(seconds, &loss);
    print("scripted game (display + idle)", game);
    std::printf("%-34s median %.2fx  p99 %.2fx of the empty frame median\n", "ratio",
                game.median / floor.median, game.p99 / floor.median);
    std::printf("countdown loses %.3f game seconds per real second\n", loss);

    // Every row drops bombs: the scripted game above has used up all 100.
    unsigned seed = 12345u;
    int present = static_cast<int>(theWorld->flowers->size());
    for (int target : {100, 200, 500, 1000, 2000, 5000, 10000}) {
        addFlowers(target - std::min(present, target), &seed);
        present = std::max(present, target);
        theWorld->bombsLeft = 100;
        double ignored = 0.0;
        char label[64];
        std::snprintf(label, sizeof label, "with %d flowers",
                      static_cast<int>(theWorld->flowers->size()));
        print(label, gameFrames(std::min(seconds / 6.0, 10.0), &ignored));
    }
    return 0;
}
