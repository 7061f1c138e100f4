// SPDX-License-Identifier: GPL-3.0-or-later
#include "memory_board.h"
#include "puzzle/digit_sequence.h"
#include "puzzle/puzzle.h"
#include "runtime/random.h"
#include "runtime/runtime_error.h"

#include <gtest/gtest.h>

#include <array>
#include <set>
#include <string>
#include <vector>

using puzzle::Puzzle;
using testing_support::MemoryBoard;
using testing_support::RandomFor;
using testing_support::ScriptedRandom;

namespace {

using Row = std::array<std::string, puzzle::kBoxCount>;

Row MakeRow(std::initializer_list<const char*> captions) {
    Row row;
    std::size_t k = 0;
    for (const char* caption : captions)
        row.at(k++) = caption;
    return row;
}

class PuzzleTest : public ::testing::Test {
protected:
    // Deals a row at `startIndex` on a fresh board.
    void DealAt(int startIndex) {
        random.Push(RandomFor(startIndex));
        puzzle.DealPuzzle();
        ASSERT_EQ(puzzle.StartIndex(), startIndex);
    }
    void Click(int box, int times = 1) {
        for (int i = 0; i < times; ++i)
            puzzle.Label2_Click(static_cast<std::int16_t>(box));
    }
    // Clicks the hidden boxes, from box 10 on, the given numbers of times.
    void ClickHidden(std::initializer_list<int> times) {
        int box = puzzle::kShownCount;
        for (int n : times)
            Click(box++, n);
    }
    void SolveRowAtZero() { ClickHidden({4, 3, 1, 5, 3}); }
    void Check() { puzzle.Command1_Click(0); }

    MemoryBoard board;
    ScriptedRandom random;
    Puzzle puzzle{board, random};
};

} // namespace

// The row is dealt when the form loads, once the generator is seeded; making the
// puzzle reads and writes nothing.
TEST_F(PuzzleTest, MakingThePuzzleTouchesNoControl) {
    const MemoryBoard untouched;
    EXPECT_TRUE(board.reads.empty());
    EXPECT_EQ(board.boxes, untouched.boxes);
    EXPECT_EQ(board.counters, untouched.counters);
    EXPECT_EQ(puzzle.StartIndex(), 0);
}

TEST_F(PuzzleTest, DealAtZeroShowsPositionsOneToTenAndHidesFive) {
    DealAt(0);
    EXPECT_EQ(board.boxes,
              MakeRow({"1", "1", "2", "9", "2", "3", "1", "3", "3", "0", "?", "?", "?", "?", "?"}));
}

TEST_F(PuzzleTest, DealAtTwentyFourShowsPositionsTwentyFiveToThirtyFour) {
    DealAt(24);
    EXPECT_EQ(board.boxes,
              MakeRow({"0", "9", "3", "1", "1", "0", "3", "0", "1", "1", "?", "?", "?", "?", "?"}));
    // The deal reads the ten shown positions only, never the one past the end.
    for (const std::string& read : board.reads)
        EXPECT_NE(read, "List1(39)");
}

TEST_F(PuzzleTest, EveryOffsetDealsTenConsecutiveDigits) {
    for (int start = 0; start < puzzle::kStartIndexCount; ++start) {
        DealAt(start);
        for (int k = 0; k < puzzle::kBoxCount; ++k) {
            std::string expected = k < puzzle::kShownCount
                                       ? std::string(puzzle::DigitSequence[start + k + 1])
                                       : std::string(puzzle::HiddenMark);
            EXPECT_EQ(board.boxes[k], expected) << "offset " << start << " box " << k;
        }
    }
}

TEST_F(PuzzleTest, NewRowDiscardsEntriesAndKeepsCounters) {
    DealAt(3);
    Click(12, 4);
    Click(2);
    board.counters = {"5", "8"};
    random.Push(RandomFor(3)); // the same row may come again
    puzzle.Command1_Click(1);
    EXPECT_EQ(board.boxes[12], "?");
    EXPECT_EQ(board.boxes[2], puzzle::DigitSequence[6]);
    EXPECT_EQ(board.counters[0], "5");
    EXPECT_EQ(board.counters[1], "8");
}

