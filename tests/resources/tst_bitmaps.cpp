// SPDX-License-Identifier: BSD-3-Clause
// The character pictures as the program embeds them: exact file layout, colour tables, ground, Qt
// loading.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QSet>
#include <QtEndian>
#include <QtTest>

namespace {

constexpr QRgb kGround = 0xFF00FF00;
constexpr QRgb kWhite = 0xFFFFFFFF;

const char *const kNames[] = {
    "Oswin Tarrant",         "Delphine Tarrant",    "Rufus Tarrant",  "Clara Tarrant",
    "Pip Tarrant",           "Ezra Tarrant",        "Lloyd Fennick",  "Oku",
    "Augustus Lemuel Crane", "Percival Nutt",       "Dale Whitcombe", "Binky the Jester",
    "Toby Ainsworth",        "extra, never loaded", "Gordie Plimm",   "Wendelin",
    "Leopold Haskett",       "Horace Dunmore",      "Silas Pembury",  "Edna Pembury",
};

QString path(int id)
{
    return QStringLiteral(":/bitmaps/%1.bmp").arg(id);
}

QByteArray bytes(int id)
{
    QFile f(path(id));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

quint32 u32(const QByteArray &b, int at)
{
    return qFromLittleEndian<quint32>(b.constData() + at);
}
quint16 u16(const QByteArray &b, int at)
{
    return qFromLittleEndian<quint16>(b.constData() + at);
}

// Decoded independently of Qt's reader: the table and the index of every pixel, top row first.
struct Decoded {
    QList<QRgb> table;
    QList<int> index; // 32 * 32
    QRgb at(int x, int y) const { return table[index[y * 32 + x]]; }
};

Decoded decode(const QByteArray &b)
{
    Decoded d;
    for (int i = 0; i < 16; ++i) {
        const char *q = b.constData() + 54 + 4 * i;
        d.table << qRgb(uchar(q[2]), uchar(q[1]), uchar(q[0]));
    }
    d.index.resize(32 * 32);
    for (int row = 0; row < 32; ++row) { // stored bottom row first
        for (int x = 0; x < 32; ++x) {
            const uchar v = uchar(b[118 + row * 16 + x / 2]);
            d.index[(31 - row) * 32 + x] = x % 2 ? v & 0x0F : v >> 4;
        }
    }
    return d;
}

void addRows()
{
    QTest::addColumn<int>("id");
    for (int id = 101; id <= 120; ++id)
        QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(id).arg(kNames[id - 101]))) << id;
}

} // namespace

class TestBitmaps : public QObject {
    Q_OBJECT

private slots:
    void headers_data() { addRows(); }
    void headers()
    {
        QFETCH(int, id);
        const QByteArray b = bytes(id);
        QCOMPARE(b.size(), 630);
        QCOMPARE(b.left(2), QByteArray("BM"));
        QCOMPARE(u32(b, 2), 630u);          // file size
        QCOMPARE(u32(b, 6), 0u);            // reserved
        QCOMPARE(u32(b, 10), 118u);         // pixels after both headers and 16 entries
        QCOMPARE(b.size() - 14, 616);       // the resource itself
        QCOMPARE(u32(b, 14), 40u);          // info header size
        QCOMPARE(qint32(u32(b, 18)), 32);   // width
        QCOMPARE(qint32(u32(b, 22)), 32);   // positive height: bottom row first
        QCOMPARE(u16(b, 26), quint16(1));   // planes
        QCOMPARE(u16(b, 28), quint16(4));   // bits per pixel
        QCOMPARE(u32(b, 30), 0u);           // no compression
        QCOMPARE(u32(b, 34), 512u);         // image size
        QCOMPARE(qint32(u32(b, 38)), 2834); // 72 dpi
        QCOMPARE(qint32(u32(b, 42)), 2834);
        QCOMPARE(u32(b, 46), 16u); // colours used
        QCOMPARE(u32(b, 50), 16u); // colours important
    }

