// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "puzzle/board.h"
#include "runtime/random.h"

#include <cstdint>

namespace puzzle {

// The start offset that a random value r (0 <= r < 1) deals: r times 100,
// formed exactly in double precision, rounded with ties to even, modulo 25.
std::int16_t StartIndexFor(float r);

// The exercise's handlers and procedures. It keeps no copy of the row or the
// score: everything but the start offset is read from and written to the board.
class Puzzle {
public:
    Puzzle(Board& board, runtime::RandomSource& random) : board_(board), random_(random) {}

    // The window has loaded: seed the generator and deal the first row.
    void Form_Load();
    // Button 0 ("Провери") checks the row, button 1 ("Чисти") deals a new one.
    void Command1_Click(std::int16_t Index);
    // A digit box was clicked: advance its digit, 9 going round to 0.
    void Label2_Click(std::int16_t Index);

    void DealPuzzle();
    void CheckPuzzle();

    // The sequence position just before the row's first box.
    std::int16_t StartIndex() const { return startIndex_; }

private:
    Board& board_;
    runtime::RandomSource& random_;
    std::int16_t startIndex_ = 0;
};

} // namespace puzzle
