// Frame benchmark: the real World in a 1024x768 GLUT window (run it under
// Xvfb for Mesa's software renderer), played by script, timed per frame.
//
//   cd <build> && xvfb-run -a -s "-screen 0 1280x1024x24" ./bench/bench_frame [seconds] [series]
//
// Run from a directory holding the generated data/. Every scenario starts
// from the game's start (the bee where it starts, the camera behind it, a
// hundred bombs, none in the air). A frame is timed from the start of one
// loop pass (display, idle, GLUT's events) to the start of the next, with
// no glFinish: exactly what a player waits for. Reports, from one run:
//   - the floor: an empty frame (clear + swap) at the same size;
//   - the start view untouched, scripted flight, the camera pulled up over
//     the flowers, and low flight dropping a bomb every 0.75 s, each
//     switching every second between the game's frame and the same frame
//     without the shadow pass (the first frame after a switch counts for
//     neither), so both see the same scene;
//   - the stream: E held from the start, a bomb every displayed frame until
//     none is left, then until the last has landed; three times with the
//     shadow pass and three without, alternately. With a series file, the
//     first stream's frames go there (time, frame, bombs in the air);
//   - the countdown against the wall clock;
//   - the game with more and more flowers in the level, up to 10,000.
#include <GL/freeglut.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <list>
#include <vector>

#include "app/GameWindow.h"
#include "app/KeyState.h"
#include "app/World.h"
#include "assets/FlowerKind.h"
#include "hud/Hud.h"
#include "player/Bee.h"
#include "player/Camera.h"
#include "scene/Bomb.h"
#include "scene/Flower.h"
#include "scene/Node.h"
#include "scene/SceneObject.h"

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double msBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double>(to - from).count() * 1000.0;
}

// Frame times in ms at the quantiles the report shows (nearest rank below).
struct Stats {
    double p10;
    double median;
    double p90;
    double p95;
    double p99;
    double worst;
    size_t frames;
};

Stats summarise(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    if (ms.empty()) {
        return {0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0};
    }
    const auto at = [&](double q) { return ms[static_cast<size_t>(q * double(ms.size() - 1))]; };
    return {at(0.1), at(0.5), at(0.9), at(0.95), at(0.99), ms.back(), ms.size()};
}

