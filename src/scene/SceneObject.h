#pragma once

#include <cstdint>

#include "math/Matrix4.h"
#include "math/Vector3.h"
#include "scene/Node.h"
#include "scene/ShadowVolume.h"

class Model;

// Every visible thing in the world: floor tiles, dome shells, flowers, bombs
// and the bee. Adds to Node a position, an orthonormal frame (side, up,
// forward) with the orientation matrix built from it, a uniform scale, a
// colour, two level-of-detail models, bounding volumes for culling and
// collision, and a stencil shadow volume built from the model's silhouette
// (see ShadowVolume).
//
// Models belong to the ModelFactory; file-name strings belong to the caller.
// The object owns its silhouette and quad arrays and its orientation matrix.
class SceneObject : public Node {
public:
    bool hasLods;
    int lodLevel;  // 0: draw lod0Model; 1: draw lod1Model
    float scale;
    Vector3 position;
    Vector3 color;
    Model* lod0Model;
    Model* lod1Model;
    const char* modelFile;
    float textureScale;
    // Two vertex indices per silhouette edge; grows when a rebuild needs more.
    uint32_t* silhouetteIndices;
    // Far end of each silhouette vertex's shadow ray, indexed like the model's vertices.
    Vector3* extrudedVertices;
    // Four corners (x, y, z) per silhouette edge, drawn as GL_QUADS.
    float* shadowQuads;
    int silhouetteIndexCount;  // always even
    bool castsShadow;          // drawShadowVolume draws only when set
    bool shadowEveryFrame;     // castShadow rebuilds on every call
    bool shadowDirty;          // castShadow rebuilds on its next call
    bool fogEnabled;
    bool visible;  // result of the last culling decision
    Vector3 lightPositionLocal;
    // The floor cut in model space: a model point p lies
    // dot(floorNormalLocal, p) + floorOffsetLocal world units above it.
    Vector3 floorNormalLocal;
    float floorOffsetLocal;
    // The object whose model frame this one is placed in (the bee's wings);
    // null for objects placed in the world.
    const SceneObject* placedIn;
    // Columns 0, 1, 2 are side, up, forward; follows the axes at each update.
    Matrix4* orientation;
    Vector3 boxCentre;     // model units, rotated, neither scaled nor moved
    Vector3 sphereCentre;  // model units
    float radius;          // model units, not scaled
    Vector3 forward;
    Vector3 up;
    Vector3 side;
    Vector3 boxMin;  // world space
    Vector3 boxMax;  // world space
    const char* lodModelFile;
    // Entries allocated in silhouetteIndices.
    int silhouetteCapacity;
    // Floats allocated in shadowQuads: a rebuild reuses the array while it fits.
    int shadowQuadCapacity;
    // Positions allocated in extrudedVertices: a rebuild from a model with
    // more vertices than that makes a bigger array first.
    int extrudedCapacity;
    // A simpler model the shadow is cast from instead of the LOD0 model, or
    // null: one closed part gives a volume two faces deep where a model of
    // many parts stacks a column per part (see setShadowModelFile).
    const char* shadowModelFile;
    Model* shadowModel;

    SceneObject(float x, float y, float z, float scale);
    // Pitches, then yaws, then rolls the frame by the given angles.
    SceneObject(float x, float y, float z, float pitchAngle, float yawAngle, float rollAngle,
                float scale);
    ~SceneObject() override;

    // Culling against the camera, level-of-detail choice, orientation matrix.
    void update(int frameRate) override;
    // The current level-of-detail model, or a "Culled object!!!" line.
    void draw() override;
    // Rebuilds the shadow volume for a light at (x, y, z), in world space,
    // when dirty or on every call with shadowEveryFrame.
    void castShadow(float x, float y, float z) override;
    // The volume's quads in this object's frame; only with castsShadow.
    void drawShadowVolume() override;
    // Fetches the LOD0 model (and the shadow model), computes the bounds,
    // allocates the silhouette arrays.
    virtual void loadModel();
    // Model box, bounding sphere and world box of the LOD0 model.
    virtual void computeBounds();
    // Debug lines along the three axes.
    virtual void drawAxes();
    // Unit direction of the last movement; a plain object does not move: (0, 0, 0).
    virtual Vector3 movementDirection();

    void setColor(float r, float g, float b) { color = Vector3(r, g, b); }
    void setModelFile(const char* name) { modelFile = name; }
    void setTextureScale(float value) { textureScale = value; }
    void setLodModelFile(const char* name);
    // Casts the shadow from this model; only where it has the drawn model's
    // outline as seen from the light, or players see another shadow. Before
    // loadModel.
    void setShadowModelFile(const char* name) { shadowModelFile = name; }
    // The model the shadow volume is built from: shadowModel, else lod0Model.
    Model* shadowCaster() const { return shadowModel != nullptr ? shadowModel : lod0Model; }
    void loadLodModel();
    void setVisible(bool value) { visible = value; }
    void setCastsShadow(bool value) { castsShadow = value; }
    void setShadowEveryFrame(bool value) { shadowEveryFrame = value; }
    void setFogEnabled(bool value) { fogEnabled = value; }

    Vector3 getPosition() const { return position; }
    Vector3 getForward() const { return forward; }
    Vector3 getUp() const { return up; }
    Vector3 getSide() const { return side; }
    float getScale() const { return scale; }
    void getBox(Vector3& min, Vector3& max) const;

    // radius * scale.
    float worldRadius() const;
    // sphereCentre carried into the world by the axes, the scale and the position.
    Vector3 worldSphereCentre() const;
    // boxCentre carried into the world the same way.
    Vector3 worldBoxCentre() const;

    void moveForward(float d);
    void moveSideways(float d);
    void moveUp(float d);
    // Rotate the frame about side, up and forward; the orientation matrix
    // follows at the next update.
    void pitch(float angle);
    void yaw(float angle);
    void roll(float angle);

    // True when the world boxes overlap on all three axes (touching does not
    // count); then direction is the unit vector from the other box's centre
    // towards this one's, or (0, 0, 0) when the centres coincide.
    bool boxesOverlap(const SceneObject& other, Vector3& direction) const;

protected:
    // The shadow volume rebuild shared by the one- and two-sided kinds: runs
    // when dirty or every frame, on the shadow caster; true when it rebuilt.
    bool rebuildShadowVolume(float x, float y, float z, ShadowVolume::Sides sides);

private:
    void initialise();
    void releaseShadowArrays();
};

// F8: objects outside the view are not drawn. On at start.
extern bool frustumCullingEnabled;
// F7: objects with a LOD1 model switch to it at a distance. Off at start.
extern bool lodsEnabled;
