// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "puzzle/board.h"
#include "puzzle/digit_sequence.h"
#include "runtime/random.h"
#include "runtime/runtime_error.h"

#include <array>
#include <deque>
#include <string>
#include <vector>

namespace testing_support {

// The puzzle's board as plain strings, starting as the window does: the
// sequence in the list, "0" in every box and counter. It records every read
// so tests can check which controls a handler touched.
class MemoryBoard final : public puzzle::Board {
public:
    MemoryBoard() {
        list.assign(puzzle::DigitSequence.begin(), puzzle::DigitSequence.end());
        boxes.fill("0");
        counters.fill("0");
    }

    std::string ListEntry(std::int16_t position) const override {
        reads.push_back("List1(" + std::to_string(position) + ")");
        if (position < 0 || static_cast<std::size_t>(position) >= list.size())
            return "";
        return list[static_cast<std::size_t>(position)];
    }
    std::string BoxCaption(std::int16_t box) const override {
        reads.push_back("Label2(" + std::to_string(box) + ")");
        return boxes.at(Checked(box, boxes.size()));
    }
    void SetBoxCaption(std::int16_t box, const std::string& caption) override {
        boxes.at(Checked(box, boxes.size())) = caption;
    }
    std::string CounterText(std::int16_t counter) const override {
        reads.push_back("Text2(" + std::to_string(counter) + ")");
        return counters.at(Checked(counter, counters.size()));
    }
    void SetCounterText(std::int16_t counter, const std::string& text) override {
        counters.at(Checked(counter, counters.size())) = text;
    }

    std::vector<std::string> list;
    std::array<std::string, puzzle::kBoxCount> boxes;
    std::array<std::string, puzzle::kCounterCount> counters;
    mutable std::vector<std::string> reads;

private:
    static std::size_t Checked(std::int16_t index, std::size_t size) {
        if (index < 0 || static_cast<std::size_t>(index) >= size)
            throw runtime::RuntimeError(runtime::ErrorKind::NoSuchControlMember, "no such member");
        return static_cast<std::size_t>(index);
    }
};

// Gives the values a test chooses, in order, and counts the reseeds.
class ScriptedRandom final : public runtime::RandomSource {
public:
    explicit ScriptedRandom(std::initializer_list<float> values = {}) : values_(values) {}

    void Push(float r) { values_.push_back(r); }
    float NextRandom(float) override {
        if (values_.empty())
            return 0.0f;
        float r = values_.front();
        values_.pop_front();
        return r;
    }
    void SeedFromClock() override { ++seeds; }

    int seeds = 0;

private:
    std::deque<float> values_;
};

// The r that deals a given start offset: (index / 100) lands on index exactly.
inline float RandomFor(int startIndex) {
    return static_cast<float>(startIndex) / 100.0f;
}

} // namespace testing_support
