// SPDX-License-Identifier: BSD-3-Clause
// The program icon as embedded: three images of fixed sizes and depths, standard palettes,
// transparent ground.
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QSet>
#include <QtEndian>
#include <QtTest>

namespace {

const QString kPath = QStringLiteral(":/icons/KvListExDemo.ico");

const QList<QRgb> kVga16 = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0x808080,
                            0xC0C0C0, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
const QList<QRgb> kMono = {0x000000, 0xFFFFFF};

QByteArray iconBytes()
{
    QFile f(kPath);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

quint32 u32(const QByteArray &b, qsizetype at)
{
    return qFromLittleEndian<quint32>(b.constData() + at);
}
quint16 u16(const QByteArray &b, qsizetype at)
{
    return qFromLittleEndian<quint16>(b.constData() + at);
}

} // namespace

class TestIcon : public QObject {
    Q_OBJECT

private slots:
    void directory()
    {
        const QByteArray b = iconBytes();
        QCOMPARE(b.size(), 6 + 3 * 16 + 304 + 744 + 296);
        QCOMPARE(u16(b, 0), quint16(0));
        QCOMPARE(u16(b, 2), quint16(1)); // icon, not cursor
        QCOMPARE(u16(b, 4), quint16(3));
        quint32 next = 6 + 3 * 16;
        for (int i = 0; i < 3; ++i) { // images follow one another without gaps
            QCOMPARE(u32(b, 6 + 16 * i + 12), next);
            next += u32(b, 6 + 16 * i + 8);
        }
        QCOMPARE(next, quint32(b.size()));
    }

    void image_data()
    {
        QTest::addColumn<int>("entry");
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("bits");
        QTest::addColumn<int>("bytes");
        QTest::newRow("30001 32x32 black and white") << 0 << 32 << 1 << 304;
        QTest::newRow("30002 32x32 16 colours") << 1 << 32 << 4 << 744;
        QTest::newRow("30003 16x16 16 colours") << 2 << 16 << 4 << 296;
    }
    void image()
    {
        QFETCH(int, entry);
        QFETCH(int, size);
        QFETCH(int, bits);
        QFETCH(int, bytes);
        const QByteArray b = iconBytes();
        QCOMPARE(b.size(), 1398);
        const int e = 6 + 16 * entry;
        QCOMPARE(int(uchar(b[e])), size);
        QCOMPARE(int(uchar(b[e + 1])), size);
        QCOMPARE(int(uchar(b[e + 2])), bits == 1 ? 2 : 16); // colour count
        QCOMPARE(u16(b, e + 6), quint16(bits));
        QCOMPARE(int(u32(b, e + 8)), bytes);

        const qsizetype at = u32(b, e + 12);
        QCOMPARE(u32(b, at), 40u);
        QCOMPARE(int(u32(b, at + 4)), size);
        QCOMPARE(int(u32(b, at + 8)), 2 * size); // colour mask and transparency mask
        QCOMPARE(u16(b, at + 12), quint16(1));
        QCOMPARE(u16(b, at + 14), quint16(bits));
        QCOMPARE(u32(b, at + 16), 0u);

        const QList<QRgb> &palette = bits == 1 ? kMono : kVga16;
        for (int i = 0; i < palette.size(); ++i) {
            const char *q = b.constData() + at + 40 + 4 * i;
            QCOMPARE(quint32(uchar(q[2]) << 16 | uchar(q[1]) << 8 | uchar(q[0])), palette[i]);
        }
        const qsizetype xorAt = at + 40 + 4 * palette.size();
        const int xorStride = size * bits / 8;
        const int andStride = 4; // rows of the 1-bit mask are padded to 32 bits
        QCOMPARE(xorAt + size * xorStride + size * andStride, at + bytes);

        QSet<QRgb> visible;
        int transparent = 0;
        for (int row = 0; row < size; ++row) {
            for (int x = 0; x < size; ++x) {
                const bool clear =
                    uchar(b[xorAt + size * xorStride + row * andStride + x / 8]) >> (7 - x % 8) & 1;
                const uchar v = uchar(b[xorAt + row * xorStride + x * bits / 8]);
                const int index = bits == 1 ? v >> (7 - x % 8) & 1 : (x % 2 ? v & 0x0F : v >> 4);
                if (clear) {
                    QCOMPARE(index, 0); // a clear pixel draws nothing over the desktop
                    ++transparent;
                } else {
                    visible << palette[index];
                }
                if ((x == 0 || x == size - 1) && (row == 0 || row == size - 1))
                    QVERIFY2(clear, "the corners are transparent");
            }
        }
        QVERIFY(transparent > size * size / 5);
        // A white window with a black outline; in colour also the cyan title strip and the grey
        // shadow.
        QSet<QRgb> expected = {0x000000, 0xFFFFFF};
        if (bits == 4)
            expected << 0x00FFFF << 0x808080;
        QCOMPARE(visible, expected);
    }

    void qtLoadsEverySize()
    {
        const QIcon icon(kPath);
        QVERIFY(!icon.isNull());
        QImageReader reader(kPath);
        QCOMPARE(reader.imageCount(), 3);
        const QList<QSize> sizes = icon.availableSizes();
        QVERIFY(sizes.contains(QSize(32, 32)));
        QVERIFY(sizes.contains(QSize(16, 16)));
        const QImage small = icon.pixmap(QSize(16, 16)).toImage();
        QCOMPARE(small.size(), QSize(16, 16));
        QCOMPARE(qAlpha(small.pixel(0, 15)), 0);
    }
};

QTEST_MAIN(TestIcon)
#include "tst_icon.moc"
