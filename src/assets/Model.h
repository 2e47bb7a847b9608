#pragma once

#include <GL/gl.h>

#include "math/Vector3.h"

// One MilkShape 3D model: the static geometry of an .ms3d file (versions 3
// and 4), its materials, one compiled display list, and the per-triangle face
// normals and edge neighbours the stencil shadows need.
//
// Built only by ModelFactory::getModel. A file that cannot be read or fails
// any check leaves a model with zero counts and null arrays: it draws nothing
// and casts no shadow. The arrays are public because the scene objects walk
// them every frame (shadow volumes, bounds, collisions).

struct Vertex {
    float position[3];
};

struct Triangle {
    float vertexNormals[3][3];
    float s[3];
    float t[3];  // 1 - t of the file: MilkShape's t runs top-down
    int vertexIndices[3];
    // Entry e: the triangle across the edge from corner e to corner (e+1)%3, or -1.
    int neighbours[3];
    Vector3 faceNormal;  // unit length; (0, 0, 0) for a degenerate triangle
    bool facing;         // towards the light of the last computeFacing
};

struct Mesh {
    int materialIndex;  // -1: no material
    int numTriangles;
    int* triangleIndices;
};

struct Material {
    float ambient[4];
    float diffuse[4];
    float specular[4];
    GLuint textureId;   // 0: untextured
    char* textureName;  // heap copy, "" when the material has no texture
};

class Model {
public:
    int numGroups;
    Mesh* groups;
    int numMaterials;
    Material* materials;
    int numTriangles;
    Triangle* triangles;
    int numVertices;
    Vertex* vertices;
    GLuint displayList;
    const char* fileName;  // not copied: the caller's string outlives the model
    float textureScale;

    // Loads fileName, compiles the display list, then computes face normals
    // and neighbours. Needs a current GL context.
    Model(const char* fileName, float textureScale);
    // An empty model (zero counts, no list) for code that fills the arrays
    // itself, such as tests and benchmarks; needs no GL context.
    Model();
    Model(const Model&) = delete;
    Model& operator=(const Model&) = delete;

    // Parses the file; false (and one line on stderr) when it is refused.
    bool loadFile();
    void resolveTextures();
    void computeFaceNormals();
    void findNeighbours();
    // facing = the face normal points toward lightVector (dot > 0), for every
    // triangle some mesh lists.
    void computeFacing(Vector3 lightVector);
    void buildDisplayList();

    GLuint& getDisplayList() { return displayList; }
    const char* getFileName() const { return fileName; }
};