TEST_F(PuzzleTest, OtherButtonIndexesDoNothing) {
    DealAt(5);
    Row before = board.boxes;
    for (std::int16_t index : {-1, 2, 32767}) {
        puzzle.Command1_Click(index);
        EXPECT_EQ(board.boxes, before);
        EXPECT_EQ(board.counters[0], "0");
        EXPECT_EQ(board.counters[1], "0");
        EXPECT_EQ(puzzle.StartIndex(), 5);
    }
}

TEST_F(PuzzleTest, AClickAdvancesTheDigitAndNineGoesRoundToZero) {
    board.boxes[4] = "0";
    Click(4);
    EXPECT_EQ(board.boxes[4], "1");
    board.boxes[4] = "8";
    Click(4);
    EXPECT_EQ(board.boxes[4], "9");
    Click(4);
    EXPECT_EQ(board.boxes[4], "0");
}

TEST_F(PuzzleTest, AHiddenBoxReadsAsZeroAndTakesTenClicksToShowZero) {
    DealAt(0);
    std::vector<std::string> seen;
    for (int i = 0; i < 10; ++i) {
        Click(10);
        seen.push_back(board.boxes[10]);
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"1", "2", "3", "4", "5", "6", "7", "8", "9", "0"}));
}

TEST_F(PuzzleTest, AClickChangesOnlyItsOwnBox) {
    DealAt(9);
    Row before = board.boxes;
    Click(0);
    Click(14, 3);
    for (int k = 1; k < 14; ++k)
        EXPECT_EQ(board.boxes[k], before[k]);
    EXPECT_EQ(board.boxes[14], "3");
    EXPECT_EQ(puzzle.StartIndex(), 9);
    EXPECT_EQ(board.counters[0], "0");
    EXPECT_EQ(board.counters[1], "0");
}

TEST_F(PuzzleTest, ACaptionOfThirtyTwoSevenSixtySevenOverflowsAndStaysAsItWas) {
    board.boxes[3] = "32767";
    try {
        Click(3);
        FAIL() << "no overflow raised";
    } catch (const runtime::RuntimeError& error) {
        EXPECT_EQ(error.kind(), runtime::ErrorKind::Overflow);
    }
    EXPECT_EQ(board.boxes[3], "32767");
    board.boxes[3] = "32766";
    Click(3);
    EXPECT_EQ(board.boxes[3], "7"); // 32767 modulo 10
    board.boxes[3] = "-5";
    Click(3);
    EXPECT_EQ(board.boxes[3], "-4"); // the remainder keeps the dividend's sign
}

TEST_F(PuzzleTest, TheTypicalRunScoresACorrectRow) {
    DealAt(0);
    SolveRowAtZero();
    Check();
    EXPECT_EQ(board.counters[0], "1");
    EXPECT_EQ(board.counters[1], "0");
    // The row is left as it is: checking again counts again.
    Check();
    EXPECT_EQ(board.counters[0], "2");
    EXPECT_EQ(board.boxes[10], "4");
}

TEST_F(PuzzleTest, AShownDigitClickedAwayMakesTheRowWrong) {
    DealAt(0);
    SolveRowAtZero();
    Click(6);
    Check();
    EXPECT_EQ(board.counters[0], "0");
    EXPECT_EQ(board.counters[1], "1");
    Click(6, 9); // ten clicks in all bring it back
    Check();
    EXPECT_EQ(board.counters[0], "1");
}

TEST_F(PuzzleTest, AnUntouchedHiddenBoxMatchesAZero) {
    DealAt(5); // hides positions 16 to 20: 0 6 3 1 7
    ClickHidden({0, 6, 3, 1, 7});
    Check();
    EXPECT_EQ(board.counters[0], "1");
}

