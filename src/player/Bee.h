#pragma once

#include "math/Vector3.h"
#include "scene/SceneObject.h"

// The player's bee. It flies freely: keys and the mouse only add to six
// control rates, each frame every rate moves or turns the bee through the
// saturating rate step and then decays, so the bee glides to a halt when the
// controls are released. No gravity, no speed limit but the saturation
// (pi/4 x 5 units per second for the moves).
//
// The wings are a second scene object outside the scene graph: the bee
// updates, draws and shadows them inside its own transform, so their
// position, attitude and scale are relative to the bee.
//
// The state stays finite whatever happens: a step that did not move has the
// direction (0, 0, 0), and a bounce from it leaves the bee at rest.
class Bee : public SceneObject {
public:
    float thrust;     // along forward
    float pitchRate;  // about side
    float yawRate;    // about up (mouse, horizontal)
    float rollRate;   // about forward
    float strafe;     // along side, which points to the bee's left
    float lift;       // along up (mouse, vertical)
    int lastMouseX;   // -1 until the first mouse-look event
    int lastMouseY;
    // The state at the start of the last update, for the bounce.
    Vector3 prevPosition;
    Vector3 prevForward;
    Vector3 prevUp;
    Vector3 prevSide;
    SceneObject* wings;  // owned; null until loadModel
    int frameRate;       // as passed to the last update
    int wingPhase;       // 0: the next flap tilts the wings, 1: it tilts them back
    // How the pointer goes back to the window centre; glutWarpPointer in the game.
    void (*warpPointer)(int x, int y);

    Bee(float x, float y, float z, float pitchAngle, float yawAngle, float rollAngle, float scale);
    ~Bee() override;

    void addThrust(float d) { thrust += d; }
    void addPitchRate(float d) { pitchRate += d; }
    void addYawRate(float d) { yawRate += d; }
    void addRollRate(float d) { rollRate += d; }
    void addStrafe(float d) { strafe += d; }
    void addLift(float d) { lift += d; }

    // Pointer motion turns the bee (horizontal) and lifts it (vertical); the
    // pointer is kept near the window centre.
    void mouseLook(int x, int y, int width, int height);
    // The mouse look's turn and lift for pointer motion of right and up
    // pixels in a window of width by height.
    void look(float right, float up, int width, int height);

    void update(int frameRate) override;
    void draw() override;
    void castShadow(float x, float y, float z) override;
    void drawShadowVolume() override;
    // The bee's own model, then the wings.
    void loadModel() override;
    // Unit vector of the last step; (0, 0, 0) when the bee did not move.
    Vector3 movementDirection() override;

    // Back to the state saved at the start of the last update, at rest.
    void restorePrevious();
    // Puts the bee back one step and sends it off along its movement
    // direction mirrored at the normal, at the speed of the last step.
    void bounce(float nx, float ny, float nz);
};
