// SPDX-License-Identifier: BSD-3-Clause
#include "numbers.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>

namespace numbers {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}
bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

double textToNumber(QStringView text)
{
    std::string number; // sign, digits and point only: ASCII, locale-free
    bool seenDigit = false;
    bool seenPoint = false;
    for (QChar c : text) {
        if (isBlank(c))
            continue;
        if (isDigit(c)) {
            number.push_back(char(c.unicode()));
            seenDigit = true;
        } else if (c == u'.' && !seenPoint) {
            number.push_back('.');
            seenPoint = true;
        } else if ((c == u'-' || c == u'+') && number.empty()) {
            number.push_back(char(c.unicode()));
        } else {
            break;
        }
    }
    if (!seenDigit)
        return 0.0;
    const char *first = number.data();
    if (*first == '+')
        ++first;
    double value = 0.0;
    const auto [end, error] = std::from_chars(first, number.data() + number.size(), value);
    if (error == std::errc::result_out_of_range) {
        // Too large, or too small to tell from zero: a non-zero whole part means too large.
        const std::string whole = number.substr(0, number.find('.'));
        const bool large = whole.find_first_of("123456789") != std::string::npos;
        const double sign = number.front() == '-' ? -1.0 : 1.0;
        return large ? sign * std::numeric_limits<double>::infinity() : sign * 0.0;
    }
    (void)end;
    return value;
}

std::int16_t toInt16(double value)
{
    if (std::isnan(value))
        throw std::overflow_error("Overflow");
    double whole = std::floor(value);
    const double fraction = value - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0))
        whole += 1.0;
    if (whole < std::numeric_limits<std::int16_t>::min() || whole > std::numeric_limits<std::int16_t>::max())
        throw std::overflow_error("Overflow");
    return static_cast<std::int16_t>(whole);
}

std::int16_t toInt16(std::int32_t value)
{
    if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max())
        throw std::overflow_error("Overflow");
    return static_cast<std::int16_t>(value);
}

} // namespace numbers
