#include "app/GameWindow.h"

#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include <GL/gl.h>
#include <gtest/gtest.h>

#include "app/FrameTimer.h"
#include "app/World.h"
#include "scene/Node.h"
#include "scene/SceneObject.h"
#include "support/GlTestContext.h"

namespace {

void ensureWorld() {
    if (theWorld == nullptr) {
        initGL();
    }
}

}  // namespace

TEST(GameWindow, ReshapeSetsViewportAndPerspectiveButNotTheWorldSize) {
    GlTestContext::reset();
    ensureWorld();
    reshape(800, 400);
    EXPECT_DOUBLE_EQ(theWorld->aspect, 2.0);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 800);
    EXPECT_EQ(viewport[3], 400);
    GLfloat projection[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    const float f = 1.0f / std::tan(35.0f * static_cast<float>(M_PI) / 180.0f);
    EXPECT_NEAR(projection[5], f, 1e-5);
    EXPECT_NEAR(projection[0], f / 2.0f, 1e-5);
    EXPECT_EQ(GlTestContext::integer(GL_MATRIX_MODE), GL_MODELVIEW);
    EXPECT_EQ(theWorld->width, 1024);
    EXPECT_EQ(theWorld->height, 768);

    // Height 0 counts as 1: no division by zero, a one-pixel viewport.
    reshape(640, 0);
    EXPECT_DOUBLE_EQ(theWorld->aspect, 640.0);
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[3], 1);
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    for (float e : projection) {
        EXPECT_TRUE(std::isfinite(e));
    }
    EXPECT_EQ(GlTestContext::drainErrors(), static_cast<GLenum>(GL_NO_ERROR));
}

// A step after a shown frame goes straight on; a step with no frame since
// the last (a hidden window) waits 25 ms. The quickest of a few shown steps
// is timed, against the wait itself.
TEST(GameWindow, EachStepMeasuresTheTimeSinceTheLastAndOnlyAHiddenOneWaits) {
    GlTestContext::reset();
    ensureWorld();
    reshape(GlTestContext::kWidth, GlTestContext::kHeight);
    const GLint depth = GlTestContext::integer(GL_MODELVIEW_STACK_DEPTH);
    const auto timedIdle = [] {
        const auto start = std::chrono::steady_clock::now();
        idle();
        return std::chrono::steady_clock::now() - start;
    };
    idle();
    EXPECT_GE(timedIdle(), std::chrono::milliseconds(25));
    auto quickest = std::chrono::steady_clock::duration::max();
    for (int i = 0; i < 5; ++i) {
        display();
        quickest = std::min(quickest, timedIdle());
    }
    EXPECT_LT(quickest, std::chrono::milliseconds(25));
    EXPECT_EQ(GlTestContext::integer(GL_MODELVIEW_STACK_DEPTH), depth);
    EXPECT_LT(frameTime, 1.0);
}

// Standard output on a packet socket, where each write arrives as a packet
// of its own: two objects out of view print a line each a step, and a
// step's lines, with those of the frame before, leave in one packet.
TEST(GameWindow, AStepsLinesLeaveInOneWrite) {
    GlTestContext::reset();
    ensureWorld();
    for (int i = 0; i < 2; ++i) {  // never deleted, as in the game
        theWorld->root->addChild(new SceneObject(0.0f, 0.0f, -1.0e6f, 1.0f));
    }
    int packetSocket[2];
    ASSERT_EQ(socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_NONBLOCK, 0, packetSocket), 0);
    std::fflush(stdout);
    const int savedStdout = dup(1);
    dup2(packetSocket[0], 1);
    bufferStandardOutput();
    std::vector<std::string> packets;
    // glibc writes the first lines after a change of buffer alone: the last step counts.
    for (int step = 0; step < 3; ++step) {
        packets.clear();
        display();
        idle();
        char packet[8192];
        for (ssize_t n; (n = recv(packetSocket[1], packet, sizeof packet, 0)) > 0;) {
            packets.emplace_back(packet, size_t(n));
        }
    }
    dup2(savedStdout, 1);
    for (const int fd : {savedStdout, packetSocket[0], packetSocket[1]}) {
        close(fd);
    }
    ASSERT_EQ(packets.size(), 1u);
    EXPECT_GE(std::count(packets[0].begin(), packets[0].end(), '\n'), 2) << packets[0];
}
