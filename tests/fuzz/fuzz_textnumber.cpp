// SPDX-License-Identifier: BSD-3-Clause
// Reading a typed number: never crashes, agrees with a second, differently written reading, and
// narrows to 16 bits or reports an overflow.
#include "numbers.h"

#include <QString>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>

namespace {

// The same rule the long way round: drop the blanks, then take the longest leading number.
double reference(const QString &text)
{
    QString kept;
    for (QChar c : text)
        if (c != u' ' && c != u'\t' && c != u'\n')
            kept.append(c);
    qsizetype end = 0;
    if (end < kept.size() && (kept[end] == u'-' || kept[end] == u'+'))
        ++end;
    bool digits = false;
    bool point = false;
    for (; end < kept.size(); ++end) {
        const QChar c = kept[end];
        if (c >= u'0' && c <= u'9')
            digits = true;
        else if (c == u'.' && !point)
            point = true;
        else
            break;
    }
    if (!digits)
        return 0.0;
    QString number = kept.left(end);
    if (number.startsWith(u'+'))
        number.remove(0, 1);
    if (number.endsWith(u'.'))
        number.chop(1);
    bool ok = false;
    const double v = number.toDouble(&ok); // C locale
    if (!ok)
        return std::strtod(number.toLatin1().constData(), nullptr);
    return v;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const double value = numbers::textToNumber(text);
    const double expected = reference(text);
    if (!(value == expected || (std::isinf(value) && std::isinf(expected)) ||
          std::fabs(value - expected) <= 1e-12 * std::fabs(expected)))
        std::abort();
    // What an index box can hold (two characters) always reads between -9 and 99.
    if (text.size() <= 2 && (value < -9 || value > 99))
        std::abort();
    try {
        const int n = numbers::toInt16(value);
        if (std::fabs(n - value) > 0.5)
            std::abort();
    } catch (const std::overflow_error &) {
        if (std::fabs(value) < 32767.5)
            std::abort();
    }
    return 0;
}
