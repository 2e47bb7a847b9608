#include "assets/PlacementReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using Layout = PlacementReader::Layout;
using Records = std::vector<PlacementReader::Record>;

const Layout kA = Layout::TerminatorBeforeRecord;
const Layout kB = Layout::TerminatorAsSeparator;

Records read(const std::string& text, Layout layout) {
    return PlacementReader::readText(text.data(), text.size(), layout, "test.txt");
}

// Seven numbered lines base+1 .. base+7, then the separator.
std::string record(int base, const std::string& separator = "") {
    std::string s;
    for (int i = 1; i <= 7; ++i) {
        s += std::to_string(base + i) + "\n";
    }
    return s + separator + "\n";
}

void expectRecord(const PlacementReader::Record& r, int base) {
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(r.values[i], static_cast<float>(base + i + 1)) << "value " << i;
    }
}

int lineCount(const std::string& s) {
    return static_cast<int>(std::count(s.begin(), s.end(), '\n'));
}

}  // namespace

TEST(PlacementReader, TerminatorBeforeRecordLayout) {
    // Two records, the terminator where a third would start, then a line
    // that is ignored however it looks.
    const Records r = read(record(0, "sep") + record(10) + "$$$\n99\n1\n2\n3\n4\n5\n6\n\n", kA);
    ASSERT_EQ(r.size(), 2u);
    expectRecord(r[0], 0);
    expectRecord(r[1], 10);

    // Only the terminator: no flower. A separator reading "$$$" is never
    // compared in this layout, so the next record still counts.
    EXPECT_TRUE(read("$$$\n", kA).empty());
    EXPECT_TRUE(read("$$$", kA).empty());
    const Records sepIsTerminatorText = read(record(0, "$$$") + record(20) + "$$$\n", kA);
    ASSERT_EQ(sepIsTerminatorText.size(), 2u);
    expectRecord(sepIsTerminatorText[1], 20);

    // strcmp, not a prefix test: "$$$ " and "$$$$" are ordinary lines (0).
    const Records blank = read("$$$ \n2\n3\n4\n5\n6\n7\n\n$$$$\n2\n3\n4\n5\n6\n7\n\n$$$\n", kA);
    ASSERT_EQ(blank.size(), 2u);
    EXPECT_EQ(blank[0].values[0], 0.0f);
    EXPECT_EQ(blank[0].values[1], 2.0f);
    EXPECT_EQ(blank[1].values[0], 0.0f);
}

TEST(PlacementReader, TerminatorAsSeparatorLayout) {
    // Seven numbers with "$$$" as the eighth line: exactly one flower.
    const std::string one = "1\n2\n3\n4\n5\n6\n7\n$$$\nignored\n";
    const Records r = read(one, kB);
    ASSERT_EQ(r.size(), 1u);
    expectRecord(r[0], 0);
    // Read with the other layout the same text runs on: "$$$" is a separator
    // there and "ignored" starts a record that the file cuts short.
    EXPECT_EQ(read(one, kA).size(), 1u);

    // A "$$$" where a first line stands is the number 0 here, and the record
    // goes on; in the other layout it ends the list.
    const std::string early = record(0) + "$$$\n2\n3\n4\n5\n6\n7\n$$$\n";
    const Records b = read(early, kB);
    ASSERT_EQ(b.size(), 2u);
    EXPECT_EQ(b[1].values[0], 0.0f);
    EXPECT_EQ(b[1].values[6], 7.0f);
    EXPECT_EQ(read(early, kA).size(), 1u);

    // Several records, each separator compared before the next one.
    const Records three =
        read(record(0, "x") + record(10, "") + record(20, "$$$") + record(30), kB);
    ASSERT_EQ(three.size(), 3u);
    expectRecord(three[2], 20);
}

TEST(PlacementReader, NumbersConvertLikeAtof) {
    const Records r = read("12.5abc\n\nabc\n  -3.25\n1e2\n+.5\n0x10\n$$$\n", kB);
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].values[0], 12.5f);
    EXPECT_EQ(r[0].values[1], 0.0f);  // empty line
    EXPECT_EQ(r[0].values[2], 0.0f);  // no number at all
    EXPECT_EQ(r[0].values[3], -3.25f);
    EXPECT_EQ(r[0].values[4], 100.0f);
    EXPECT_EQ(r[0].values[5], 0.5f);
    EXPECT_EQ(r[0].values[6], 16.0f);
}

