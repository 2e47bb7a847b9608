#pragma once

// What the asset GL tests share: a fresh ModelFactory per test (the global
// pointer is put back afterwards) and a scratch directory that is also the
// working directory. Each test starts from the reset GL state with the
// modelview scaled by one half, so the sample square stays clear of the clip
// planes.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "assets/ModelFactory.h"
#include "assets/SampleModels.h"
#include "support/Feedback.h"
#include "support/GlTestContext.h"
#include "support/Quiet.h"
#include "support/ScratchDirectory.h"

class AssetGlTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(GlTestContext::ready());
        GlTestContext::reset();
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
    }

    // Models and textures keep the name pointer: these names live to the end.
    char* keep(const std::string& s) { return &(*new std::string(s))[0]; }
    const char* model(const std::string& name, const Ms3dWriter& w) {
        EXPECT_TRUE(w.writeFile(dir + "/" + name));
        return keep(dir + "/" + name);
    }
    std::string image(const std::string& name, int w, int h, std::array<uint8_t, 3> rgb) {
        std::vector<uint8_t> pixels;
        for (int i = 0; i < w * h; ++i) {
            pixels.insert(pixels.end(), rgb.begin(), rgb.end());
        }
        EXPECT_TRUE(samples::writePpm(dir + "/" + name, w, h, pixels));
        return dir + "/" + name;
    }
    Model* load(const char* name, float scale = 1.0f) {
        const Quiet quiet;
        return theModelFactory->getModel(name, scale);
    }

    ModelFactory* saved = theModelFactory;
    std::string factoryLine;
    ScratchDirectory scratch{true};
    std::string dir = scratch.path;
};
