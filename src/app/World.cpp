#include "app/World.h"

#include <sys/stat.h>

#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/Gamepads.h"
#include "app/KeyState.h"
#include "assets/LevelLoader.h"
#include "assets/ModelFactory.h"
#include "audio/GameAudio.h"
#include "hud/HighscoreEntry.h"
#include "hud/HighscoreFile.h"
#include "hud/HighscoreTable.h"
#include "hud/Hud.h"
#include "hud/NameEntry.h"
#include "player/Bee.h"
#include "player/Camera.h"
#include "player/MeshCollision.h"
#include "scene/Bomb.h"
#include "scene/Floor.h"
#include "scene/Flower.h"
#include "scene/Node.h"
#include "scene/SceneObject.h"
#include "scene/ShadowVolume.h"

const Vector3 gravitation(0.0f, -9.81f, 0.0f);

namespace {

constexpr int kStartBombs = 100;
constexpr float kStartTime = 120.0f;
constexpr float kBombScale = 0.1f;
constexpr float kBombMass = 10.01f;
constexpr float kScoreFactor = 0.05f;
constexpr float kLightX = -20.0f, kLightY = 100.0f, kLightZ = 0.0f;

// A missing data directory explains every failure that follows, so say it once, up front.
void reportMissingDataDirectory() {
    struct stat info {};
    if (stat("data", &info) == 0 && S_ISDIR(info.st_mode)) {
        return;
    }
    char cwd[4096];
    const char* where = getcwd(cwd, sizeof cwd) != nullptr ? cwd : ".";
    std::fprintf(stderr,
                 "zumbra: no data directory in %s (looked for %s/data); the level will be empty\n",
                 where, where);
}

}  // namespace

World::World()
    : aspect(0.0), farPlane(1500.0), nearPlane(1.0), fieldOfView(70.0), width(1024), height(768) {
    theModelFactory = new ModelFactory();
    theCamera = new Camera();
    root = new Node();
    bombs = new std::list<Bomb*>();
    flowers = new std::list<Flower*>();
    floorTiles = new std::list<Floor*>();
    bee = new Bee(-20.0f, 20.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.1f);
    hud = new Hud();
    points = 0;
    bombsLeft = kStartBombs;
    gameOver = false;
    playerNameLength = 0;
    std::memset(playerName, 0, sizeof playerName);
    enteringName = false;
    highscoresLoaded = false;
    highscores = new std::list<HighscoreEntry*>();
    sound = nullptr;
    pads = new Gamepads();
    dome = domeTop = domeFronts = domeWindows = nullptr;
    timeLeft = kStartTime;
    transparency = true;
    loadLevel();
}

void World::loadLevel() {
    reportMissingDataDirectory();
    sound = new GameAudio();

    bee->setColor(1.0f, 1.0f, 0.0f);
    bee->setModelFile("data/bee.ms3d");
    // Its shadow comes from the body in one piece (one column, not one per part).
    bee->setShadowModelFile("data/bee_hull.ms3d");
    bee->loadModel();
    bee->setCastsShadow(true);
    bee->setShadowEveryFrame(true);
    root->addChild(bee);

    loadFloor();
    buildDome();
    loadFlowers();

    timeLeft = kStartTime;
    transparency = true;
    root->castShadowTree(kLightX, kLightY, kLightZ);
}

void World::buildDome() {
    SceneObject** shells[] = {&dome, &domeTop, &domeFronts, &domeWindows};
    const char* files[] = {"data/dome.ms3d", "data/dome_top.ms3d", "data/dome_fronts.ms3d",
                           "data/dome_fenster.ms3d"};
    for (int i = 0; i < 4; ++i) {
        auto* shell = new SceneObject(0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f);
        shell->setModelFile(files[i]);
        shell->loadModel();
        root->addChild(shell);
        *shells[i] = shell;
    }
}

void World::loadFloor() {
    LevelLoader::loadFloor(*floorTiles, *root);
    // The shadow volumes end just below the lowest tile's top; without any
    // tile there is no floor to hide their lower ends, so they keep them.
    bool any = false;
    float lowestTop = 0.0f;
    for (const Floor* tile : *floorTiles) {
        float top = 0.0f;
        if (tile->surfaceTop(top)) {
            lowestTop = any ? std::min(lowestTop, top) : top;
            any = true;
        }
    }
    if (any) {
        ShadowVolume::setFloorHeight(lowestTop);
    } else {
        ShadowVolume::clearFloorHeight();
    }
}

void World::loadFlowers() {
    LevelLoader::loadFlowers(*flowers, *root);
}

void World::update(int frameRate) {
    // A frame longer than a second measures 0 fps; everything below divides
    // by the rate, so such a frame counts as one second.
    if (frameRate < 1) {
        frameRate = 1;
    }
    theCamera->update(frameRate);
    applyBombPhysics(frameRate);
    root->updateTree(frameRate);
    resolveBombHits();
    resolveBeeCollisions();
    removeExplodedBombs();
    updateHud(frameRate);
    applyEndRules(frameRate);
}

void World::applyBombPhysics(int frameRate) {
    for (Bomb* b : *bombs) {
        b->clearForce();
    }
    for (Bomb* b : *bombs) {
        b->addForce(gravitation * b->mass);
    }
    for (Bomb* b : *bombs) {
        b->integrate(static_cast<float>(frameRate));
    }
}

