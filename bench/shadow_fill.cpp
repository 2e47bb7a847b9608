// Shadow-volume fill of each flower kind: on a software renderer the shadow
// pass costs most of a frame, and nearly all of it is filling the flowers'
// volumes. The real level in a 1024x768 GLUT window (run it under Xvfb),
// its scene drawn as the game draws it from a fixed set of views, then the
// game's shadow pass over one kind's volumes alone inside an occlusion
// query: the volume fragments that pass the depth test in both stencil
// passes are the fill that kind costs a frame.
//
//   cd <build> && xvfb-run -a -s "-screen 0 1280x1024x24" ./bench/bench_shadow_fill
//
// Run from a directory holding the generated data/.
#define GL_GLEXT_PROTOTYPES
#include <GL/freeglut.h>
#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <vector>

#include "app/GameWindow.h"
#include "app/ShadowPass.h"
#include "app/World.h"
#include "assets/FlowerKind.h"
#include "assets/Model.h"
#include "player/Bee.h"
#include "player/Camera.h"
#include "scene/Flower.h"
#include "scene/Node.h"
#include "scene/SceneObject.h"

namespace {

// Where the bee is and how the chase camera hangs behind it.
struct View {
    const char* name;
    float x, y, z;
    float yawDegrees;  // 0: facing +z, as at the start
    float cameraPitch;
    float cameraDistance;
};

// The first is the view the game starts with.
const View kViews[] = {
    {"start", -20.0f, 20.0f, 0.0f, 0.0f, 0.8f, 3.0f},
    {"low", 0.0f, 8.0f, -45.0f, 0.0f, 0.3f, 3.0f},
    {"east", 55.0f, 14.0f, 0.0f, -90.0f, 0.5f, 3.0f},
    {"above", -20.0f, 20.0f, 0.0f, 0.0f, 1.3f, 30.0f},
    {"north", 0.0f, 12.0f, 50.0f, 180.0f, 0.5f, 5.0f},
    {"west", -55.0f, 6.0f, 20.0f, 90.0f, 0.2f, 3.0f},
    {"centre", 0.0f, 10.0f, 0.0f, 45.0f, 0.5f, 4.0f},
    {"high", 30.0f, 30.0f, -30.0f, -45.0f, 0.9f, 10.0f},
};
constexpr int kViewCount = sizeof kViews / sizeof kViews[0];
constexpr int kKindCount = sizeof kFlowerKinds / sizeof kFlowerKinds[0];

void placeBee(const View& v) {
    Bee* bee = theWorld->bee;
    bee->position = Vector3(v.x, v.y, v.z);
    bee->forward = Vector3(0.0f, 0.0f, 1.0f);
    bee->up = Vector3(0.0f, 1.0f, 0.0f);
    bee->side = Vector3(1.0f, 0.0f, 0.0f);
    bee->yaw(v.yawDegrees * 3.14159265f / 180.0f);
    theCamera->pitch = v.cameraPitch;
    theCamera->distance = v.cameraDistance;
}

// The fragments of the volumes under `volumes` that pass the depth test in
// the game's shadow pass, both stencil passes, over the scene just drawn.
// The pass's samples also count its darkening quad, which covers each pixel
// whose stencil count is above where counting starts once: those pixels are
// taken off.
double volumeFragments(Node& volumes, GLuint query) {
    Node* scene = theWorld->root;
    theWorld->root = &volumes;  // the pass walks the World's root
    glBeginQuery(GL_SAMPLES_PASSED, query);
    theWorld->shadowPass();
    glEndQuery(GL_SAMPLES_PASSED);
    theWorld->root = scene;
    GLuint samples = 0;
    glGetQueryObjectuiv(query, GL_QUERY_RESULT, &samples);
    std::vector<GLubyte> stencil(static_cast<size_t>(windowWidth) * windowHeight);
    glReadPixels(0, 0, windowWidth, windowHeight, GL_STENCIL_INDEX, GL_UNSIGNED_BYTE,
                 stencil.data());
    const auto darkened = std::count_if(stencil.begin(), stencil.end(),
                                        [](GLubyte c) { return c > ShadowPass::kCountFrom; });
    return double(samples) - double(darkened);
}

}  // namespace

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    glutInitDisplayMode(kDisplayMode);
    glutInitWindowSize(windowWidth, windowHeight);
    glutCreateWindow("Zumbra");
    // The game's own lines (models loaded, objects culled) would bury the table.
    std::cout.setstate(std::ios::badbit);
    frustumCullingEnabled = false;
    initGL();
    glutDisplayFunc([] {});
    reshape(windowWidth, windowHeight);
    glutMainLoopEvent();

    // Each kind's flowers under a node of their own; a node owns no children.
    Node kinds[kKindCount];
    int flowers[kKindCount] = {};
    long quads[kKindCount] = {};
    int triangles[kKindCount] = {};
    for (Flower* f : *theWorld->flowers) {
        for (int k = 0; k < kKindCount; ++k) {
            if (std::strcmp(f->modelFile, kFlowerKinds[k].lod0Model) == 0) {
                kinds[k].addChild(f);
                ++flowers[k];
                quads[k] += f->silhouetteIndexCount / 2;
                triangles[k] = f->lod0Model != nullptr ? f->lod0Model->numTriangles : 0;
            }
        }
    }

    // The bee with its wings, for comparison: its volume is rebuilt every frame
    // and hangs right in front of the camera.
    Node beeAlone;
    beeAlone.addChild(theWorld->bee);

    GLuint query = 0;
    glGenQueries(1, &query);
    std::vector<std::vector<double>> fragments(kKindCount, std::vector<double>(kViewCount));
    std::vector<double> beeFragments(kViewCount);
    for (int v = 0; v < kViewCount; ++v) {
        placeBee(kViews[v]);
        // Culling is off: it only skips what lies out of view.
        theWorld->root->updateTree(60);
        for (int k = 0; k < kKindCount; ++k) {
            glLoadIdentity();
            glPushMatrix();
            theWorld->drawScene();
            fragments[k][v] = volumeFragments(kinds[k], query);
            glPopMatrix();
        }
        glLoadIdentity();
        glPushMatrix();
        theWorld->drawScene();
        beeFragments[v] = volumeFragments(beeAlone, query);
        glPopMatrix();
    }
    glDeleteQueries(1, &query);

    std::printf("renderer: %s, %dx%d\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)),
                windowWidth, windowHeight);
    std::printf("flower shadow-volume fragments per frame (both stencil passes, depth-tested)\n");
    std::printf("%-5s %7s %9s %6s", "kind", "flowers", "triangles", "quads");
    for (const View& view : kViews) {
        std::printf(" %10s", view.name);
    }
    std::printf(" %10s %10s %8s\n", "mean", "per flower", "screens");
    std::vector<double> all(kViewCount, 0.0);
    const double screen = double(windowWidth) * windowHeight;
    auto row = [&](const std::vector<double>& perView, int count) {
        double sum = 0.0;
        for (int v = 0; v < kViewCount; ++v) {
            std::printf(" %10.0f", perView[v]);
            sum += perView[v];
        }
        const double mean = sum / kViewCount;
        std::printf(" %10.0f %10.0f %8.2f\n", mean, count > 0 ? mean / count : 0.0, mean / screen);
    };
    int allFlowers = 0;
    long allQuads = 0;
    for (int k = 0; k < kKindCount; ++k) {
        std::printf("%-5c %7d %9d %6ld", kFlowerKinds[k].letter, flowers[k], triangles[k],
                    quads[k]);
        row(fragments[k], flowers[k]);
        for (int v = 0; v < kViewCount; ++v) {
            all[v] += fragments[k][v];
        }
        allFlowers += flowers[k];
        allQuads += quads[k];
    }
    std::printf("%-5s %7d %9s %6ld", "all", allFlowers, "", allQuads);
    row(all, allFlowers);
    std::printf("%-5s %7d %9d %6d", "bee", 1, theWorld->bee->lod0Model->numTriangles,
                theWorld->bee->silhouetteIndexCount / 2);
    row(beeFragments, 1);
    return 0;
}
