#include "assets/PlacementReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using Layout = PlacementReader::Layout;
const Layout kA = Layout::TerminatorBeforeRecord;
const Layout kB = Layout::TerminatorAsSeparator;
const std::string kSeven = "1\n2\n3\n4\n5\n6\n7\n";  // one record's numbers

std::vector<PlacementReader::Record> read(const std::string& text, Layout layout) {
    return PlacementReader::readText(text.data(), text.size(), layout, "test.txt");
}

}  // namespace

TEST(PlacementReader, EachLayoutEndsItsListWhereItShouldAndOnlyWholeRecordsCount) {
    struct Case {  // NOLINT(clang-analyzer-optin.performance.Padding): read as a table
        const char* what;
        std::string text;
        Layout layout;
        size_t flowers;
        float lastX;  // x of the last record
    };
    const Case cases[] = {
        {"A: $$$ before a record, line after ignored", kSeven + "\n" + kSeven + "s\n$$$\n" + kSeven,
         kA, 2, 1},
        {"A: only $$$", "$$$\n", kA, 0, 0},
        {"A: a separator is never compared", kSeven + "$$$\n" + kSeven + "\n$$$\n", kA, 2, 1},
        {"A: strcmp, so $$$ and a blank is 0", "$$$ \n2\n3\n4\n5\n6\n7\n\n$$$\n", kA, 1, 0},
        {"A: same text as the next case", kSeven + "\n$$$\n2\n3\n4\n5\n6\n7\n$$$\n", kA, 1, 1},
        {"B: $$$ as a first line is 0", kSeven + "\n$$$\n2\n3\n4\n5\n6\n7\n$$$\n", kB, 2, 0},
        {"B: $$$ as the eighth line", kSeven + "$$$\n9\n", kB, 1, 1},
        {"B: separators compared", kSeven + "x\n" + kSeven + "$$$\n" + kSeven, kB, 2, 1},
        {"no $$$, trailing line break", kSeven + "\n" + kSeven + "\n\n", kB, 2, 1},
        {"no $$$, ends in a separator", kSeven + "\n" + kSeven + "sep", kA, 2, 1},
        {"record cut short", kSeven + "\n1\n2\n3\n4\n5\n6", kA, 1, 1},
        {"seven numbers, no separator", "8\n2\n3\n4\n5\n6\n7", kB, 1, 8},
        {"CR LF", "1.5\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n\r\n$$$\r\nx\r\n", kA, 1, 1.5f},
        {"$$$ CR LF ends", "$$$\r\n" + kSeven, kA, 0, 0},
        {"only the CR before LF goes", "$$$\r\r\n2\n3\n4\n5\n6\n7\n", kA, 1, 0},
        {"empty", "", kB, 0, 0},
        {"one line break", "\n", kA, 0, 0},
    };
    for (const Case& c : cases) {
        const auto r = read(c.text, c.layout);
        ASSERT_EQ(r.size(), c.flowers) << c.what;
        if (!r.empty()) {
            EXPECT_EQ(r.back().values[0], c.lastX) << c.what;
            EXPECT_EQ(r.back().values[6], 7.0f) << c.what;
        }
    }
}

TEST(PlacementReader, NumbersConvertLikeAtofAndLongLinesEndTheList) {
    const auto r = read("12.5abc\n\nabc\n  -3.25\n1e2\n+.5\n0x10\n$$$\n", kB);
    ASSERT_EQ(r.size(), 1u);
    const float expected[7] = {12.5f, 0, 0, -3.25f, 100, 0.5f, 16};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(r[0].values[i], expected[i]) << i;
    }

    // 29 characters fit, even before CR LF; 30 end the list on line 11 and
    // the record in progress is lost. An over-long separator keeps its record.
    const std::string fits = "1" + std::string(28, '0');
    EXPECT_EQ(read(fits + "\r\n" + kSeven.substr(2) + "$$$\n", kB).size(), 1u);
    struct Long {
        std::string text;
        Layout layout;
        size_t flowers;
    };
    const Long longCases[] = {{kSeven + "\n1\n2\n" + fits + "0\n4\n5\n6\n7\n\n" + kSeven, kA, 1},
                              {kSeven + std::string(30, ' ') + "\n" + kSeven, kB, 1},
                              {std::string(100000, '7'), kB, 0}};
    for (const Long& c : longCases) {
        testing::internal::CaptureStderr();
        EXPECT_EQ(read(c.text, c.layout).size(), c.flowers);
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
        EXPECT_NE(err.find("test.txt"), std::string::npos);
    }

    // A file that is not there (the level loader's test reads real ones).
    testing::internal::CaptureStderr();
    EXPECT_TRUE(PlacementReader::readFile("/nonexistent/flowerA.txt", kA).empty());
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_NE(err.find("/nonexistent/flowerA.txt"), std::string::npos);
}
