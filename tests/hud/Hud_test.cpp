#include "hud/Hud.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A line as "x,y,font:text" with s for the small font, so whole screens
// compare in one expectation.
std::vector<std::string> screen(Hud& hud) {
    std::vector<std::string> out;
    for (const HudLine& l : hud.layoutFrame()) {
        out.push_back(std::to_string(static_cast<int>(l.x)) + "," +
                      std::to_string(static_cast<int>(l.y)) +
                      (l.font == HudFont::kHelvetica10 ? ",s:" : ":") + l.text);
    }
    return out;
}

const std::vector<std::string> kCounters{"5,30:Points: 0", "155,30:Bombs: 0", "305,30:Time: 0:0"};

std::vector<std::string> counters(const std::vector<std::string>& more) {
    std::vector<std::string> lines = kCounters;
    lines.insert(lines.end(), more.begin(), more.end());
    return lines;
}

}  // namespace

TEST(Hud, CountersAndClock) {
    Hud hud;
    EXPECT_EQ(screen(hud), kCounters);

    hud.setPoints(1234);
    hud.setBombs(-3);
    hud.setTime(120);
    EXPECT_EQ(screen(hud), (std::vector<std::string>{"5,30:Points: 1234", "155,30:Bombs: -3",
                                                     "305,30:Time: 2:0"}));
    const int totals[] = {59, 65, 60, 61, 119, 0, 3599};
    const char* clocks[] = {"Time: 0:59", "Time: 1:5", "Time: 1:0",  "Time: 1:1",
                            "Time: 1:59", "Time: 0:0", "Time: 59:59"};
    for (int i = 0; i < 7; ++i) {
        hud.setTime(totals[i]);
        EXPECT_EQ(hud.layoutFrame()[2].text, clocks[i]) << totals[i];
    }

    // Values too wide for the screen still fit the line buffer.
    hud.setPoints(-2147483647 - 1);
    EXPECT_EQ(hud.layoutFrame()[0].text, "Points: -2147483648");
}

TEST(Hud, FramerateLineAndSwitchMessagesLastAsManyFramesAsTheRate) {
    const auto fps = [](int rate) {
        return "950,10,s:Framerate: " + std::to_string(rate) + " fps";
    };
    const std::string on = "400,300:Framerate Display On!";
    Hud hud;
    hud.update(3);
    hud.toggleFramerate();
    EXPECT_EQ(screen(hud), counters({fps(3), on}));
    EXPECT_EQ(screen(hud), counters({fps(3), on}));
    hud.update(60);  // the count was fixed at the switch
    EXPECT_EQ(screen(hud), counters({fps(60), on}));
    EXPECT_EQ(screen(hud), counters({fps(60)}));

    // F2 twice within the message: the second message replaces the first and
    // the display is back on.
    hud.update(2);
    hud.toggleFramerate();
    EXPECT_EQ(screen(hud), counters({"400,300:Framerate Display Off!"}));
    hud.toggleFramerate();
    EXPECT_EQ(screen(hud), counters({fps(2), on}));
    EXPECT_EQ(screen(hud), counters({fps(2), on}));
    EXPECT_EQ(screen(hud), counters({fps(2)}));
    hud.update(0);
    hud.toggleFramerate();  // off again, silently: no frames for a message
    EXPECT_EQ(screen(hud), counters({}));

    // Several switches at once overlap at one place, in a fixed order.
    hud.update(1);
    hud.setLods(true);
    hud.setTransparency(false);
    hud.setFrustumCulling(true);
    hud.setWireframe(true);
    EXPECT_EQ(screen(hud), counters({"400,300:Wireframe On!", "400,300:View Frustum Culling On!",
                                     "400,300:Transparency Off!", "400,300:LODs On!"}));
    EXPECT_EQ(screen(hud), counters({}));
    hud.setWireframe(false);
    hud.setFrustumCulling(false);
    hud.setTransparency(true);
    hud.setLods(false);
    EXPECT_EQ(screen(hud), counters({"400,300:Wireframe Off!", "400,300:View Frustum Culling Off!",
                                     "400,300:Transparency On!", "400,300:LODs Off!"}));

    // A switch at frame rate 0 (or a bogus negative one) shows nothing, but
    // the state still changes.
    for (const int rate : {0, -5}) {
        hud.update(rate);
        hud.setWireframe(true);
        hud.toggleFramerate();
        EXPECT_EQ(screen(hud).size(), hud.showFramerate ? 4u : 3u) << rate;
        EXPECT_TRUE(hud.wireframe);
    }
}

TEST(Hud, EndOfGameScreens) {
    Hud hud;
    hud.setGameOver(true);
    EXPECT_EQ(screen(hud), counters({"350,100:Game Over! Press ESC to quit!",
                                     "350,200:Calculating Score! Please wait!"}));

    // Name entry: nothing typed draws an empty name line.
    char name[20] = {'B', 'o', 'b', 'X', 'Y'};
    hud.setAskForName(true);
    const std::vector<std::string> asking{"350,100:Game Over! Press ESC to quit!",
                                          "300,200:You have been added to the High Score List!",
                                          "400,250:Please Enter your name:"};
    hud.setNameEntry(name, 0);
    EXPECT_EQ(screen(hud), counters({asking[0], asking[1], asking[2], "400,300:"}));
    // Only the typed length counts; the buffer has no terminator.
    hud.setNameEntry(name, 3);
    EXPECT_EQ(screen(hud), counters({asking[0], asking[1], asking[2], "400,300:Bob"}));
    name[1] = '\0';  // a typed NUL is still a character
    EXPECT_EQ(hud.layoutFrame().back().text, std::string("B\0b", 3));
    hud.setNameEntry(nullptr, 5);
    EXPECT_EQ(hud.layoutFrame().back().text, "");
    hud.setNameEntry(name, -1);
    EXPECT_EQ(hud.layoutFrame().back().text, "");

    // The table: rows from y = 250 in steps of 20, names left, scores right.
    std::list<HighscoreEntry*> table{HighscoreEntry::copyOf("ann", 3, 300),
                                     HighscoreEntry::copyOf("", 0, 200),
                                     HighscoreEntry::copyOf("cy", 2, -7)};
    hud.setAskForName(false);
    hud.setHighscoreTable(&table);
    EXPECT_EQ(screen(hud), counters({"350,100:Game Over! Press ESC to quit!", "450,200:HIGHSCORES",
                                     "300,250:ann", "700,250:300", "300,270:", "700,270:200",
                                     "300,290:cy", "700,290:-7"}));

    // Every entry is drawn, however many: the twelfth row sits at 250 + 11 * 20.
    for (int i = 0; i < 9; ++i) {
        table.push_back(HighscoreEntry::copyOf("z", 1, i));
    }
    const std::vector<HudLine> lines = hud.layoutFrame();
    EXPECT_EQ(lines.size(), 3u + 1u + 1u + 2u * 12u);
    EXPECT_EQ(lines.back().y, 470.0);
    EXPECT_EQ(lines.back().x, 700.0);
    EXPECT_EQ(lines.back().text, "8");
    for (HighscoreEntry* e : table) {
        delete e;
    }
}
