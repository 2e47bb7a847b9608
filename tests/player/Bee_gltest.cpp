#include "player/Bee.h"

#include <GL/gl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <array>
#include <cmath>
#include <functional>
#include <vector>

#include "assets/Model.h"
#include "assets/ModelFactory.h"
#include "support/Feedback.h"
#include "support/GlTestContext.h"
#include "support/MeshModel.h"
#include "support/ScratchDirectory.h"

namespace {

using Point = std::array<float, 2>;
constexpr float kHalfView = 300.0f;  // orthographic over -300..300 in x and y

Point toWindow(Vector3 p) {
    const float k = GlTestContext::kWidth / (2.0f * kHalfView);
    return {(p.x + kHalfView) * k, (p.y + kHalfView) * k};
}

// Window x, y of every polygon vertex that draw() sends down the pipeline.
std::vector<Point> feedback(const std::function<void()>& draw) {
    GlTestContext::reset();
    glMatrixMode(GL_PROJECTION);
    glOrtho(-kHalfView, kHalfView, -kHalfView, kHalfView, -10000.0, 10000.0);
    glMatrixMode(GL_MODELVIEW);
    std::vector<Point> points;
    for (const Primitive& p : feedbackOf(draw)) {
        EXPECT_EQ(p.token, GLenum(GL_POLYGON_TOKEN));
        for (const auto& v : p.vertices) {
            points.push_back({v[0], v[1]});
        }
    }
    return points;
}

bool contains(const std::vector<Point>& points, Vector3 p) {
    const Point w = toWindow(p);
    for (const Point& q : points) {
        if (std::fabs(q[0] - w[0]) < 0.01f && std::fabs(q[1] - w[1]) < 0.01f) {
            return true;
        }
    }
    return false;
}

bool writeTriangle(const std::string& path, const MeshModel::Positions& corners) {
    return MeshModel(corners, {{0, 1, 2}}).toFile().writeFile(path);
}

// A bee at (10, 20, 0), scale 2, whose body and wings are one triangle each,
// loaded through the model cache from a scratch working directory.
class BeeGl : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(mkdir("data", 0755), 0);
        ASSERT_TRUE(writeTriangle("data/bee.ms3d", {{0, 0, 0}, {10, 0, 0}, {0, 10, 0}}));
        ASSERT_TRUE(writeTriangle("data/bee_wings.ms3d", {{-5, 0, 0}, {5, 0, 0}, {0, 5, 0}}));
        saved = theModelFactory;
        testing::internal::CaptureStdout();
        theModelFactory = new ModelFactory();
        bee.setModelFile("data/bee.ms3d");
        bee.loadModel();
        testing::internal::GetCapturedStdout();
    }
    void TearDown() override {
        theModelFactory = saved;
        GlTestContext::reset();
    }

    ScratchDirectory scratch{true};
    ModelFactory* saved = nullptr;
    Bee bee{10, 20, 0, 0, 0, 0, 2.0f};
    const Vector3 wingsAt = Vector3(10, 20, 0) + Vector3(0, 0.65f, 1.3f) * 2.0f;
};

}  // namespace

TEST_F(BeeGl, LoadsItsWingsAndDrawsThemInsideItsTransform) {
    ASSERT_NE(bee.wings, nullptr);
    EXPECT_STREQ(bee.wings->modelFile, "data/bee_wings.ms3d");
    EXPECT_EQ(bee.wings->lod0Model->numVertices, 3);
    EXPECT_TRUE(bee.wings->shadowEveryFrame && bee.wings->castsShadow);
    EXPECT_FLOAT_EQ(bee.boxMax.x, 30.0f);  // the bee's own bounds came with its model

    bee.wings->setVisible(false);  // as the wings' own culling may leave it
    testing::internal::CaptureStdout();
    const std::vector<Point> points = feedback([this] { bee.draw(); });
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(points.size(), 6u);
    EXPECT_TRUE(contains(points, Vector3(30, 20, 0)));            // body: position + 2 * vertex
    EXPECT_TRUE(contains(points, wingsAt + Vector3(-10, 0, 0)));  // wings: and their offset
    EXPECT_TRUE(contains(points, wingsAt + Vector3(0, 10, 0)));
}

TEST_F(BeeGl, WingShadowVolumeIsDrawnInTheBeesFrame) {
    bee.setShadowEveryFrame(true);
    bee.setCastsShadow(true);
    bee.castShadow(10, 25, 40);  // near enough that the volumes stay in view
    ASSERT_GT(bee.silhouetteIndexCount, 0);
    ASSERT_GT(bee.wings->silhouetteIndexCount, 0);
    const std::vector<Point> points = feedback([this] { bee.drawShadowVolume(); });
    for (int k = 0; k < bee.wings->silhouetteIndexCount * 2; ++k) {
        const float* c = bee.wings->shadowQuads + 3 * static_cast<ptrdiff_t>(k);
        EXPECT_TRUE(contains(points, wingsAt + Vector3(c[0], c[1], c[2]) * 2.0f)) << k;
    }
    for (int k = 0; k < bee.silhouetteIndexCount * 2; ++k) {
        const float* c = bee.shadowQuads + 3 * static_cast<ptrdiff_t>(k);
        EXPECT_TRUE(contains(points, bee.position + Vector3(c[0], c[1], c[2]) * 2.0f)) << k;
    }
    bee.setCastsShadow(false);  // then neither volume is drawn
    EXPECT_TRUE(feedback([this] { bee.drawShadowVolume(); }).empty());
}
