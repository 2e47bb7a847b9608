#include "app/FrameCheck.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <string>

#include "support/GlTestContext.h"

namespace {

int countOf(const std::string& text, const std::string& part) {
    int n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++n;
    }
    return n;
}

}  // namespace

TEST(FrameCheck, ReportsEachGlErrorOnceWithTheFrameAndMarksEveryIntervalOnStderr) {
    GlTestContext::reset();
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    glEnable(0x7fff);  // not a capability
    const int errors = reportGlErrors(42);
    const int none = reportGlErrors(43);
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();  // the stack holds only the identity: underflow
    for (long frame = 0; frame < kFrameMarkInterval; ++frame) {
        checkFrame();
    }
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");

    EXPECT_EQ(errors, 1);
    EXPECT_EQ(none, 0);
    EXPECT_EQ(err.find("zumbra: GL error 0x0500 (invalid enumerant) in frame 42\n"), 0u) << err;
    EXPECT_EQ(countOf(err, "GL error"), 2) << err;
    EXPECT_EQ(countOf(err, "0x0504 (stack underflow) in frame "), 1) << err;
    // Whatever the count before, one interval of frames crosses one mark.
    EXPECT_EQ(countOf(err, "zumbra: frame "), 1) << err;
    EXPECT_EQ(GlTestContext::drainErrors(), static_cast<GLenum>(GL_NO_ERROR));
}
