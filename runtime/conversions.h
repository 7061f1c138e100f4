// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Conversions between the texts that controls hold and the numbers the puzzle
// computes with. Every digit and count lives as text and is converted on use.
namespace runtime {

// Reads the number at the start of the text: optional blanks, an optional sign,
// digits with an optional decimal point and an optional exponent. Anything else
// ends the number; a text that does not begin with one gives 0. Never throws,
// never reads past the text, always gives a finite number.
double TextToNumber(std::string_view text) noexcept;

// Round to the nearest integer, a tie to the even neighbour. A result outside
// the type's range (or a number that is not one) raises ErrorKind::Overflow.
std::int16_t RoundToInt16(double value);
std::int32_t RoundToInt32(double value);

// A signed 16-bit addition that raises ErrorKind::Overflow instead of wrapping.
std::int16_t AddInt16(std::int16_t a, std::int16_t b);

// The shortest decimal text that reads back as the same number: no leading
// blank, no decimal point for whole numbers, never an exponent.
std::string NumberToText(double value);

} // namespace runtime
