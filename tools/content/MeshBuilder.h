#pragma once

#include <string>
#include <vector>

#include "assets/Ms3dWriter.h"
#include "content/Vec3.h"

// One corner of a triangle: a shared vertex and this corner's own texture
// coordinate. Texture coordinates are in picture terms: u to the right, v down
// from the top row of the image as it appears in a viewer.
struct MeshCorner {
    int vertex;
    double u;
    double v;
};

// A model under construction. Vertices are shared between the triangles of a
// part (the game's shadow code finds silhouettes by shared vertex indices), so
// per-corner data (normal, texture coordinate) lives in the triangles.
//
// Triangles are counter-clockwise seen from their front. Normals are computed
// at the end from the faces: a corner averages the faces around its vertex
// that bend less than the crease angle away from its own face.
class MeshBuilder {
public:
    struct Triangle {
        MeshCorner corners[3];
        Vec3 normals[3];
        int group;
    };
    struct Group {
        std::string name;
        int material;
    };
    struct Material {
        std::string name;
        std::string texture;  // path relative to the game's working directory
    };

    std::vector<Vec3> vertices;
    std::vector<Triangle> triangles;
    std::vector<Group> groups;
    std::vector<Material> materials;

    // Returns the index of the material; a repeated name returns the first one.
    int addMaterial(const std::string& name, const std::string& texture);
    // Following triangles go into the group of that name (made on first use).
    void useGroup(const std::string& name, int material);
    int addVertex(const Vec3& p);
    void addTriangle(MeshCorner a, MeshCorner b, MeshCorner c);

    int vertexCount() const { return static_cast<int>(vertices.size()); }
    int triangleCount() const { return static_cast<int>(triangles.size()); }

    Vec3 faceNormal(int triangle) const;  // unit, zero for a degenerate triangle
    // Volume enclosed by triangles [first, end): positive when they face outward.
    double signedVolume(int first, int end) const;
    void flip(int first, int end);
    // Turns a closed part [first, end) so that it faces outward.
    void faceOutward(int first, int end);
    // Edges used by exactly one triangle in one direction and by no triangle in
    // the other: 0 for a closed mesh whose parts are watertight.
    int openEdgeCount() const;

    void computeNormals(double creaseDegrees);
    // Moves vertices [first, end) through f (texture coordinates stay).
    template <typename F>
    void transformVertices(int first, int end, F f) {
        for (int i = first; i < end; ++i) {
            vertices[i] = f(vertices[i]);
        }
    }
    void boundingBox(Vec3& min, Vec3& max) const;
    // The game culls a world-coordinate model (drawn at the origin) with a
    // sphere around the origin whose radius is measured from the model's own
    // box centre. Two vertices that no triangle uses, straight above and below
    // the box centre, stretch that radius to the model's farthest reach from
    // the origin, so a model in view is never culled; the box centre (and with
    // it the level-of-detail distance) stays where it was.
    void reachFromOrigin();

    // Rounds to the file's floats; false when a list outgrows the 16-bit counts.
    bool toWriter(Ms3dWriter& out) const;

private:
    int currentGroup = -1;
};
