// Renders the generated content to a PNG under the game's light and fog, to
// look at models without starting the game. Needs a display (xvfb-run -a).
//   zumbra_view <data dir> <out.png> scene <eye x y z> <target x y z>
//   zumbra_view <data dir> <out.png> model <file.ms3d> <yaw deg> <pitch deg> <distance> [target y]
//   zumbra_view <data dir> <out.png> chase
// Models come from the content tool's own builders; pictures and flower
// placements are read from <data dir>, as the game would.
#include <GL/freeglut.h>
#include <GL/glu.h>
#include <IL/il.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "assets/FlowerKind.h"
#include "assets/PlacementReader.h"
#include "content/BeeModel.h"
#include "content/FlowerFiles.h"
#include "content/ModelCatalog.h"

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;

std::string dataDir;
std::map<std::string, GLuint> textures;

GLuint texture(const std::string& name) {
    const auto found = textures.find(name);
    if (found != textures.end()) {
        return found->second;
    }
    const std::string path = dataDir + "/" + name.substr(name.find('/') + 1);
    ILuint image;
    ilGenImages(1, &image);
    ilBindImage(image);
    GLuint id = 0;
    // Rows top first, as the game reads every picture.
    ilEnable(IL_ORIGIN_SET);
    ilOriginFunc(IL_ORIGIN_UPPER_LEFT);
    const bool loaded = ilLoadImage(path.c_str()) == IL_TRUE;
    ilDisable(IL_ORIGIN_SET);
    if (loaded) {
        ilConvertImage(IL_RGB, IL_UNSIGNED_BYTE);
        glGenTextures(1, &id);
        glBindTexture(GL_TEXTURE_2D, id);
        // The game's filters.
        glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST_MIPMAP_NEAREST);
        glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGB, ilGetInteger(IL_IMAGE_WIDTH),
                          ilGetInteger(IL_IMAGE_HEIGHT), GL_RGB, GL_UNSIGNED_BYTE, ilGetData());
    } else {
        std::fprintf(stderr, "%s: cannot load\n", path.c_str());
    }
    textures[name] = id;
    return id;
}

// Draws a model as the game's display list would: per group its texture,
// per corner normal, texture coordinate (s, 1 - file t) and vertex.
void drawModel(const MeshBuilder& m, float textureScale = 1.0f) {
    for (size_t g = 0; g < m.groups.size(); ++g) {
        const int mat = m.groups[g].material;
        if (mat >= 0 && texture(m.materials[mat].texture) != 0) {
            glBindTexture(GL_TEXTURE_2D, texture(m.materials[mat].texture));
            glEnable(GL_TEXTURE_2D);
        } else {
            glDisable(GL_TEXTURE_2D);
        }
        glBegin(GL_TRIANGLES);
        for (const MeshBuilder::Triangle& t : m.triangles) {
            if (t.group != static_cast<int>(g)) {
                continue;
            }
            for (int c = 0; c < 3; ++c) {
                glNormal3d(t.normals[c].x, t.normals[c].y, t.normals[c].z);
                glTexCoord2d(t.corners[c].u * textureScale, t.corners[c].v * textureScale);
                const Vec3& p = m.vertices[t.corners[c].vertex];
                glVertex3d(p.x, p.y, p.z);
            }
        }
        glEnd();
    }
    glDisable(GL_TEXTURE_2D);
}

struct Placed {
    std::string model;
    double x, y, z, scale;
};

// The placements as the level loader reads them.
std::vector<Placed> readPlacements(const FlowerKind& kind) {
    std::vector<Placed> out;
    const std::string path = dataDir + "/" + flowerFiles::placement(kind);
    for (const PlacementReader::Record& r : PlacementReader::readFile(path.c_str(), kind.layout)) {
        out.push_back({flowerFiles::model(kind, 0), r.values[0], r.values[1], r.values[2],
                       r.values[6] * kind.scaleFactor});
    }
    return out;
}

const MeshBuilder& find(const std::vector<NamedModel>& models, const std::string& file) {
    for (const NamedModel& m : models) {
        if (m.file == file) {
            return m.mesh;
        }
    }
    std::fprintf(stderr, "no model %s\n", file.c_str());
    std::exit(1);
}

void gameState() {
    glClearColor(1.0f, 0.7f, 0.0f, 1.0f);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_CULL_FACE);
    glShadeModel(GL_SMOOTH);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(70.0, double(kWidth) / kHeight, 1.0, 1500.0);
    glMatrixMode(GL_MODELVIEW);
}

void lightAndFog() {
    const GLfloat ambient[] = {0.3f, 0.3f, 0.3f, 1.0f};
    const GLfloat diffuse[] = {10.0f, 10.0f, 10.0f, 2.0f};
    const GLfloat position[] = {-20.0f, 100.0f, 0.0f, 2.0f};
    glLightfv(GL_LIGHT1, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT1, GL_DIFFUSE, diffuse);
    glLightfv(GL_LIGHT1, GL_POSITION, position);
    glColorMaterial(GL_FRONT, GL_AMBIENT_AND_DIFFUSE);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT1);
    const GLfloat fog[] = {1.0f, 0.7f, 0.0f, 1.0f};
    glEnable(GL_FOG);
    glFogi(GL_FOG_MODE, GL_EXP);
    glFogfv(GL_FOG_COLOR, fog);
    glFogf(GL_FOG_DENSITY, 0.008f);
}