TEST_F(PuzzleTest, AWrongRowRaisesTheRedCounterAndLeavesTheRest) {
    DealAt(2);
    Row before = board.boxes;
    Check();
    EXPECT_EQ(board.counters[0], "0");
    EXPECT_EQ(board.counters[1], "1");
    EXPECT_EQ(board.boxes, before);
    EXPECT_EQ(puzzle.StartIndex(), 2);
}

TEST_F(PuzzleTest, CountersCountOnFromWhateverTheyHold) {
    // A count is a plain number, not a 16-bit one: 32767 counts on to 32768.
    board.counters = {"32767", "32767"};
    DealAt(0);
    Check();
    EXPECT_EQ(board.counters[1], "32768");
    SolveRowAtZero();
    Check();
    EXPECT_EQ(board.counters[0], "32768");
    board.counters[0] = "";
    Check();
    EXPECT_EQ(board.counters[0], "1");
}

TEST_F(PuzzleTest, AMismatchInTheFirstBoxStillReadsEveryBoxAndEntry) {
    DealAt(4);
    Click(0);
    board.reads.clear();
    Check();
    EXPECT_EQ(board.counters[1], "1");
    const std::set<std::string> read(board.reads.begin(), board.reads.end());
    for (int i = 1; i <= puzzle::kBoxCount; ++i) {
        EXPECT_TRUE(read.contains("Label2(" + std::to_string(i - 1) + ")")) << "box " << i - 1;
        EXPECT_TRUE(read.contains("List1(" + std::to_string(4 + i) + ")")) << "entry " << 4 + i;
    }
}

TEST_F(PuzzleTest, AtTwentyFourTheLastBoxMatchesTheEmptyEntryPastTheEnd) {
    DealAt(24); // hides positions 35 to 38 (3 1 1 2) and the one past the end
    ClickHidden({3, 1, 1, 2});
    Check(); // box 14 still shows "?"
    EXPECT_EQ(board.counters[0], "1");
    Click(14, 10); // round to "0"
    ASSERT_EQ(board.boxes[14], "0");
    Check();
    EXPECT_EQ(board.counters[0], "2");
    Click(14);
    Check();
    EXPECT_EQ(board.counters[1], "1");
}

TEST_F(PuzzleTest, AFractionalCaptionIsComparedUnrounded) {
    DealAt(0);
    SolveRowAtZero();
    board.boxes[0] = "1.2"; // no click can write this; the check must not round it to 1
    Check();
    EXPECT_EQ(board.counters[1], "1");
}

// The window's own generator, not a scripted one: these catch a deal that does
// not really draw.
TEST(PuzzleWithTheGenerator, EachRunDealsItsOwnFirstRow) {
    std::set<int> firstStarts;
    for (int run = 0; run < 10; ++run) {
        MemoryBoard board;
        runtime::Generator generator; // the same seed every run until the clock reseeds it
        Puzzle puzzle(board, generator);
        puzzle.Form_Load();
        EXPECT_EQ(board.boxes[0], puzzle::DigitSequence[puzzle.StartIndex() + 1]);
        EXPECT_EQ(board.boxes[14], puzzle::HiddenMark);
        firstStarts.insert(puzzle.StartIndex());
    }
    // Ten equal first rows from ten clock seeds would happen once in 25^9 runs.
    EXPECT_GT(firstStarts.size(), 1U);
}

TEST(PuzzleWithTheGenerator, NewRowsReachEveryStartOffset) {
    MemoryBoard board;
    runtime::Generator generator(2024);
    Puzzle puzzle(board, generator);
    std::set<int> starts;
    for (int press = 0; press < 400; ++press) {
        puzzle.Command1_Click(1);
        starts.insert(puzzle.StartIndex());
    }
    EXPECT_EQ(starts.size(), static_cast<std::size_t>(puzzle::kStartIndexCount));
}
