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

GLuint compile(const Model& m) {
    const GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    glBegin(GL_TRIANGLES);
    for (int i = 0; i < m.numTriangles; ++i) {
        for (int c = 0; c < 3; ++c) {
            glVertex3fv(m.vertices[m.triangles[i].vertexIndices[c]].position);
        }
    }
    glEnd();
    glEndList();
    return list;
}

// Looking straight down at the ground from y = 50, orthographic over
// -10..10; screen right is +x, screen up is -z.
void lookDown() {
    GlTestContext::reset();
    glMatrixMode(GL_PROJECTION);
    glOrtho(-kHalfView, kHalfView, -kHalfView, kHalfView, 1.0, 100.0);
    glMatrixMode(GL_MODELVIEW);
    gluLookAt(0, 50, 0, 0, 0, 0, 0, 0, -1);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glFrontFace(GL_CCW);
    // The ground, counter-clockwise seen from above.
    glPushMatrix();
    glRotatef(-90, 1, 0, 0);
    glRectf(-kHalfView, -kHalfView, kHalfView, kHalfView);
    glPopMatrix();
}

// The frame's depth-pass stencil count over every volume in the tree.
void stencilPass(Node& root) {
    root.castShadowTree(-20, 20, 0);
    glPushAttrib(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_ENABLE_BIT | GL_POLYGON_BIT |
                 GL_STENCIL_BUFFER_BIT);
    glDisable(GL_LIGHTING);
    glDepthMask(GL_FALSE);
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_STENCIL_TEST);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glStencilFunc(GL_ALWAYS, 1, ~0u);
    glFrontFace(GL_CCW);
    glStencilOp(GL_KEEP, GL_KEEP, GL_INCR);
    root.drawShadowVolumeTree();
    glFrontFace(GL_CW);
    glStencilOp(GL_KEEP, GL_KEEP, GL_DECR);
    root.drawShadowVolumeTree();
    glFrontFace(GL_CCW);
    glPopAttrib();
}

// Where the stencil is not 0: how many pixels, their extent on the ground,
// and the smallest and largest value.
struct Marked {
    int count = 0, lowest = 255, highest = 0;
    float minX = 1e9f, maxX = -1e9f, maxAbsZ = 0.0f;
};

Marked readStencil() {
    std::vector<unsigned char> stencil(static_cast<size_t>(kSize) * kSize);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kSize, kSize, GL_STENCIL_INDEX, GL_UNSIGNED_BYTE, stencil.data());
    Marked m;
    for (int py = 0; py < kSize; ++py) {
        for (int px = 0; px < kSize; ++px) {
            const int s = stencil[py * kSize + px];
            if (s == 0) {
                continue;
            }
            const float x = (px + 0.5f) * 2 * kHalfView / kSize - kHalfView;
            const float z = -((py + 0.5f) * 2 * kHalfView / kSize - kHalfView);
            ++m.count;
            m.minX = std::min(m.minX, x);
            m.maxX = std::max(m.maxX, x);
            m.maxAbsZ = std::max(m.maxAbsZ, std::abs(z));
            m.lowest = std::min(m.lowest, s);
            m.highest = std::max(m.highest, s);
        }
    }
    return m;
}

int pixelOf(float world) {
    return static_cast<int>((world + kHalfView) / (2 * kHalfView) * kSize);
}

}  // namespace

