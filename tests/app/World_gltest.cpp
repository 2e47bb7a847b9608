// The World's rules, run on an empty level (no data/: every model is refused
// and draws nothing), with flowers placed by hand where a bomb will be.
#include "app/World.h"

#include <gtest/gtest.h>

#include <cmath>

#include "assets/FlowerKind.h"
#include "hud/Hud.h"
#include "player/Bee.h"
#include "scene/Bomb.h"
#include "scene/Flower.h"
#include "scene/Node.h"
#include "support/GlTestContext.h"
#include "support/Quiet.h"
#include "support/ScratchDirectory.h"

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

int countChildren(const Node& root, const Node* child) {
    int n = 0;
    for (const Node* c : *root.children) {
        n += c == child ? 1 : 0;
    }
    return n;
}

}  // namespace

TEST_F(WorldRules, ABombHittingTwoFlowersScoresBothAndIsRemovedOnce) {
    flowerAtTheBee(100.0f, 1.0f);
    Flower* second = flowerAtTheBee(300.0f, 0.5f);
    dropBomb();
    ASSERT_EQ(world->bombs->size(), 1u);
    EXPECT_EQ(world->bombsLeft, 99);
    Bomb* bomb = world->bombs->front();
    EXPECT_EQ(countChildren(*world->root, bomb), 1);

    world->update(50);
    // Dropped from y = 20: 100 x 20 x 1 x 0.05 = 100 and 300 x 20 x 0.5 x 0.05 = 150.
    EXPECT_EQ(world->points, 250);
    EXPECT_TRUE(second->collected);
    EXPECT_TRUE(world->bombs->empty());
    EXPECT_EQ(countChildren(*world->root, bomb), 0);
    EXPECT_EQ(world->hud->points, 250);
}

TEST_F(WorldRules, TruncatesAfterEveryProduct) {
    // Dropped from 20.139: 100 x 20.139 = 2013.9 -> 2013; x 1.5 = 3019.5 ->
    // 3019; x 0.05 = 150.95 -> 150. Rounding only at the end would give 151.
    world->bee->position.y = 20.139f;
    flowerAtTheBee(100.0f, 1.5f);
    dropBomb();
    world->update(50);
    EXPECT_EQ(world->points, 150);
}

TEST_F(WorldRules, ABombTouchingOnlyCollectedFlowersFliesOn) {
    Flower* f = flowerAtTheBee(100.0f, 1.0f);
    f->collect();
    dropBomb();
    world->update(50);
    ASSERT_EQ(world->bombs->size(), 1u);
    EXPECT_FALSE(world->bombs->front()->exploded);
    EXPECT_EQ(world->points, 0);
}

TEST_F(WorldRules, ABombBelowTheGroundExplodesWithoutScore) {
    dropBomb();
    Bomb* bomb = world->bombs->front();
    bomb->position = Vector3(5.0f, -0.001f, 5.0f);
    bomb->velocity = Vector3(0.0f, 0.0f, 0.0f);
    world->update(50);
    EXPECT_TRUE(world->bombs->empty());
    EXPECT_EQ(world->points, 0);
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
    const bool transparency = world->transparency;
    world->toggleTransparency();
    EXPECT_NE(world->transparency, transparency);
    EXPECT_EQ(world->hud->transparency, world->transparency);
    world->toggleTransparency();
    EXPECT_EQ(world->transparency, transparency);
}
