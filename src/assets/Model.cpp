#include "assets/Model.h"

#include <cmath>
#include <cstdint>
#include <iostream>
#include <string>

#include "assets/ModelFactory.h"
#include "assets/Ms3dParser.h"
#include "assets/NeighbourSearch.h"
#include "assets/RegularFile.h"
#include "assets/Texture.h"

namespace {

// Far more than any model the game draws; a bigger file is not one of them.
constexpr size_t kMaxFileBytes = size_t(256) << 20;

// The whole file, as long as it is a plain file; false with a reason when
// that fails.
bool readWholeFile(const char* name, std::string& bytes, std::string& reason) {
    RegularFile file(name);
    if (!file.isOpen() || !file.readAll(bytes, kMaxFileBytes)) {
        reason = file.reason();
        return false;
    }
    return true;
}

bool cornersInRange(const Model& m, const Triangle& t) {
    for (int c = 0; c < 3; ++c) {
        if (t.vertexIndices[c] < 0 || t.vertexIndices[c] >= m.numVertices) {
            return false;
        }
    }
    return true;
}

}  // namespace

Model::Model()
    : numGroups(0),
      groups(nullptr),
      numMaterials(0),
      materials(nullptr),
      numTriangles(0),
      triangles(nullptr),
      numVertices(0),
      vertices(nullptr),
      displayList(0),
      fileName(nullptr),
      textureScale(1.0f) {}

Model::Model(const char* fileName, float textureScale) : Model() {
    this->fileName = fileName;
    this->textureScale = textureScale;
    loadFile();
    buildDisplayList();
    computeFaceNormals();
    findNeighbours();
}

bool Model::loadFile() {
    Ms3dParser::release(*this);
    const char* name = fileName != nullptr ? fileName : "(no file name)";
    std::string bytes;
    std::string reason;
    if (fileName == nullptr || !readWholeFile(fileName, bytes, reason) ||
        !Ms3dParser::parse(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), *this,
                           reason)) {
        if (fileName == nullptr) {
            reason = "no file name";
        }
        std::cerr << name << ": " << reason << std::endl;
        return false;
    }
    resolveTextures();
    return true;
}

void Model::resolveTextures() {
    for (int m = 0; m < numMaterials; ++m) {
        Material& mat = materials[m];
        if (mat.textureName == nullptr || mat.textureName[0] == '\0' ||
            theModelFactory == nullptr) {
            mat.textureId = 0;
            continue;
        }
        mat.textureId = theModelFactory->getTexture(mat.textureName)->getId();
    }
}

void Model::computeFaceNormals() {
    for (int i = 0; i < numTriangles; ++i) {
        Triangle& t = triangles[i];
        t.faceNormal = Vector3(0.0f, 0.0f, 0.0f);
        if (!cornersInRange(*this, t)) {
            continue;
        }
        const float* p0 = vertices[t.vertexIndices[0]].position;
        const float* p1 = vertices[t.vertexIndices[1]].position;
        const float* p2 = vertices[t.vertexIndices[2]].position;
        // Double precision: float positions near the limits cannot overflow here.
        const double ax = double(p0[0]) - p1[0], ay = double(p0[1]) - p1[1],
                     az = double(p0[2]) - p1[2];
        const double bx = double(p0[0]) - p2[0], by = double(p0[1]) - p2[1],
                     bz = double(p0[2]) - p2[2];
        const double nx = ay * bz - az * by, ny = az * bx - ax * bz, nz = ax * by - ay * bx;
        const double len = std::sqrt(nx * nx + ny * ny + nz * nz);
        // A degenerate (or non-finite) triangle keeps (0, 0, 0): it never faces
        // the light and never yields NaN in the shadow code.
        if (len > 0.0 && std::isfinite(len)) {
            t.faceNormal = Vector3(float(nx / len), float(ny / len), float(nz / len));
        }
    }
}

void Model::findNeighbours() {
    for (int i = 0; i < numTriangles; ++i) {
        for (int& n : triangles[i].neighbours) {
            n = -1;
        }
    }
    NeighbourSearch::run(triangles, numTriangles);
}

void Model::computeFacing(Vector3 lightVector) {
    // A zero light vector gives NaN here, and NaN > 0 is false: nothing faces.
    const Vector3 n = normalize(lightVector);
    for (int g = 0; g < numGroups; ++g) {
        const Mesh& mesh = groups[g];
        for (int k = 0; k < mesh.numTriangles; ++k) {
            const int ti = mesh.triangleIndices[k];
            if (ti < 0 || ti >= numTriangles) {
                continue;
            }
            Triangle& t = triangles[ti];
            t.facing = n.dot(t.faceNormal) > 0.0f;
        }
    }
}

// The list sets each mesh's material and texturing itself and ends by putting
// GL_TEXTURE_2D back to what it was when the list was compiled; the material
// state it sets stays, as the next list sets its own. A mesh without a
// material keeps whatever material came before it.
void Model::buildDisplayList() {
    const GLuint list = glGenLists(1);
    if (list == 0) {
        return;
    }
    const GLuint replaced = displayList;
    displayList = list;
    glNewList(list, GL_COMPILE);
    // Queries run at once, even while compiling: this is the state at compile time.
    const GLboolean texturing = glIsEnabled(GL_TEXTURE_2D);
    for (int g = 0; g < numGroups; ++g) {
        const Mesh& mesh = groups[g];
        if (mesh.materialIndex >= 0 && mesh.materialIndex < numMaterials) {
            Material& m = materials[mesh.materialIndex];
            glMaterialfv(GL_FRONT, GL_AMBIENT, m.ambient);
            glMaterialfv(GL_FRONT, GL_DIFFUSE, m.diffuse);
            glMaterialfv(GL_FRONT, GL_SPECULAR, m.specular);
            if (m.textureId != 0) {
                const GLuint id = theModelFactory != nullptr
                                      ? theModelFactory->getTexture(m.textureName)->getId()
                                      : m.textureId;
                glBindTexture(GL_TEXTURE_2D, id);
                glEnable(GL_TEXTURE_2D);
            } else {
                glDisable(GL_TEXTURE_2D);
            }
        } else {
            glDisable(GL_TEXTURE_2D);
        }
        // In wireframe the same corner stream is drawn as lines: corners pair
        // up across triangle boundaries, which is the look the switch has.
        glBegin(wireframeMode != 0 ? GL_LINES : GL_TRIANGLES);
        for (int k = 0; k < mesh.numTriangles; ++k) {
            const int ti = mesh.triangleIndices[k];
            if (ti < 0 || ti >= numTriangles || !cornersInRange(*this, triangles[ti])) {
                continue;
            }
            const Triangle& t = triangles[ti];
            for (int c = 0; c < 3; ++c) {
                glNormal3fv(t.vertexNormals[c]);
                glTexCoord2f(t.s[c] * textureScale, t.t[c] * textureScale);
                glVertex3fv(vertices[t.vertexIndices[c]].position);
            }
        }
        glEnd();
    }
    if (texturing) {
        glEnable(GL_TEXTURE_2D);
    } else {
        glDisable(GL_TEXTURE_2D);
    }
    resolveTextures();
    glEndList();
    if (replaced != 0 && replaced != list) {
        glDeleteLists(replaced, 1);
    }
}