// A cube floating over the ground, lit from (-20, 20, 0): its shadow falls
// to the +x side, between x = 1.11 (the projected bottom-left corners) and
// 6.25 (the top-right ones), within |z| <= 1.25.
TEST(ShadowVolumeGl, StencilMarksTheShadowOnTheGroundAndNothingElse) {
    std::unique_ptr<MeshModel> cube(MeshModel::cube({0, 0, 0}, 1));
    cube->model.displayList = compile(cube->model);
    SceneObject box(0, 3, 0, 1);
    box.lod0Model = cube->get();
    box.setCastsShadow(true);
    Node root;
    root.addChild(&box);

    lookDown();
    root.drawTree();
    stencilPass(root);

    const Marked m = readStencil();
    EXPECT_EQ(m.lowest, 1);
    EXPECT_EQ(m.highest, 1);
    // Pixel centres lie within half a pixel (0.04) of the shadow's edge.
    EXPECT_GE(m.minX, 1.11f - 0.05f);
    EXPECT_LE(m.maxX, 6.25f + 0.05f);
    EXPECT_LE(m.maxAbsZ, 1.25f + 0.05f);
    // The shadow's area is about 12.5 square units, 164 pixels each.
    EXPECT_GT(m.count, 1800);
    EXPECT_LT(m.count, 2150);
    EXPECT_EQ(GlTestContext::stencilAt(pixelOf(4.0f), pixelOf(0.0f)), 1);
    // The lit top of the cube itself is not in shadow.
    EXPECT_EQ(GlTestContext::stencilAt(pixelOf(0.0f), pixelOf(0.0f)), 0);

    // Without castsShadow the volume is built but not drawn.
    box.setCastsShadow(false);
    lookDown();
    root.drawTree();
    stencilPass(root);
    EXPECT_EQ(readStencil().count, 0);

    glDeleteLists(cube->model.displayList, 1);
    EXPECT_EQ(GlTestContext::drainErrors(), static_cast<GLenum>(GL_NO_ERROR));
}

// A flat double-sided leaf at y = 3: both of its volumes count, so the
// shadow (x from 2.35 to 4.71, |z| <= 1.18) reads 2.
TEST(ShadowVolumeGl, TwoSidedLeafShadowsFromBothVolumes) {
    std::unique_ptr<MeshModel> sheet(MeshModel::doubleSidedSquare());
    sheet->model.displayList = compile(sheet->model);
    Flower leaf(0, 3, 0, 0, 0, 0, 1, 100, 0, 0, 0, 1);
    leaf.lod0Model = sheet->get();
    leaf.setCastsShadow(true);
    Node root;
    root.addChild(&leaf);

    lookDown();
    root.drawTree();
    stencilPass(root);

    const Marked m = readStencil();
    EXPECT_EQ(m.lowest, 2);
    EXPECT_EQ(m.highest, 2);
    EXPECT_GE(m.minX, 2.35f - 0.05f);
    EXPECT_LE(m.maxX, 4.71f + 0.05f);
    EXPECT_LE(m.maxAbsZ, 1.18f + 0.05f);
    EXPECT_GT(m.count, static_cast<int>(2.35f * 2.35f * 164 * 0.9f));
    EXPECT_EQ(GlTestContext::stencilAt(pixelOf(3.5f), pixelOf(0.0f)), 2);

    glDeleteLists(sheet->model.displayList, 1);
    EXPECT_EQ(GlTestContext::drainErrors(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(ShadowVolumeGl, DrawingLeavesTheClientArrayStateAsFound) {
    std::unique_ptr<MeshModel> cube(MeshModel::cube({0, 0, 0}, 1));
    SceneObject box(0, 3, 0, 1);
    box.lod0Model = cube->get();
    box.setCastsShadow(true);
    box.castShadow(-20, 20, 0);
    GlTestContext::reset();
    const float other[3] = {0, 0, 0};
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, other);
    glPushMatrix();
    box.drawShadowVolume();
    glPopMatrix();
    GLvoid* pointer = nullptr;
    glGetPointerv(GL_VERTEX_ARRAY_POINTER, &pointer);
    EXPECT_EQ(pointer, static_cast<const void*>(other));
    EXPECT_TRUE(glIsEnabled(GL_VERTEX_ARRAY));
    glDisableClientState(GL_VERTEX_ARRAY);
    EXPECT_EQ(GlTestContext::drainErrors(), static_cast<GLenum>(GL_NO_ERROR));
}