TEST(PlacementReader, IncompleteRecordsMakeNoFlower) {
    for (const Layout layout : {kA, kB}) {
        // No terminator; the text ends after the separator, with or without a
        // line break, or with an extra blank line: only complete records.
        EXPECT_EQ(read(record(0) + record(10), layout).size(), 2u);
        std::string noBreak = record(0) + record(10, "sep");
        noBreak.pop_back();
        EXPECT_EQ(read(noBreak, layout).size(), 2u);
        EXPECT_EQ(read(record(0) + "\n", layout).size(), 1u);
        // A record cut short: six numbers, with or without the last line break.
        EXPECT_EQ(read(record(0) + "1\n2\n3\n4\n5\n6\n", layout).size(), 1u);
        EXPECT_EQ(read(record(0) + "1\n2\n3\n4\n5\n6", layout).size(), 1u);
        // Seven numbers and no separator still make the flower.
        const Records noSep = read("1\n2\n3\n4\n5\n6\n7", layout);
        ASSERT_EQ(noSep.size(), 1u);
        expectRecord(noSep[0], 0);
        EXPECT_TRUE(read("", layout).empty());
        EXPECT_TRUE(read("\n", layout).empty());
    }
}

TEST(PlacementReader, LineEndingsAndOverlongLines) {
    // CR LF files read like LF files; the terminator still matches.
    std::string crlf;
    for (const char* l : {"1.5", "2", "3", "4", "5", "6", "7", "", "$$$", "x"}) {
        crlf += std::string(l) + "\r\n";
    }
    const Records a = read(crlf, kA);
    ASSERT_EQ(a.size(), 1u);
    EXPECT_EQ(a[0].values[0], 1.5f);
    EXPECT_EQ(a[0].values[6], 7.0f);
    // Only the one CR right before the LF goes: "$$$\r\r" is an ordinary line.
    const std::string rest = "1\n2\n3\n4\n5\n6\n7\n";
    EXPECT_TRUE(read("$$$\r\n" + rest, kA).empty());
    EXPECT_EQ(read("$$$\r\r\n" + rest, kA).size(), 1u);

    // 29 characters fit, also followed by CR LF; 30 end the list, and the
    // record in progress makes no flower. Earlier records stay.
    const std::string fits = "1" + std::string(28, '0');  // 1e28
    ASSERT_EQ(fits.size(), 29u);
    const Records longest = read(fits + "\r\n2\n3\n4\n5\n6\n7\n$$$\n", kB);
    ASSERT_EQ(longest.size(), 1u);
    EXPECT_FLOAT_EQ(longest[0].values[0], 1e28f);

    testing::internal::CaptureStderr();
    const Records cut = read(record(0) + "1\n2\n" + fits + "0\n4\n5\n6\n7\n\n" + record(20), kA);
    const std::string err = testing::internal::GetCapturedStderr();
    ASSERT_EQ(cut.size(), 1u);
    expectRecord(cut[0], 0);
    EXPECT_EQ(lineCount(err), 1);
    EXPECT_NE(err.find("test.txt"), std::string::npos);
    EXPECT_NE(err.find("line 11"), std::string::npos);

    // An over-long separator keeps its record but ends the list, in both layouts.
    for (const Layout layout : {kA, kB}) {
        testing::internal::CaptureStderr();
        const Records sep = read(record(0, std::string(30, ' ')) + record(10), layout);
        EXPECT_EQ(lineCount(testing::internal::GetCapturedStderr()), 1);
        ASSERT_EQ(sep.size(), 1u);
    }
    // A long line without any line break cannot loop forever either.
    testing::internal::CaptureStderr();
    EXPECT_TRUE(read(std::string(100000, '7'), kB).empty());
    EXPECT_EQ(lineCount(testing::internal::GetCapturedStderr()), 1);
}

TEST(PlacementReader, ReadsFilesAndSurvivesMissingOnes) {
    const std::string path = std::string(ZUMBRA_BUILD_DIR) + "/placement_reader_test.txt";
    const std::string text = record(0, "a") + record(40) + "$$$\n";
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
    const Records r = PlacementReader::readFile(path.c_str(), kA);
    std::remove(path.c_str());
    ASSERT_EQ(r.size(), 2u);
    expectRecord(r[1], 40);

    testing::internal::CaptureStderr();
    const Records none =
        PlacementReader::readFile("/nonexistent/dir/flowerA.txt", Layout::TerminatorBeforeRecord);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(none.empty());
    EXPECT_EQ(lineCount(err), 1);
    EXPECT_NE(err.find("/nonexistent/dir/flowerA.txt"), std::string::npos);
}
