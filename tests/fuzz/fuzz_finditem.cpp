// SPDX-License-Identifier: BSD-3-Clause
// FindItem on a list of random texts: never crashes and agrees with a plain case-folded search.
// Input: first byte = exact flag, then lines: the text to find, then the items.
#include <KvListEx/classic.h>

#include <QApplication>

#include <cstdint>
#include <cstdlib>

namespace {

qint32 reference(const QStringList &items, const QString &text, bool exact)
{
    const QString wanted = text.toCaseFolded();
    for (qsizetype i = 0; i < items.size(); ++i) {
        const QString folded = items[i].toCaseFolded();
        if (exact ? folded == wanted : folded.startsWith(wanted))
            return qint32(i);
    }
    return -1;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const bool exact = data[0] & 1;
    QStringList lines =
        QString::fromUtf8(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1)).split(u'\n');
    const QString text = lines.takeFirst();
    if (lines.size() > 200)
        lines.resize(200);
    KvListEx::Classic::ListEx list;
    for (const QString &item : lines)
        list.AddItem(item);
    const qint32 found = list.FindItem(text, exact);
    if (found != reference(lines, text, exact))
        std::abort();
    if (found >= 0 && found >= list.ListItems().Count())
        std::abort();
    return 0;
}
