// SPDX-License-Identifier: BSD-3-Clause
#include "resourcepictures.h"

#include <QFile>
#include <QIcon>
#include <QImage>
#include <QString>
#include <QtEndian>

#include <map>
#include <stdexcept>

namespace {

quint32 le32(const uchar *p)
{
    return qFromLittleEndian<quint32>(p);
}

quint16 le16(const uchar *p)
{
    return qFromLittleEndian<quint16>(p);
}

// One device-independent bitmap of the form the resources hold: 1, 4 or 8 bits a pixel with a
// colour table, uncompressed, bottom row first. An icon's image is twice as high: its colour
// pixels, then a 1-bit mask whose set bits are transparent. Decoded here because Qt's image
// reader loads every image plugin on its first use, which costs more than the window's first frame
// can spare. pixelsAt < 0: the pixels follow the colour table. A null image where it is malformed.
QImage decodeDib(QByteArrayView dib, qsizetype pixelsAt, bool iconMask)
{
    if (dib.size() < 40)
        return {};
    const auto *h = reinterpret_cast<const uchar *>(dib.data());
    const qsizetype tableAt = le32(h);
    const int width = qint32(le32(h + 4));
    const int height = qint32(le32(h + 8)) / (iconMask ? 2 : 1);
    const int bits = le16(h + 14);
    const qsizetype colours = le32(h + 32) ? qsizetype(le32(h + 32)) : qsizetype(1) << bits;
    if (tableAt < 40 || le32(h + 16) != 0 || width <= 0 || width > 256 || height <= 0 || height > 256 ||
        (bits != 1 && bits != 4 && bits != 8) || colours > (1 << bits))
        return {};
    if (pixelsAt < 0)
        pixelsAt = tableAt + 4 * colours;
    const qsizetype stride = (qsizetype(width) * bits + 31) / 32 * 4;
    const qsizetype maskAt = pixelsAt + stride * height;
    const qsizetype maskStride = (width + 31) / 32 * 4;
    if (tableAt + 4 * colours > dib.size() || maskAt + (iconMask ? maskStride * height : 0) > dib.size())
        return {};
    QImage image(width, height, iconMask ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        const uchar *row = h + pixelsAt + stride * (height - 1 - y);
        const uchar *mask = h + maskAt + maskStride * (height - 1 - y);
        auto *out = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int bit = x * bits;
            const int index = row[bit / 8] >> (8 - bits - bit % 8) & ((1 << bits) - 1);
            const uchar *c = h + tableAt + 4 * qMin<qsizetype>(index, colours - 1);
            const bool clear = iconMask && (mask[x / 8] >> (7 - x % 8) & 1);
            out[x] = clear ? qRgba(0, 0, 0, 0) : qRgb(c[2], c[1], c[0]);
        }
    }
    return image;
}

QByteArray resource(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

QPixmap LoadResPicture(int id)
{
    const QString path = QStringLiteral(":/bitmaps/%1.bmp").arg(id);
    const QByteArray bmp = resource(path);
    QImage image;
    if (bmp.size() > 14 && bmp.startsWith("BM"))
        image = decodeDib(QByteArrayView(bmp).sliced(14),
                          qsizetype(le32(reinterpret_cast<const uchar *>(bmp.data()) + 10)) - 14, false);
    if (image.isNull())
        throw std::runtime_error("Resource with identifier '" + std::to_string(id) + "' not found (" +
                                 path.toStdString() + ")");
    return QPixmap::fromImage(image);
}

QIcon programIcon()
{
    const QByteArray ico = resource(QStringLiteral(":/icons/KvListExDemo.ico"));
    const auto *d = reinterpret_cast<const uchar *>(ico.constData());
    const int count = ico.size() >= 6 ? le16(d + 4) : 0;
    std::map<int, std::pair<int, QImage>> bySize; // each size once, in its most colours
    for (int i = 0; i < count && 6 + 16 * (i + 1) <= ico.size(); ++i) {
        const uchar *entry = d + 6 + 16 * i;
        const qsizetype at = le32(entry + 12);
        const qsizetype size = le32(entry + 8);
        if (at < 0 || size <= 0 || at + size > ico.size())
            continue;
        const QImage image = decodeDib(QByteArrayView(ico).sliced(at, size), -1, true);
        const int bits = le16(entry + 6);
        auto &best = bySize[image.width()];
        if (!image.isNull() && bits > best.first)
            best = {bits, image};
    }
    QIcon icon;
    for (const auto &[size, image] : bySize)
        if (!image.second.isNull())
            icon.addPixmap(QPixmap::fromImage(image.second));
    return icon;
}
