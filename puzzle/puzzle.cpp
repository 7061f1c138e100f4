// SPDX-License-Identifier: GPL-3.0-or-later
#include "puzzle/puzzle.h"

#include "puzzle/digit_sequence.h"
#include "runtime/conversions.h"

#include <string>

namespace puzzle {

using runtime::AddInt16;
using runtime::NumberToText;
using runtime::RoundToInt16;
using runtime::RoundToInt32;
using runtime::TextToNumber;

std::int16_t StartIndexFor(float r) {
    // Widening first keeps the product exact: 24 + 7 significant bits fit a double.
    double product = static_cast<double>(r) * static_cast<double>(100.0f);
    return static_cast<std::int16_t>(RoundToInt32(product) % kStartIndexCount);
}

void Puzzle::Form_Load() {
    random_.SeedFromClock();
    DealPuzzle();
}

void Puzzle::Command1_Click(std::int16_t Index) {
    if (Index == 0)
        CheckPuzzle();
    else if (Index == 1)
        DealPuzzle();
}

void Puzzle::DealPuzzle() {
    startIndex_ = StartIndexFor(random_.NextRandom(100.0f));
    for (std::int16_t i = 1; i <= kBoxCount; ++i) {
        auto box = static_cast<std::int16_t>(i - 1);
        if (i <= kShownCount)
            board_.SetBoxCaption(box, board_.ListEntry(static_cast<std::int16_t>(startIndex_ + i)));
        else
            board_.SetBoxCaption(box, std::string(HiddenMark));
    }
}

void Puzzle::Label2_Click(std::int16_t Index) {
    std::int16_t digit = RoundToInt16(TextToNumber(board_.BoxCaption(Index)));
    std::int16_t next = AddInt16(digit, 1);
    next = static_cast<std::int16_t>(next % 10);
    board_.SetBoxCaption(Index, NumberToText(next));
}

void Puzzle::CheckPuzzle() {
    bool ok = true;
    // Every box and entry is read, even after the first mismatch.
    for (std::int16_t i = 1; i <= kBoxCount; ++i) {
        auto box = static_cast<std::int16_t>(i - 1);
        auto position = static_cast<std::int16_t>(startIndex_ + i);
        double shown = TextToNumber(board_.BoxCaption(box));
        std::int16_t expected = RoundToInt16(TextToNumber(board_.ListEntry(position)));
        if (expected != shown)
            ok = false;
    }
    auto counter = static_cast<std::int16_t>(ok ? kCorrectCounter : kWrongCounter);
    board_.SetCounterText(counter, NumberToText(TextToNumber(board_.CounterText(counter)) + 1));
}

} // namespace puzzle