    // The table holds exactly the colours in use, ascending as 0xRRGGBB, then white up to 16
    // entries.
    void colourTable_data() { addRows(); }
    void colourTable()
    {
        QFETCH(int, id);
        const QByteArray b = bytes(id);
        QCOMPARE(b.size(), 630);
        for (int i = 0; i < 16; ++i)
            QCOMPARE(b[54 + 4 * i + 3], '\0');
        const Decoded d = decode(b);
        const QSet<int> seen(d.index.cbegin(), d.index.cend());
        const int used = int(seen.size());
        for (int i = 0; i < used; ++i)
            QVERIFY2(seen.contains(i), qPrintable(QStringLiteral("entry %1 is not used").arg(i)));
        for (int i = 1; i < used; ++i)
            QVERIFY2((d.table[i] & 0xFFFFFF) > (d.table[i - 1] & 0xFFFFFF),
                     qPrintable(QStringLiteral("entry %1 out of order").arg(i)));
        for (int i = used; i < 16; ++i)
            QVERIFY2(d.table[i] == kWhite,
                     qPrintable(QStringLiteral("padding entry %1 is not white").arg(i)));
        QVERIFY(d.table.first(used).contains(kGround));
        QVERIFY2(used - 1 >= 3 && used - 1 <= 9,
                 qPrintable(QStringLiteral("%1 figure colours").arg(used - 1)));
    }

    // Green is the ground: at the corners, and every green pixel reaches the edge through green,
    // so the list's background never shows through a hole inside a figure.
    void ground_data() { addRows(); }
    void ground()
    {
        QFETCH(int, id);
        const QByteArray b = bytes(id);
        QCOMPARE(b.size(), 630);
        const Decoded d = decode(b);
        for (const QPoint p : {QPoint(0, 0), QPoint(31, 0), QPoint(0, 31), QPoint(31, 31)})
            QCOMPARE(d.at(p.x(), p.y()), kGround);
        QList<bool> reached(32 * 32, false);
        QList<QPoint> todo;
        for (int i = 0; i < 32; ++i)
            todo << QPoint(i, 0) << QPoint(i, 31) << QPoint(0, i) << QPoint(31, i);
        while (!todo.isEmpty()) {
            const QPoint p = todo.takeLast();
            if (p.x() < 0 || p.y() < 0 || p.x() > 31 || p.y() > 31 || reached[p.y() * 32 + p.x()] ||
                d.at(p.x(), p.y()) != kGround)
                continue;
            reached[p.y() * 32 + p.x()] = true;
            todo << p + QPoint(1, 0) << p - QPoint(1, 0) << p + QPoint(0, 1) << p - QPoint(0, 1);
        }
        int figure = 0;
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                if (d.at(x, y) == kGround)
                    QVERIFY2(reached[y * 32 + x],
                             qPrintable(QStringLiteral("enclosed green at %1,%2").arg(x).arg(y)));
                else
                    ++figure;
            }
        }
        QVERIFY2(figure >= 32 * 32 / 3, "the figure should fill a good part of the picture");
    }

    // What the list gets: Qt's reader sees the same 32 x 32 picture as the raw decoding above.
    void loadsThroughQt_data() { addRows(); }
    void loadsThroughQt()
    {
        QFETCH(int, id);
        const QPixmap pixmap(path(id));
        QCOMPARE(pixmap.size(), QSize(32, 32));
        const QImage image(path(id));
        QCOMPARE(image.size(), QSize(32, 32));
        const Decoded d = decode(bytes(id));
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                QCOMPARE(image.pixel(x, y), d.at(x, y));
    }

    void eachDiffersFromTheOthers_data() { addRows(); }
    void eachDiffersFromTheOthers()
    {
        QFETCH(int, id);
        const QImage mine(path(id));
        QVERIFY(!mine.isNull());
        for (int other = 101; other <= 120; ++other) {
            if (other == id)
                continue;
            const QImage theirs(path(other));
            int differing = 0;
            for (int y = 0; y < 32; ++y)
                for (int x = 0; x < 32; ++x)
                    differing += mine.pixel(x, y) != theirs.pixel(x, y);
            // A recolour or a small touch-up of another portrait is not a portrait of its own.
            QVERIFY2(differing > 100,
                     qPrintable(QStringLiteral("only %1 pixels differ from %2").arg(differing).arg(other)));
        }
    }

    void embedsExactlyTheTwenty()
    {
        QStringList expected;
        for (int id = 101; id <= 120; ++id)
            expected << QStringLiteral("%1.bmp").arg(id);
        QCOMPARE(QDir(QStringLiteral(":/bitmaps")).entryList(QDir::Files, QDir::Name), expected);
    }
};

QTEST_MAIN(TestBitmaps)
#include "tst_bitmaps.moc"