void drawBee(const std::vector<NamedModel>& models, const Vec3& at, double scale) {
    glPushMatrix();
    glTranslated(at.x, at.y, at.z);
    glScaled(scale, scale, scale);
    glColor3f(1.0f, 1.0f, 0.0f);
    drawModel(find(models, "bee.ms3d"));
    glTranslated(0.0, beeWings::kOffsetY, beeWings::kOffsetZ);
    glColor3f(1.0f, 1.0f, 1.0f);
    drawModel(find(models, "bee_wings.ms3d"));
    glPopMatrix();
}

void drawLevel(const std::vector<NamedModel>& models) {
    glColor3f(1, 1, 1);
    for (const NamedModel& m : models) {
        if (m.file.rfind("dome", 0) == 0) {
            drawModel(m.mesh);
        } else if (m.file.find("LOD0") != std::string::npos && m.file.rfind("floor", 0) == 0) {
            drawModel(m.mesh, 10.0f);
        }
    }
    glDisable(GL_CULL_FACE);  // flowers are drawn two-sided
    for (const FlowerKind& kind : kFlowerKinds) {
        for (const Placed& p : readPlacements(kind)) {
            glPushMatrix();
            glTranslated(p.x, p.y, p.z);
            glScaled(p.scale, p.scale, p.scale);
            drawModel(find(models, p.model));
            glPopMatrix();
        }
    }
    glEnable(GL_CULL_FACE);
}

bool savePng(const std::string& path) {
    std::vector<unsigned char> pixels(static_cast<size_t>(kWidth) * kHeight * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    ILuint image;
    ilGenImages(1, &image);
    ilBindImage(image);
    ilTexImage(kWidth, kHeight, 1, 3, IL_RGB, IL_UNSIGNED_BYTE, pixels.data());  // bottom row first
    ilEnable(IL_FILE_OVERWRITE);
    return ilSave(IL_PNG, path.c_str()) == IL_TRUE;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: see the top of ContentViewer.cpp\n");
        return 2;
    }
    dataDir = argv[1];
    const std::string out = argv[2], mode = argv[3];
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH | GLUT_STENCIL);
    glutInitWindowSize(kWidth, kHeight);
    glutCreateWindow("content viewer");
    ilInit();
    gameState();
    const std::vector<NamedModel> models = buildModels();
    auto arg = [&](int i) { return i < argc ? std::atof(argv[i]) : 0.0; };

    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    if (mode == "scene" || mode == "chase") {
        Vec3 eye(arg(4), arg(5), arg(6)), target(arg(7), arg(8), arg(9));
        const Vec3 bee(-20, 20, 0);
        if (mode == "chase") {
            // The game's camera: 3 behind the bee, pitched 0.8 down.
            target = bee;
            eye = bee - Vec3(0, -std::sin(0.8), std::cos(0.8)) * 3.0;
        }
        gluLookAt(eye.x, eye.y, eye.z, target.x, target.y, target.z, 0, 1, 0);
        lightAndFog();
        drawLevel(models);
        drawBee(models, bee, 0.1);
    } else {
        const std::string file = argv[4];
        const double yaw = arg(5) * kPi / 180.0, pitch = arg(6) * kPi / 180.0, distance = arg(7);
        const MeshBuilder& m = find(models, file);
        Vec3 lo, hi;
        m.boundingBox(lo, hi);
        Vec3 centre = (lo + hi) * 0.5;
        if (file == "bee_wings.ms3d" || file == "bee.ms3d") {
            centre = Vec3(0, 0.5, 0);
        }
        if (argc > 8) {
            centre = Vec3(0, arg(8), 0);
        }
        const Vec3 eye = centre + Vec3(std::sin(yaw) * std::cos(pitch), std::sin(pitch),
                                       std::cos(yaw) * std::cos(pitch)) *
                                      distance;
        gluLookAt(eye.x, eye.y, eye.z, centre.x, centre.y, centre.z, 0, 1, 0);
        lightAndFog();
        glDisable(GL_FOG);
        const bool flower = file.rfind("flower", 0) == 0 &&
                            file.find(".ms3d") != std::string::npos && file.rfind("floor", 0) != 0;
        if (flower) {
            glDisable(GL_CULL_FACE);
        }
        if (file == "bee.ms3d") {
            drawBee(models, {0, 0, 0}, 1.0);
        } else {
            const bool bomb = file == "bomb.ms3d";
            glColor3f(1.0f, 1.0f, bomb ? 0.0f : 1.0f);
            if (bomb) {
                glColor3f(0.5f, 0.5f, 0.0f);
            }
            drawModel(m);
        }
    }
    glFinish();
    if (!savePng(out)) {
        std::fprintf(stderr, "%s: cannot write\n", out.c_str());
        return 1;
    }
    return 0;
}
