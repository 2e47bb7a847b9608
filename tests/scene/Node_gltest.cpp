#include "scene/Node.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/GlTestContext.h"

namespace {

// Records every call and, for draws, how deep the modelview stack is, and
// disturbs the matrix so that a missing push/pop would show.
class RecordingNode : public Node {
public:
    RecordingNode(std::string name, std::vector<std::string>* log)
        : name(std::move(name)), log(log) {}
    void update(int frameRate) override {
        log->push_back("update " + name + " " + std::to_string(frameRate));
    }
    void draw() override {
        log->push_back("draw " + name + " depth " +
                       std::to_string(GlTestContext::integer(GL_MODELVIEW_STACK_DEPTH)));
        glTranslatef(5.0f, 0.0f, 0.0f);
    }
    void castShadow(float x, float y, float z) override {
        log->push_back("cast " + name + " " + std::to_string(static_cast<int>(x + y + z)));
    }
    void drawShadowVolume() override {
        log->push_back("volume " + name + " depth " +
                       std::to_string(GlTestContext::integer(GL_MODELVIEW_STACK_DEPTH)));
        glScalef(2.0f, 2.0f, 2.0f);
    }

private:
    std::string name;
    std::vector<std::string>* log;
};

}  // namespace

TEST(Node, WalksArePostOrderWithBalancedMatrixStack) {
    GlTestContext::reset();
    std::vector<std::string> log;
    RecordingNode root("root", &log), a("a", &log), b("b", &log), grandchild("g", &log);
    root.addChild(&a);
    root.addChild(&b);
    a.addChild(&grandchild);

    root.updateTree(60);
    EXPECT_EQ(log, (std::vector<std::string>{"update g 60", "update a 60", "update b 60",
                                             "update root 60"}));

    log.clear();
    root.castShadowTree(-20, 100, 0);
    EXPECT_EQ(log,
              (std::vector<std::string>{"cast g 80", "cast a 80", "cast b 80", "cast root 80"}));

    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(1.0f, 2.0f, 3.0f);
    GLfloat before[16], after[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, before);
    const GLint depthBefore = GlTestContext::integer(GL_MODELVIEW_STACK_DEPTH);

    log.clear();
    root.drawTree();
    // Every draw sits one level deeper than the walk's caller: siblings do not
    // inherit each other's transforms, and a child is not drawn inside its parent.
    const std::string d = std::to_string(depthBefore + 1);
    EXPECT_EQ(log, (std::vector<std::string>{"draw g depth " + d, "draw a depth " + d,
                                             "draw b depth " + d, "draw root depth " + d}));
    log.clear();
    root.drawShadowVolumeTree();
    EXPECT_EQ(log, (std::vector<std::string>{"volume g depth " + d, "volume a depth " + d,
                                             "volume b depth " + d, "volume root depth " + d}));

    glGetFloatv(GL_MODELVIEW_MATRIX, after);
    EXPECT_EQ(GlTestContext::integer(GL_MODELVIEW_STACK_DEPTH), depthBefore);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(before[i], after[i]);
    }
    EXPECT_EQ(GlTestContext::drainErrors(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(Node, AddAndRemoveChildren) {
    std::vector<std::string> log;
    Node root;
    RecordingNode a("a", &log), b("b", &log);

    // A leaf only handles itself.
    a.updateTree(1);
    EXPECT_EQ(log, (std::vector<std::string>{"update a 1"}));

    root.addChild(&a);
    root.addChild(&b);
    root.addChild(&a);  // no duplicate check: visited twice
    log.clear();
    root.updateTree(2);
    EXPECT_EQ(log, (std::vector<std::string>{"update a 2", "update b 2", "update a 2"}));

    RecordingNode absent("x", &log);
    root.removeChild(&absent);
    EXPECT_EQ(root.children->size(), 3u);

    root.removeChild(&a);  // removes both occurrences
    ASSERT_EQ(root.children->size(), 1u);
    EXPECT_EQ(root.children->front(), &b);
}
