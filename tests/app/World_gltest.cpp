// The World's rules, run on an empty level (no data/: every model is refused
// and draws nothing), with flowers placed by hand where a bomb will be.
#include "app/World.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <list>
#include <memory>
#include <utility>
#include <vector>

#include "assets/FlowerKind.h"
#include "assets/ModelFactory.h"
#include "hud/Hud.h"
#include "player/Bee.h"
#include "scene/Bomb.h"
#include "scene/Flower.h"
#include "scene/Node.h"
#include "scene/SceneObject.h"
#include "support/GlTestContext.h"
#include "support/MeshModel.h"
#include "support/Quiet.h"
#include "support/ScratchDirectory.h"
#include "support/VectorNear.h"

namespace {

class WorldRules : public ::testing::Test {
protected:
    void SetUp() override {
        GlTestContext::reset();
        const Quiet quiet;
        world = new World();
    }

    // A tulip whose blossom sphere is centred on the bee's start position,
    // where spawnBomb puts a new bomb.
    Flower* flowerAtTheBee(float points, float scale) {
        const Vector3 bee = world->bee->getPosition();
        const FlowerKind& tulip = kFlowerKinds[0];
        auto* f = new Flower(bee.x - tulip.sphereX * scale, bee.y - tulip.sphereY * scale,
                             bee.z - tulip.sphereZ * scale, 0.0f, 0.0f, 0.0f, scale, points,
                             tulip.sphereX, tulip.sphereY, tulip.sphereZ, tulip.sphereRadius);
        f->setModelFile("data/none.ms3d");
        {
            const Quiet quiet;
            f->loadModel();
        }
        world->flowers->push_back(f);
        world->root->addChild(f);
        return f;
    }

    void dropBomb() {
        const Quiet quiet;
        world->spawnBomb();
    }

    ScratchDirectory scratch{true};
    World* world = nullptr;
};

}  // namespace

TEST_F(WorldRules, BombsScoreEveryFreshFlowerTheyHitAndGoWhenTheyExplode) {
    flowerAtTheBee(100.0f, 1.0f);
    Flower* second = flowerAtTheBee(300.0f, 0.5f);
    dropBomb();
    ASSERT_EQ(world->bombs->size(), 1u);
    EXPECT_EQ(world->bombsLeft, 99);
    const Bomb* bomb = world->bombs->front();
    const std::list<Node*>& children = *world->root->children;
    EXPECT_EQ(std::count(children.begin(), children.end(), bomb), 1);
    world->update(50);
    // Dropped from y = 20: 100 x 20 x 1 x 0.05 = 100 and 300 x 20 x 0.5 x 0.05 = 150.
    EXPECT_EQ(world->points, 250);
    EXPECT_TRUE(second->collected);
    EXPECT_TRUE(world->bombs->empty());
    EXPECT_EQ(std::count(children.begin(), children.end(), bomb), 0);
    EXPECT_EQ(world->hud->points, 250);

    // From 20.139: 100 x 20.139 = 2013.9 -> 2013; x 1.5 = 3019.5 -> 3019;
    // x 0.05 = 150.95 -> 150. Rounding only at the end would give 151.
    world->bee->position.y = 20.139f;
    flowerAtTheBee(100.0f, 1.5f);
    dropBomb();
    world->update(50);
    EXPECT_EQ(world->points, 400);

    // Among collected flowers only, a bomb flies on until it is below the ground.
    dropBomb();
    world->update(50);
    ASSERT_EQ(world->bombs->size(), 1u);
    EXPECT_FALSE(world->bombs->front()->exploded);
    world->bombs->front()->position = Vector3(5.0f, -0.001f, 5.0f);
    world->update(50);
    EXPECT_TRUE(world->bombs->empty());
    EXPECT_EQ(world->points, 400);
}

