#pragma once

// What the asset GL tests share: a fresh ModelFactory per test (the global
// pointer is put back afterwards) and a scratch directory. Each test starts
// from the reset GL state with the modelview scaled by one half, so the
// sample square stays clear of the clip planes.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "assets/ModelFactory.h"
#include "assets/SampleModels.h"
#include "support/Feedback.h"
#include "support/GlTestContext.h"
#include "support/ScratchDirectory.h"

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
    ScratchDirectory scratch;
    std::string dir = scratch.path;
};
