#include "player/Bee.h"

#include <GL/gl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <array>
#include <cmath>
#include <cstring>
#include <vector>

#include "assets/Model.h"
#include "assets/ModelFactory.h"
#include "assets/Ms3dWriter.h"
#include "support/GlTestContext.h"
#include "support/ScratchDirectory.h"

namespace {

// An orthographic view over -300..300 in x and y: window x = (x + 300) * 256 / 600.
constexpr float kHalfView = 300.0f;

std::array<float, 2> toWindow(Vector3 p) {
    const float k = GlTestContext::kWidth / (2.0f * kHalfView);
    return {(p.x + kHalfView) * k, (p.y + kHalfView) * k};
}

void setView() {
    GlTestContext::reset();
    glMatrixMode(GL_PROJECTION);
    glOrtho(-kHalfView, kHalfView, -kHalfView, kHalfView, -10000.0, 10000.0);
    glMatrixMode(GL_MODELVIEW);
}

// Window positions of every vertex that draw() sends down the pipeline.
template <typename Draw>
std::vector<std::array<float, 2>> feedback(Draw draw) {
    std::vector<GLfloat> buffer(1 << 16);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D, buffer.data());
    glRenderMode(GL_FEEDBACK);
    glPushMatrix();
    draw();
    glPopMatrix();
    const GLint used = glRenderMode(GL_RENDER);
    std::vector<std::array<float, 2>> points;
    for (GLint at = 0; at < used;) {
        const GLenum token = static_cast<GLenum>(buffer[at++]);
        int count = 0;
        if (token == GL_POLYGON_TOKEN) {
            count = static_cast<int>(buffer[at++]);
        } else if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) {
            count = 2;
        } else if (token == GL_POINT_TOKEN) {
            count = 1;
        } else if (token == GL_PASS_THROUGH_TOKEN) {
            ++at;
        }
        for (int v = 0; v < count; ++v, at += 3) {
            points.push_back({buffer[at], buffer[at + 1]});
        }
    }
    return points;
}

bool contains(const std::vector<std::array<float, 2>>& points, std::array<float, 2> p) {
    for (const auto& q : points) {
        if (std::fabs(q[0] - p[0]) < 0.01f && std::fabs(q[1] - p[1]) < 0.01f) {
            return true;
        }
    }
    return false;
}

Ms3dWriter oneTriangle(Vector3 a, Vector3 b, Vector3 c) {
    Ms3dWriter w;
    w.vertices = {{a.x, a.y, a.z}, {b.x, b.y, b.z}, {c.x, c.y, c.z}};
    Ms3dWriter::Triangle t{};
    for (uint16_t k = 0; k < 3; ++k) {
        t.vertexIndices[k] = k;
        t.normals[k][2] = 1.0f;
    }
    w.triangles.push_back(t);
    Ms3dWriter::Group g;
    g.name = "all";
    g.triangleIndices = {0};
    w.groups.push_back(g);
    return w;
}

// A bee and its wings loaded from files in a scratch working directory.
class BeeGl : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(GlTestContext::ready());
        ASSERT_EQ(mkdir(scratch.file("data").c_str(), 0755), 0);
        ASSERT_TRUE(oneTriangle({0, 0, 0}, {10, 0, 0}, {0, 10, 0})
                        .writeFile(scratch.file("data/bee.ms3d")));
        ASSERT_TRUE(oneTriangle({-5, 0, 0}, {5, 0, 0}, {0, 5, 0})
                        .writeFile(scratch.file("data/bee_wings.ms3d")));
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
};

}  // namespace

