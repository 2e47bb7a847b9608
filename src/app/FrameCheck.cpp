#include "app/FrameCheck.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdio>

namespace {

constexpr int kMaxErrorsPerFrame = 32;

long framesDone = 0;

}  // namespace

int reportGlErrors(long frame) {
    int count = 0;
    for (GLenum error = glGetError(); error != GL_NO_ERROR && count < kMaxErrorsPerFrame;
         error = glGetError()) {
        const GLubyte* text = gluErrorString(error);
        std::fprintf(stderr, "zumbra: GL error 0x%04x (%s) in frame %ld\n", error,
                     text != nullptr ? reinterpret_cast<const char*>(text) : "unknown", frame);
        ++count;
    }
    return count;
}

void checkFrame() {
    ++framesDone;
    reportGlErrors(framesDone);
    if (framesDone % kFrameMarkInterval == 0) {
        std::fprintf(stderr, "zumbra: frame %ld\n", framesDone);
    }
}
