#include "player/Bee.h"

#include <GL/gl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <vector>

#include "assets/AssetGlFixture.h"
#include "assets/Model.h"
#include "support/MeshModel.h"

namespace {

using Point = std::array<float, 2>;
constexpr float kHalfView = 300.0f;  // orthographic over -300..300 in x and y

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
    const float k = GlTestContext::kWidth / (2.0f * kHalfView);
    return std::any_of(points.begin(), points.end(), [&](const Point& q) {
        return std::fabs(q[0] - (p.x + kHalfView) * k) < 0.01f &&
               std::fabs(q[1] - (p.y + kHalfView) * k) < 0.01f;
    });
}

}  // namespace

using BeeGl = AssetGlTest;

// A bee at (10, 20, 0), scale 2, whose body and wings are one triangle each,
// loaded through the model cache from the working directory.
TEST_F(BeeGl, LoadsItsWingsAndDrawsThemAndBothVolumesInsideItsTransform) {
    ASSERT_EQ(mkdir("data", 0755), 0);
    model("data/bee.ms3d", MeshModel({{0, 0, 0}, {10, 0, 0}, {0, 10, 0}}, {{0, 1, 2}}).toFile());
    model("data/bee_wings.ms3d",
          MeshModel({{-5, 0, 0}, {5, 0, 0}, {0, 5, 0}}, {{0, 1, 2}}).toFile());
    Bee bee(10, 20, 0, 0, 0, 0, 2.0f);
    bee.setModelFile("data/bee.ms3d");
    {
        const Quiet quiet;
        bee.loadModel();
    }
    const Vector3 wingsAt = Vector3(10, 20, 0) + Vector3(0, 0.65f, 1.3f) * 2.0f;

    ASSERT_NE(bee.wings, nullptr);  // where their model came from shows in the drawing below
    EXPECT_TRUE(bee.wings->shadowEveryFrame && bee.wings->castsShadow);
    EXPECT_FLOAT_EQ(bee.boxMax.x, 30.0f);  // the bee's own bounds came with its model

    bee.wings->setVisible(false);  // as the wings' own culling may leave it
    testing::internal::CaptureStdout();
    std::vector<Point> points = feedback([&bee] { bee.draw(); });
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(points.size(), 6u);
    EXPECT_TRUE(contains(points, Vector3(30, 20, 0)));            // body: position + 2 * vertex
    EXPECT_TRUE(contains(points, wingsAt + Vector3(-10, 0, 0)));  // wings: and their offset
    EXPECT_TRUE(contains(points, wingsAt + Vector3(0, 10, 0)));

    bee.setShadowEveryFrame(true);
    bee.setCastsShadow(true);
    bee.castShadow(10, 25, 40);  // near enough that the volumes stay in view
    ASSERT_GT(bee.silhouetteIndexCount, 0);
    ASSERT_GT(bee.wings->silhouetteIndexCount, 0);
    points = feedback([&bee] { bee.drawShadowVolume(); });
    for (const SceneObject* o : {static_cast<SceneObject*>(&bee), bee.wings}) {
        const Vector3 at = o == &bee ? bee.position : wingsAt;
        for (int k = 0; k < o->silhouetteIndexCount * 2; ++k) {
            const float* c = o->shadowQuads + 3 * static_cast<ptrdiff_t>(k);
            EXPECT_TRUE(contains(points, at + Vector3(c[0], c[1], c[2]) * 2.0f)) << k;
        }
    }
    bee.setCastsShadow(false);  // then neither volume is drawn
    EXPECT_TRUE(feedback([&bee] { bee.drawShadowVolume(); }).empty());
}
