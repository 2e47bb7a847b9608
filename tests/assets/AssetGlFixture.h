#pragma once

// What the asset GL tests share: a fresh ModelFactory per test (the global
// pointer is put back afterwards), a scratch directory, and reading back what
// a display list draws through GL feedback. Each test starts from the reset GL
// state with the modelview scaled by one half, so the sample square stays
// clear of the clip planes.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
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
        wireframeMode = 0;
        testing::internal::CaptureStdout();
        theModelFactory = new ModelFactory();  // never released, as in the game
        factoryLine = testing::internal::GetCapturedStdout();
        glScalef(0.5f, 0.5f, 0.5f);  // the sample square then spans pixels 64..192
    }
    void TearDown() override {
        theModelFactory = saved;
        wireframeMode = 0;
        GlTestContext::reset();
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }

    // Models and textures keep the name pointer: these names live to the end.
    const char* keep(const std::string& s) { return (new std::string(s))->c_str(); }
    std::string writeModel(const std::string& name, const Ms3dWriter& w) {
        EXPECT_TRUE(w.writeFile(dir + "/" + name));
        return dir + "/" + name;
    }
    const char* model(const std::string& name, const Ms3dWriter& w) {
        return keep(writeModel(name, w));
    }
    std::string image(const std::string& name, int w, int h, std::array<uint8_t, 3> rgb) {
        std::vector<uint8_t> pixels;
        for (int i = 0; i < w * h; ++i) {
            pixels.insert(pixels.end(), rgb.begin(), rgb.end());
        }
        EXPECT_TRUE(samples::writePpm(dir + "/" + name, w, h, pixels));
        return dir + "/" + name;
    }
    // Loads quietly through the factory.
    Model* load(const char* name, float scale = 1.0f) {
        testing::internal::CaptureStdout();
        Model* m = theModelFactory->getModel(name, scale);
        testing::internal::GetCapturedStdout();
        return m;
    }

    ModelFactory* saved = nullptr;
    std::string factoryLine;
    std::string dir = samples::scratchDir();
};

// One primitive a list drew: GL_POLYGON_TOKEN or GL_LINE_TOKEN, and per
// vertex its window x, y and texture s, t.
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
    for (GLint at = 0; at < used;) {
        const GLenum token = GLenum(buffer[at++]);
        const bool line = token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN;
        if (!line && token != GL_POLYGON_TOKEN) {
            ADD_FAILURE() << "unexpected feedback token " << token;
            break;
        }
        const int count = line ? 2 : int(buffer[at++]);
        Primitive p{line ? GLenum(GL_LINE_TOKEN) : token, {}};
        for (int v = 0; v < count; ++v, at += 12) {  // x y z w, r g b a, s t r q
            p.vertices.push_back({buffer[at], buffer[at + 1], buffer[at + 8], buffer[at + 9]});
        }
        out.push_back(p);
    }
    return out;
}