// A bomb falls every frame, so its shadow volume is rebuilt every frame.
TEST_F(WorldRules, TheBeeStartsAtItsPlaceAndAFallingBombsShadowFollowsIt) {
    expectNear(world->bee->getPosition(), -20, 20, 0, 0);
    expectNear(world->bee->getForward(), 0, 0, 1);
    dropBomb();
    Bomb* bomb = world->bombs->front();
    const std::unique_ptr<MeshModel> cube(MeshModel::cube({0, 0, 0}, 1));
    bomb->lod0Model = cube->get();
    delete[] bomb->extrudedVertices;  // sized for the refused model: none
    bomb->extrudedVertices = nullptr;
    bomb->castShadow(-20, 100, 0);
    const float lightHeight = bomb->lightPositionLocal.y;
    bomb->position.y -= 1.0f;
    bomb->castShadow(-20, 100, 0);
    EXPECT_GT(bomb->lightPositionLocal.y, lightHeight);
    bomb->lod0Model = nullptr;
}

TEST_F(WorldRules, TheHundredthBombEndsTheGameInThatUpdate) {
    world->bombsLeft = 1;
    dropBomb();
    EXPECT_EQ(world->bombsLeft, 0);
    EXPECT_FALSE(world->gameOver);
    world->update(50);
    EXPECT_TRUE(world->gameOver);
    EXPECT_EQ(world->timeLeft, 0.0f);
    EXPECT_EQ(world->hud->minutes, 0);
    EXPECT_EQ(world->hud->seconds, 0);
    // A bomb is still falling: the table waits for it.
    EXPECT_FALSE(world->highscoresLoaded);
    // Dropping now only plays the refusal.
    dropBomb();
    EXPECT_EQ(world->bombs->size(), 1u);
    for (int i = 0; i < 200 && !world->bombs->empty(); ++i) {
        world->update(50);
    }
    EXPECT_TRUE(world->bombs->empty());
    world->update(50);
    EXPECT_TRUE(world->highscoresLoaded);
}

TEST_F(WorldRules, RunningOutOfTimeTakesTheBombs) {
    world->timeLeft = 0.01f;
    world->update(50);
    EXPECT_FALSE(world->gameOver);  // 0.01 s was still on the clock at the start of the step
    EXPECT_LT(world->timeLeft, 0.0f);
    world->update(50);
    EXPECT_TRUE(world->gameOver);
    EXPECT_EQ(world->bombsLeft, 0);
    EXPECT_EQ(world->hud->bombs, 0);
}

TEST_F(WorldRules, AFrameRateBelowOneCountsAsOne) {
    world->bee->addThrust(2.0f);
    world->update(0);
    EXPECT_FLOAT_EQ(world->timeLeft, 119.0f);
    const Vector3 p = world->bee->getPosition();
    EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z));
    world->update(-5);
    EXPECT_FLOAT_EQ(world->timeLeft, 118.0f);
}

TEST_F(WorldRules, OptionSwitchesFlipAndTellTheHud) {
    const auto state = [this] {  // each switch as the World has it and as the HUD shows it
        Hud& hud = *world->hud;
        const std::vector<HudLine> lines = hud.layoutFrame();
        const bool framerateLine = std::any_of(lines.begin(), lines.end(), [](const HudLine& l) {
            return l.text.rfind("Framerate: ", 0) == 0;
        });
        return std::vector<std::pair<bool, bool>>{{world->transparency, hud.transparency},
                                                  {lodsEnabled, hud.lods},
                                                  {frustumCullingEnabled, hud.frustumCulling},
                                                  {wireframeMode != 0, hud.wireframe},
                                                  {hud.showFramerate, framerateLine}};
    };
    const auto before = state();
    for (const bool flipped : {true, false}) {  // twice: back as the other tests expect
        world->toggleTransparency();
        world->toggleLods();
        world->toggleFrustumCulling();
        world->toggleWireframe();
        world->toggleFramerateDisplay();
        const auto now = state();
        for (size_t i = 0; i < now.size(); ++i) {
            EXPECT_EQ(now[i].first, before[i].first != flipped) << i;
            EXPECT_EQ(now[i].second, now[i].first) << i;
        }
    }
}