void print(const char* what, const Stats& s) {
    std::printf(
        "%-40s frames %6zu  p10 %8.3f  median %8.3f  p90 %8.3f  p95 %8.3f  p99 %8.3f  worst "
        "%8.3f ms\n",
        what, s.frames, s.p10, s.median, s.p90, s.p95, s.p99, s.worst);
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

// The game's display with the shadow pass left out: what the frame costs
// without shadows, drawn here rather than offered by the game.
void displayWithoutShadows() {
    beginFrame();
    theWorld->drawScene();
    theWorld->drawOverlay();
    endFrame();
}

// One pass of the loop as GLUT runs it.
void pass(bool shadows) {
    if (shadows) {
        display();
    } else {
        displayWithoutShadows();
    }
    idle();
    glutMainLoopEvent();
}

// The bee and the camera as the game starts them, to start every scenario from.
struct StartState {
    Vector3 position, forward, up, side;
    float cameraYaw, cameraPitch, cameraDistance;
};

StartState start;

// Lets the bombs in the air land, then puts the bee, the camera, the bombs
// and the clock back where the game starts them.
void restart() {
    theKeyState.releaseAll();
    while (!theWorld->bombs->empty()) {
        pass(false);
    }
    Bee& b = *theWorld->bee;
    b.position = b.prevPosition = start.position;
    b.forward = b.prevForward = start.forward;
    b.up = b.prevUp = start.up;
    b.side = b.prevSide = start.side;
    b.thrust = b.pitchRate = b.yawRate = b.rollRate = b.strafe = b.lift = 0.0f;
    theCamera->yaw = start.cameraYaw;
    theCamera->pitch = start.cameraPitch;
    theCamera->distance = start.cameraDistance;
    theCamera->yawRate = theCamera->pitchRate = theCamera->zoomRate = 0.0f;
    theWorld->bombsLeft = 100;
    theWorld->timeLeft = 120.0f;
    theWorld->gameOver = false;
    theWorld->hud->setGameOver(false);
    // A frame to settle the camera and the culling on the new view.
    pass(true);
}

// Thrust, a turn, strafing left and right, over and over.
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

struct Pair {
    Stats full;  // frames as the game draws them
    Stats bare;  // the same play without the shadow pass
};

// Plays from the start for the given seconds, switching every second
// between the game's frame and the frame without shadows; input(t) gives
// the player's part at time t.
Pair alternating(double seconds, const std::function<void(double)>& input) {
    restart();
    std::vector<double> full, bare;
    const auto begin = Clock::now();
    bool wasBare = false;
    bool first = true;
    auto passStart = Clock::now();
    while (secondsSince(begin) < seconds) {
        const double t = secondsSince(begin);
        const bool isBare = static_cast<int>(t) % 2 == 1;
        input(t);
        pass(!isBare);
        const auto passEnd = Clock::now();
        if (!first && isBare == wasBare) {
            (isBare ? bare : full).push_back(msBetween(passStart, passEnd));
        }
        first = false;
        wasBare = isBare;
        passStart = passEnd;
    }
    return {summarise(full), summarise(bare)};
}

// E held from the start: the game's own key poll drops a bomb every
// displayed frame until none is left; then E is let go and the frames run
// on until the last bomb has landed. Appends the frame times to ms, and with
// a series file writes each frame's time, length and bombs in the air.
void stream(bool shadows, std::vector<double>& ms, FILE* series) {
    restart();
    const auto begin = Clock::now();
    theKeyState.press('E');
    auto passStart = Clock::now();
    do {
        if (theWorld->bombsLeft == 0) {
            theKeyState.release('E');
        }
        pass(shadows);
        const auto passEnd = Clock::now();
        const double frame = msBetween(passStart, passEnd);
        ms.push_back(frame);
        if (series != nullptr) {
            std::fprintf(series, "%.4f %.3f %zu\n", secondsSince(begin), frame,
                         theWorld->bombs->size());
        }
        passStart = passEnd;
    } while (!theWorld->bombs->empty() || theWorld->bombsLeft > 0);
}

// Scripted flight with a bomb every 0.75 s, the countdown compared with the
// wall clock while the game runs.
struct Play {
    Stats full;
    double realSeconds;
    double gameSeconds;
};

Play bombsAtIntervals(double seconds) {
    restart();
    std::vector<double> ms;
    const float timeAtStart = theWorld->timeLeft;
    float timeWhileRunning = timeAtStart;
    double realWhileRunning = 0.0;
    double nextBomb = 0.0;
    const auto begin = Clock::now();
    auto passStart = Clock::now();
    bool first = true;
    while (secondsSince(begin) < seconds) {
        const double t = secondsSince(begin);
        if (t >= nextBomb) {
            theWorld->spawnBomb();
            nextBomb += 0.75;
        }
        steer(t);
        pass(true);
        const auto passEnd = Clock::now();
        if (!first) {
            ms.push_back(msBetween(passStart, passEnd));
        }
        first = false;
        passStart = passEnd;
        if (!theWorld->gameOver) {
            realWhileRunning = secondsSince(begin);
            timeWhileRunning = theWorld->timeLeft;
        }
    }
    return {summarise(ms), realWhileRunning, double(timeAtStart) - double(timeWhileRunning)};
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

// Shadow-volume quads the shadow pass draws, by kind of object: the fill
// they cost is most of a frame on a software renderer.
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

void printPair(const char* what, const Pair& p) {
    print(what, p.full);
    char label[80];
    std::snprintf(label, sizeof label, "%s, no shadow pass", what);
    print(label, p.bare);
}

// The camera pitched up and pulled back over the flowers, the bee turning
// slowly in place.
void overTheFlowers(double /*t*/) {
    if (theCamera->pitch < 1.25f) {
        theCamera->pitch = 1.25f;
        theCamera->distance = 22.0f;
    }
    theWorld->bee->addYawRate(0.02f);
}

}  // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 20.0;
    FILE* series = argc > 2 ? std::fopen(argv[2], "w") : nullptr;
    keepFreedHeap();
    glutInit(&argc, argv);
    glutInitDisplayMode(kDisplayMode);
    glutInitWindowSize(windowWidth, windowHeight);
    glutCreateWindow("Zumbra");
    initGL();
    // The benchmark draws the frames itself; GLUT only needs a callback to exist.
    glutDisplayFunc([] {});
    reshape(windowWidth, windowHeight);
    glutMainLoopEvent();
    // The end of a stream must not wait for a name: the table stays unread.
    theWorld->highscoresLoaded = true;
    const Bee& bee = *theWorld->bee;
    start = {bee.position,     bee.forward,        bee.up, bee.side, theCamera->yaw,
             theCamera->pitch, theCamera->distance};

    std::printf("renderer: %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    print("empty frame (clear + swap)", emptyFrames(std::min(seconds / 4.0, 10.0)));
    printShadowQuads();

    const Pair startView = alternating(seconds, [](double) {});
    printPair("start view", startView);
    printPair("flight", alternating(seconds, steer));
    printPair("over the flowers", alternating(seconds, overTheFlowers));
    printPair("bombs one at a time", alternating(seconds, [nextBomb = 0.0](double t) mutable {
                  if (theWorld->bee->position.y > 6.0f) {
                      theWorld->bee->addLift(-1.0f);
                  }
                  if (t >= nextBomb) {
                      theWorld->spawnBomb();
                      nextBomb += 0.75;
                  }
                  steer(t);
              }));

    std::vector<double> full, bare;
    for (int run = 0; run < 3; ++run) {
        stream(true, full, run == 0 ? series : nullptr);
        stream(false, bare, nullptr);
    }
    const Pair streamPair{summarise(full), summarise(bare)};
    printPair("stream (E held)", streamPair);
    std::printf("%-40s median %.2fx  p95 %.2fx of the start view's median\n",
                "ratio stream to start view", streamPair.full.median / startView.full.median,
                streamPair.full.p95 / startView.full.median);
    std::printf("%-40s median %.2fx  p99 %.2fx of its no-shadow median\n",
                "ratio start view to no shadow pass", startView.full.median / startView.bare.median,
                startView.full.p99 / startView.bare.median);
    if (series != nullptr) {
        std::fclose(series);
    }

    // The level's own flowers, then more and more: flight with a bomb every 0.75 s.
    const Play play = bombsAtIntervals(seconds);
    std::printf("countdown: %.2f game seconds in %.2f real seconds (%+.2f %%)\n", play.gameSeconds,
                play.realSeconds, 100.0 * (play.gameSeconds / play.realSeconds - 1.0));
    char level[64];
    std::snprintf(level, sizeof level, "with %zu flowers", theWorld->flowers->size());
    print(level, play.full);

    unsigned seed = 12345u;
    int present = static_cast<int>(theWorld->flowers->size());
    for (int target : {100, 200, 500, 1000, 2000, 5000, 10000}) {
        addFlowers(target - std::min(present, target), &seed);
        present = std::max(present, target);
        char label[64];
        std::snprintf(label, sizeof label, "with %d flowers",
                      static_cast<int>(theWorld->flowers->size()));
        print(label, bombsAtIntervals(std::min(seconds / 2.0, 10.0)).full);
    }
    return 0;
}