void World::resolveBombHits() {
    for (Bomb* b : *bombs) {
        for (Flower* f : *flowers) {
            const float reach = b->worldRadius() + f->worldRadius();
            if (distance(b->worldSphereCentre(), f->worldSphereCentre()) <= reach &&
                !f->collected) {
                int v = f->collect();
                v = static_cast<int>(b->getReleaseHeight() * static_cast<float>(v));
                v = static_cast<int>(f->getScale() * static_cast<float>(v));
                v = static_cast<int>(static_cast<float>(v) * kScoreFactor);
                points += v;
                b->explode();
                sound->playFlowerHit();
            }
        }
        const Vector3 p = b->getPosition();
        if (!floorTiles->empty() && floorTiles->front()->heightAt(p.x, p.z) > p.y) {
            b->explode();
        }
    }
}

void World::resolveBeeCollisions() {
    bee->computeBounds();
    Vector3 normal(0.0f, 0.0f, 0.0f);
    for (Flower* f : *flowers) {
        if (bee->boxesOverlap(*f, normal)) {
            bee->bounce(normal.x, normal.y, normal.z);
            return;
        }
    }
    for (SceneObject* shell : {dome, domeFronts, domeTop, domeWindows}) {
        if (hitsMesh(*shell, *bee, normal)) {
            bee->bounce(normal.x, normal.y, normal.z);
            return;
        }
    }
    for (Floor* tile : *floorTiles) {
        if (hitsMesh(*tile, *bee, normal)) {
            bee->bounce(normal.x, normal.y, normal.z);
            return;
        }
    }
}

void World::removeExplodedBombs() {
    for (auto it = bombs->begin(); it != bombs->end();) {
        Bomb* b = *it;
        if (b->exploded) {
            root->removeChild(b);
            it = bombs->erase(it);
            delete b;
        } else {
            ++it;
        }
    }
}

void World::updateHud(int frameRate) {
    hud->setPoints(points);
    hud->setBombs(bombsLeft);
    hud->update(frameRate);
}

void World::applyEndRules(int frameRate) {
    if (bombsLeft == 0 && !gameOver) {
        gameOver = true;
        hud->setTime(0);
        hud->setGameOver(true);
        timeLeft = 0.0f;
    }
    if (timeLeft > 0.0f) {
        hud->setTime(static_cast<int>(timeLeft));
        timeLeft = timeLeft - 1.0f / static_cast<float>(frameRate);
    } else if (!gameOver) {
        gameOver = true;
        bombsLeft = 0;
        hud->setBombs(0);
        hud->setGameOver(true);
    }
    if (gameOver && bombs->empty() && !highscoresLoaded) {
        loadHighscores();
        highscoresLoaded = true;
    }
}

void World::spawnBomb() {
    if (bombsLeft >= 1) {
        const Vector3 p = bee->getPosition();
        const Vector3 f = bee->getForward();
        auto* bomb = new Bomb(p.x, p.y, p.z, kBombScale, f.x, f.y, f.z, kBombMass);
        bomb->setColor(0.5f, 0.5f, 0.0f);
        bomb->setModelFile("data/bomb.ms3d");
        // Its shadow comes from the ball alone (one column, not one per part).
        bomb->setShadowModelFile("data/bomb_hull.ms3d");
        bomb->loadModel();
        bomb->setCastsShadow(true);
        bomb->setShadowEveryFrame(true);
        bombs->push_back(bomb);
        root->addChild(bomb);
        sound->playBombDrop();
        bombsLeft -= 1;
    } else {
        sound->playNoBombs();
    }
}

void World::toggleFramerateDisplay() {
    hud->toggleFramerate();
}

void World::toggleWireframe() {
    wireframeMode = wireframeMode != 0 ? 0 : 1;
    theModelFactory->rebuildDisplayLists();
    hud->setWireframe(wireframeMode != 0);
}

void World::toggleLods() {
    lodsEnabled = !lodsEnabled;
    hud->setLods(lodsEnabled);
}

void World::toggleFrustumCulling() {
    frustumCullingEnabled = !frustumCullingEnabled;
    hud->setFrustumCulling(frustumCullingEnabled);
}

void World::toggleTransparency() {
    transparency = !transparency;
    hud->setTransparency(transparency);
}

void World::loadHighscores() {
    if (!HighscoreFile::read(HighscoreFile::kFileName, highscores)) {
        return;
    }
    if (HighscoreTable::qualifies(*highscores, points)) {
        hud->setAskForName(true);
        enteringName = true;
        // Only keys pressed from now on type the name.
        theKeyState.holdBack();
    } else {
        hud->setHighscoreTable(highscores);
    }
}

void World::onKey(char key) {
    if (!enteringName) {
        return;
    }
    if (NameEntry::type(key, playerName, &playerNameLength) == NameEntry::kTyping) {
        hud->setNameEntry(playerName, playerNameLength);
        return;
    }
    hud->setAskForName(false);
    enteringName = false;
    HighscoreTable::insert(highscores,
                           HighscoreEntry::copyOf(playerName, playerNameLength, points));
    hud->setHighscoreTable(highscores);
    if (!HighscoreFile::write(HighscoreFile::kFileName, *highscores)) {
        // The table on screen has the new score; the player should know the file does not.
        std::fprintf(stderr, "zumbra: could not save %s (%s); the table there is unchanged\n",
                     HighscoreFile::kFileName, std::strerror(errno));
    }
}
