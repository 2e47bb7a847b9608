#pragma once

#include <list>

#include "math/Vector3.h"

class Bee;
class Bomb;
class Floor;
class Flower;
class GameAudio;
class Gamepads;
class Hud;
class Node;
class SceneObject;
class HighscoreEntry;

// The game: owns every object and carries the rules that join them. The
// window code calls update and render once per frame; input calls spawnBomb,
// the option switches and onKey. Created once at start-up, never destroyed.
class World {
public:
    Node* root;  // every scene object is a direct child
    Bee* bee;
    std::list<Flower*>* flowers;    // file order, kind A first
    std::list<Bomb*>* bombs;        // in the air, in drop order
    std::list<Floor*>* floorTiles;  // the eight tiles
    GameAudio* sound;
    Gamepads* pads;  // read with the held keys, once per displayed frame
    Hud* hud;
    SceneObject* dome;
    SceneObject* domeTop;
    SceneObject* domeFronts;
    SceneObject* domeWindows;
    double aspect;
    double farPlane;
    double nearPlane;
    double fieldOfView;
    int width;   // 1024 for the whole run: mouse look and leaving full screen use it
    int height;  // 768, likewise
    int points;
    int bombsLeft;
    char playerName[20];  // no terminator while typing
    int playerNameLength;
    std::list<HighscoreEntry*>* highscores;
    bool highscoresLoaded;
    float timeLeft;
    bool transparency;
    bool gameOver;
    bool enteringName;

    // Builds everything and loads the level. Needs a current GL context.
    World();
    World(const World&) = delete;
    World& operator=(const World&) = delete;

    void update(int frameRate);
    // drawScene, shadowPass, drawOverlay.
    void render();
    // The frame's passes, in render's order; the frame benchmark also draws
    // frames without the shadow pass from them.
    // Clear, blend function, chase camera, light, fog and every object.
    void drawScene();
    // Stencil shadows over the drawn scene.
    void shadowPass();
    // The HUD in the 1024 by 768 overlay.
    void drawOverlay();
    void spawnBomb();

    void toggleFramerateDisplay();
    void toggleWireframe();
    void toggleLods();
    void toggleFrustumCulling();
    void toggleTransparency();

    void onKey(char key);
    void loadHighscores();
    void loadFloor();
    void loadFlowers();

private:
    void loadLevel();
    void buildDome();

    void applyBombPhysics(int frameRate);
    void resolveBombHits();
    void resolveBeeCollisions();
    void removeExplodedBombs();
    void updateHud(int frameRate);
    void applyEndRules(int frameRate);

    void setupLights();
    void setupFog();
};

// Gravity on every bomb, in world units per second squared.
extern const Vector3 gravitation;
