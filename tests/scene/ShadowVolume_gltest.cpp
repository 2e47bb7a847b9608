#include "scene/ShadowVolume.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "scene/Flower.h"
#include "scene/Node.h"
#include "scene/SceneObject.h"
#include "support/GlTestContext.h"
#include "support/MeshModel.h"

namespace {

constexpr int kSize = GlTestContext::kWidth;
constexpr float kHalfView = 10.0f;  // the view spans -10..10 in x and z

int pixelOf(float world) {
    return static_cast<int>((world + kHalfView) / (2 * kHalfView) * kSize);
}

// Where the stencil is not 0: how many pixels, their extent on the ground,
// and the smallest and largest value.
struct Marked {
    int count = 0, lowest = 255, highest = 0;
    float minX = 1e9f, maxX = -1e9f, maxAbsZ = 0.0f;
};

// One frame's depth-pass stencil count for the object lit from (-20, 20, 0),
// looking straight down at the ground from y = 50, orthographic over
// -10..10; screen right is +x, screen up is -z. Drawing the volumes must
// leave a vertex array the caller set up as it was.
Marked shadowOf(SceneObject& object) {
    Node root;
    root.addChild(&object);
    GlTestContext::reset();
    glMatrixMode(GL_PROJECTION);
    glOrtho(-kHalfView, kHalfView, -kHalfView, kHalfView, 1.0, 100.0);
    glMatrixMode(GL_MODELVIEW);
    gluLookAt(0, 50, 0, 0, 0, 0, 0, 0, -1);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glPushMatrix();
    glRotatef(-90, 1, 0, 0);  // the ground, counter-clockwise seen from above
    glRectf(-kHalfView, -kHalfView, kHalfView, kHalfView);
    glPopMatrix();
    root.drawTree();

    root.castShadowTree(-20, 20, 0);
    const float other[3] = {0, 0, 0};
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, other);
    glDepthMask(GL_FALSE);
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_STENCIL_TEST);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glStencilOp(GL_KEEP, GL_KEEP, GL_INCR);
    root.drawShadowVolumeTree();
    glFrontFace(GL_CW);
    glStencilOp(GL_KEEP, GL_KEEP, GL_DECR);
    root.drawShadowVolumeTree();
    GLvoid* pointer = nullptr;
    glGetPointerv(GL_VERTEX_ARRAY_POINTER, &pointer);
    EXPECT_EQ(pointer, static_cast<const void*>(other));
    EXPECT_TRUE(glIsEnabled(GL_VERTEX_ARRAY));
    glDisableClientState(GL_VERTEX_ARRAY);
    EXPECT_EQ(GlTestContext::drainErrors(), static_cast<GLenum>(GL_NO_ERROR));

    std::vector<unsigned char> stencil(static_cast<size_t>(kSize) * kSize);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kSize, kSize, GL_STENCIL_INDEX, GL_UNSIGNED_BYTE, stencil.data());
    Marked m;
    for (int i = 0; i < kSize * kSize; ++i) {
        const int s = stencil[static_cast<size_t>(i)];
        if (s == 0) {
            continue;
        }
        const float x = (i % kSize + 0.5f) * 2 * kHalfView / kSize - kHalfView;
        const float z = -((i / kSize + 0.5f) * 2 * kHalfView / kSize - kHalfView);
        ++m.count;
        m.minX = std::min(m.minX, x);
        m.maxX = std::max(m.maxX, x);
        m.maxAbsZ = std::max(m.maxAbsZ, std::abs(z));
        m.lowest = std::min(m.lowest, s);
        m.highest = std::max(m.highest, s);
    }
    return m;
}

}  // namespace

// A cube and a flat double-sided leaf floating at y = 3. The cube's shadow
// falls to the +x side, between x = 1.11 (the projected bottom-left corners)
// and 6.25 (the top-right ones), within |z| <= 1.25; both of the leaf's
// volumes count, so its shadow (x from 2.35 to 4.71, |z| <= 1.18) reads 2.
TEST(ShadowVolumeGl, StencilMarksTheShadowOnTheGroundAndNothingElse) {
    std::unique_ptr<MeshModel> cube(MeshModel::cube({0, 0, 0}, 1));
    std::unique_ptr<MeshModel> sheet(MeshModel::doubleSidedSquare());
    SceneObject box(0, 3, 0, 1);
    Flower leaf(0, 3, 0, 0, 0, 0, 1, 100, 0, 0, 0, 1);
    box.lod0Model = cube->get();
    leaf.lod0Model = sheet->get();
    const struct {
        SceneObject& object;
        int value;
        float minX, maxX, maxAbsZ;
        int fewest, most;  // about 164 pixels a square unit
        float inShadow;
    } cases[] = {{box, 1, 1.11f, 6.25f, 1.25f, 1800, 2150, 4.0f},
                 {leaf, 2, 2.35f, 4.71f, 1.18f, 815, 1000, 3.5f}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        c.object.lod0Model->buildDisplayList();
        c.object.setCastsShadow(true);
        const Marked m = shadowOf(c.object);
        EXPECT_EQ(m.lowest, c.value);
        EXPECT_EQ(m.highest, c.value);
        // Pixel centres lie within half a pixel (0.04) of the shadow's edge.
        EXPECT_GE(m.minX, c.minX - 0.05f);
        EXPECT_LE(m.maxX, c.maxX + 0.05f);
        EXPECT_LE(m.maxAbsZ, c.maxAbsZ + 0.05f);
        EXPECT_GT(m.count, c.fewest);
        EXPECT_LT(m.count, c.most);
        EXPECT_EQ(GlTestContext::stencilAt(pixelOf(c.inShadow), pixelOf(0.0f)), c.value);
        // The lit top of the object itself is not in shadow.
        EXPECT_EQ(GlTestContext::stencilAt(pixelOf(0.0f), pixelOf(0.0f)), 0);
    }

    // Without castsShadow the volume is built but not drawn.
    box.setCastsShadow(false);
    EXPECT_EQ(shadowOf(box).count, 0);
    glDeleteLists(cube->model.displayList, 1);
    glDeleteLists(sheet->model.displayList, 1);
}
