#include "scene/Node.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/GlTestContext.h"

namespace {

using Log = std::vector<std::string>;

// Records every call and, for draws, how deep the modelview stack is, and
// disturbs the matrix so that a missing push/pop would show.
class RecordingNode : public Node {
public:
    RecordingNode(std::string name, Log* log) : name(std::move(name)), log(log) {}
    void update(int frameRate) override { note("update", frameRate); }
    void draw() override {
        note("draw", GlTestContext::integer(GL_MODELVIEW_STACK_DEPTH));
        glTranslatef(5.0f, 0.0f, 0.0f);
    }
    void castShadow(float x, float y, float z) override {
        note("cast", static_cast<int>(x + y + z));
    }
    void drawShadowVolume() override {
        note("volume", GlTestContext::integer(GL_MODELVIEW_STACK_DEPTH));
        glScalef(2.0f, 2.0f, 2.0f);
    }

private:
    void note(const char* what, int value) {
        log->push_back(std::string(what) + " " + name + " " + std::to_string(value));
    }
    std::string name;
    Log* log;
};

}  // namespace

TEST(Node, WalksArePostOrderWithBalancedMatrixStack) {
    GlTestContext::reset();
    Log log;
    RecordingNode root("root", &log), a("a", &log), b("b", &log), grandchild("g", &log);
    root.addChild(&a);
    root.addChild(&b);
    a.addChild(&grandchild);

    root.updateTree(60);
    EXPECT_EQ(log, (Log{"update g 60", "update a 60", "update b 60", "update root 60"}));
    log.clear();
    root.castShadowTree(-20, 100, 0);
    EXPECT_EQ(log, (Log{"cast g 80", "cast a 80", "cast b 80", "cast root 80"}));

    glTranslatef(1.0f, 2.0f, 3.0f);
    GLfloat before[16], after[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, before);
    const GLint depthBefore = GlTestContext::integer(GL_MODELVIEW_STACK_DEPTH);
    // Every draw sits one level deeper than the walk's caller: siblings do not
    // inherit each other's transforms, and a child is not drawn inside its parent.
    const std::string d = " " + std::to_string(depthBefore + 1);
    log.clear();
    root.drawTree();
    EXPECT_EQ(log, (Log{"draw g" + d, "draw a" + d, "draw b" + d, "draw root" + d}));
    log.clear();
    root.drawShadowVolumeTree();
    EXPECT_EQ(log, (Log{"volume g" + d, "volume a" + d, "volume b" + d, "volume root" + d}));
    glGetFloatv(GL_MODELVIEW_MATRIX, after);
    EXPECT_EQ(GlTestContext::integer(GL_MODELVIEW_STACK_DEPTH), depthBefore);
    EXPECT_EQ(std::vector<GLfloat>(before, before + 16), std::vector<GLfloat>(after, after + 16));
    EXPECT_EQ(GlTestContext::drainErrors(), static_cast<GLenum>(GL_NO_ERROR));

    // No duplicate check: a child added twice is visited twice, and removing
    // it removes both; removing a stranger changes nothing.
    RecordingNode stranger("x", &log);
    root.addChild(&a);
    root.removeChild(&stranger);
    log.clear();
    root.updateTree(2);
    EXPECT_EQ(log, (Log{"update g 2", "update a 2", "update b 2", "update g 2", "update a 2",
                        "update root 2"}));
    root.removeChild(&a);
    log.clear();
    root.updateTree(1);
    EXPECT_EQ(log, (Log{"update b 1", "update root 1"}));
}
