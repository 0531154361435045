// SPDX-License-Identifier: BSD-3-Clause
// Reading numbers out of what the user typed, and narrowing them to 16 bits.
#pragma once

#include <QStringView>

#include <cstdint>

namespace numbers {

// The number at the start of a text: blanks (space, tab, line feed) are skipped wherever they
// stand; an optional sign, digits, one decimal point and further digits form the number;
// reading stops at the first character that cannot continue it. No number reads as 0.
// A radix prefix ("&H1", "&17") or an exponent ("1e2") is not read: "&" stops at once, "e"
// ends the number.
double textToNumber(QStringView text);

// Rounds to the nearest whole number, halves to the even one; throws std::overflow_error
// outside the 16-bit range.
std::int16_t toInt16(double value);
// Throws std::overflow_error outside the 16-bit range.
std::int16_t toInt16(std::int32_t value);

} // namespace numbers