TEST_F(BeeGl, LoadModelAddsTheWingsOnTheBeesBack) {
    ASSERT_NE(bee.lod0Model, nullptr);
    EXPECT_EQ(bee.lod0Model->numVertices, 3);
    ASSERT_NE(bee.wings, nullptr);
    EXPECT_STREQ(bee.wings->modelFile, "data/bee_wings.ms3d");
    ASSERT_NE(bee.wings->lod0Model, nullptr);
    EXPECT_EQ(bee.wings->lod0Model->numVertices, 3);
    EXPECT_EQ(bee.wings->position.y, 0.65f);
    EXPECT_EQ(bee.wings->position.z, 1.3f);
    EXPECT_EQ(bee.wings->scale, 1.0f);
    EXPECT_TRUE(bee.wings->shadowEveryFrame);
    EXPECT_TRUE(bee.wings->castsShadow);
    // The bee's own bounds and silhouette arrays came with the model.
    EXPECT_NE(bee.silhouetteIndices, nullptr);
    EXPECT_FLOAT_EQ(bee.boxMax.x, 10 + 2 * 10);
}

TEST_F(BeeGl, DrawsItselfAndTheWingsInsideItsTransform) {
    setView();
    bee.wings->setVisible(false);  // as the wings' own culling may leave it
    GLfloat before[16], after[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, before);
    testing::internal::CaptureStdout();
    const auto points = feedback([this] { bee.draw(); });
    const std::string out = testing::internal::GetCapturedStdout();
    glGetFloatv(GL_MODELVIEW_MATRIX, after);
    EXPECT_EQ(std::memcmp(before, after, sizeof before), 0);
    EXPECT_EQ(out, "");  // never reported as culled

    const Vector3 p = bee.position;
    // Body: position + scale * vertex.
    EXPECT_TRUE(contains(points, toWindow(p)));
    EXPECT_TRUE(contains(points, toWindow(p + Vector3(20, 0, 0))));
    EXPECT_TRUE(contains(points, toWindow(p + Vector3(0, 20, 0))));
    // Wings: position + scale * (wing offset + vertex).
    const Vector3 w = p + Vector3(0, 0.65f, 1.3f) * 2.0f;
    EXPECT_TRUE(contains(points, toWindow(w + Vector3(-10, 0, 0))));
    EXPECT_TRUE(contains(points, toWindow(w + Vector3(10, 0, 0))));
    EXPECT_TRUE(contains(points, toWindow(w + Vector3(0, 10, 0))));
    EXPECT_EQ(points.size(), 6u);
    EXPECT_EQ(GlTestContext::drainErrors(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(BeeGl, WingShadowVolumeIsDrawnInTheBeesFrame) {
    setView();
    bee.setShadowEveryFrame(true);
    bee.setCastsShadow(true);
    // Light in front of the lit faces and close enough that the extruded
    // ends stay inside the view.
    bee.castShadow(10, 25, 40);
    ASSERT_GT(bee.wings->silhouetteIndexCount, 0);
    ASSERT_GT(bee.silhouetteIndexCount, 0);

    const auto points = feedback([this] { bee.drawShadowVolume(); });
    const Vector3 p = bee.position;
    const Vector3 offset(0, 0.65f, 1.3f);
    const float* wq = bee.wings->shadowQuads;
    for (int k = 0; k < bee.wings->silhouetteIndexCount * 2; ++k) {
        const Vector3 corner(wq[3 * k], wq[3 * k + 1], wq[3 * k + 2]);
        EXPECT_TRUE(contains(points, toWindow(p + (offset + corner) * 2.0f))) << k;
    }
    const float* bq = bee.shadowQuads;
    for (int k = 0; k < bee.silhouetteIndexCount * 2; ++k) {
        const Vector3 corner(bq[3 * k], bq[3 * k + 1], bq[3 * k + 2]);
        EXPECT_TRUE(contains(points, toWindow(p + corner * 2.0f))) << k;
    }

    // Without castsShadow neither volume is drawn.
    bee.setCastsShadow(false);
    EXPECT_TRUE(feedback([this] { bee.drawShadowVolume(); }).empty());
    EXPECT_EQ(GlTestContext::drainErrors(), static_cast<GLenum>(GL_NO_ERROR));
}
