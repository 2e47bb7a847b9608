#pragma once

// What the asset GL tests share: a fresh ModelFactory per test (the global
// pointer is put back afterwards), a scratch directory, and reading back what
// a display list draws through GL feedback.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "assets/ModelFactory.h"
#include "assets/SampleModels.h"
#include "support/GlTestContext.h"

class AssetGlTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(GlTestContext::ready());
        GlTestContext::reset();
        saved = theModelFactory;
        savedWireframe = wireframeMode;
        wireframeMode = 0;
        testing::internal::CaptureStdout();
        theModelFactory = new ModelFactory();
        factoryLine = testing::internal::GetCapturedStdout();
        dir = samples::scratchDir();
    }
    void TearDown() override {
        theModelFactory = saved;  // the test's factory is never released, as in the game
        wireframeMode = savedWireframe;
        GlTestContext::reset();
    }

    // A name that outlives the test: models and textures keep the pointer.
    const char* keep(const std::string& s) {
        kept.push_back(new std::string(s));
        return kept.back()->c_str();
    }

    std::string writeModel(const std::string& name, const Ms3dWriter& w) {
        const std::string path = dir + "/" + name;
        EXPECT_TRUE(w.writeFile(path));
        return path;
    }

    // An image of one colour.
    std::string writeImage(const std::string& name, int w, int h, uint8_t r, uint8_t g, uint8_t b) {
        std::vector<uint8_t> rgb;
        for (int i = 0; i < w * h; ++i) {
            rgb.insert(rgb.end(), {r, g, b});
        }
        const std::string path = dir + "/" + name;
        EXPECT_TRUE(samples::writePpm(path, w, h, rgb));
        return path;
    }

    ModelFactory* saved = nullptr;
    int savedWireframe = 0;
    std::string factoryLine;
    std::string dir;
    std::vector<std::string*> kept;
};

// One primitive the list drew: its feedback token and, per vertex, window
// x, y and texture s, t.
struct Primitive {
    GLenum token;
    std::vector<std::array<float, 4>> vertices;
};

inline std::vector<Primitive> feedbackOf(GLuint list) {
    std::vector<GLfloat> buffer(1 << 16);
    glFeedbackBuffer(GLsizei(buffer.size()), GL_4D_COLOR_TEXTURE, buffer.data());
    glRenderMode(GL_FEEDBACK);
    glCallList(list);
    const GLint used = glRenderMode(GL_RENDER);
    std::vector<Primitive> out;
    const int stride = 12;  // x y z w, r g b a, s t r q
    for (GLint at = 0; at < used;) {
        const GLenum token = GLenum(buffer[at++]);
        int count = 0;
        if (token == GL_POLYGON_TOKEN) {
            count = int(buffer[at++]);
        } else if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) {
            count = 2;
        } else if (token == GL_POINT_TOKEN) {
            count = 1;
        } else {
            ADD_FAILURE() << "unexpected feedback token " << token;
            break;
        }
        Primitive p{token == GL_LINE_RESET_TOKEN ? GLenum(GL_LINE_TOKEN) : token, {}};
        for (int v = 0; v < count; ++v, at += stride) {
            p.vertices.push_back({buffer[at], buffer[at + 1], buffer[at + 8], buffer[at + 9]});
        }
        out.push_back(p);
    }
    return out;
}
