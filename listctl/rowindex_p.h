// SPDX-License-Identifier: BSD-3-Clause
// The order of a list's items: row to storage slot, in blocks, so that inserting or removing at
// any row moves at most one block's entries. Beside each slot sits a short key of its text, so
// that sorted inserts and searches mostly read these blocks instead of texts all over memory.
#pragma once

#include <QStringView>
#include <QtEndian>
#include <QtGlobal>

#include <algorithm>
#include <bit>
#include <vector>

#if defined(__SSE2__) && (defined(__x86_64__) || defined(_M_X64))
#include <emmintrin.h>
#define KVLISTEX_KEY_SSE2 1
#endif

namespace KvListEx {

class RowIndex {
public:
    // The first eight letters of a text, folded as Qt folds ASCII for a case-insensitive compare,
    // one byte each, the first in the highest byte; 0 past the end of a shorter text. From the
    // first letter outside ASCII (or a NUL) on, every byte is 0xFF: unknown.
    static quint64 keyOf(QStringView text)
    {
        const qsizetype n = std::min<qsizetype>(text.size(), 8);
        const char16_t *u = text.utf16();
        quint64 key = 0;
        qsizetype i = 0;
        for (; i < n; ++i) {
            const char16_t c = u[i];
            if (char16_t(c - 1) >= 127) // NUL or outside ASCII
                break;
            key = key << 8 | (c | (char16_t(c - u'A') < 26 ? 0x20 : 0));
        }
        if (i == 0)
            return n ? ~quint64(0) : 0;
        const int rest = int(8 * (8 - i));
        if (rest == 0)
            return key;
        return key << rest | (i < n ? ~quint64(0) >> (64 - rest) : 0);
    }

    // -1 or 1 when two keys alone order their texts as a case-insensitive compare does; 0 when
    // only the texts can tell.
    static int keyOrder(quint64 a, quint64 b)
    {
        if (a == b)
            return 0;
        const int shift = 56 - (std::countl_zero(a ^ b) & ~7);
        const quint64 ba = (a >> shift) & 0xFF, bb = (b >> shift) & 0xFF;
        if (ba == 0xFF || bb == 0xFF)
            return 0;
        return ba < bb ? -1 : 1;
    }

    // How many bytes of a key, from the first, are known.
    static int knownBytes(quint64 key)
    {
        for (int i = 0; i < 8; ++i)
            if (((key >> (56 - 8 * i)) & 0xFF) == 0xFF)
                return i;
        return 8;
    }

    struct Entry {
        quint32 slot;
        quint64 key;
    };

    qint32 size() const { return m_size; }

    quint32 at(qint32 row) const
    {
        const auto [b, o] = locate(row);
        return m_blocks[b].ids[o];
    }

    void setKey(qint32 row, quint64 key)
    {
        const auto [b, o] = locate(row);
        m_blocks[b].keys[o] = key;
    }

    void insert(qint32 row, Entry entry)
    {
        // Appending fills blocks to the brim: a list filled in order stays compact.
        if (row == m_size)
            return append(entry);
        const auto [b, o] = locate(row);
        Block &block = m_blocks[b];
        block.ids.insert(block.ids.begin() + qsizetype(o), entry.slot);
        block.keys.insert(block.keys.begin() + qsizetype(o), entry.key);
        ++m_size;
        for (size_t i = b + 1; i < m_first.size(); ++i)
            ++m_first[i];
        if (block.ids.size() > kBlock) {
            const qsizetype half = qsizetype(block.ids.size() / 2);
            Block tail;
            tail.ids.assign(block.ids.begin() + half, block.ids.end());
            tail.keys.assign(block.keys.begin() + half, block.keys.end());
            block.ids.resize(size_t(half));
            block.keys.resize(size_t(half));
            m_blocks.insert(m_blocks.begin() + qsizetype(b + 1), std::move(tail));
            m_first.insert(m_first.begin() + qsizetype(b + 1), m_first[b] + qint32(half));
        }
    }

    void append(Entry entry)
    {
        if (m_blocks.empty() || m_blocks.back().ids.size() >= kBlock) {
            m_blocks.emplace_back().reserve(kBlock);
            m_first.push_back(m_size);
        }
        Block &block = m_blocks.back();
        block.ids.push_back(entry.slot);
        block.keys.push_back(entry.key);
        ++m_size;
    }

    Entry take(qint32 row)
    {
        const auto [b, o] = locate(row);
        Block &block = m_blocks[b];
        const Entry entry{block.ids[o], block.keys[o]};
        block.ids.erase(block.ids.begin() + qsizetype(o));
        block.keys.erase(block.keys.begin() + qsizetype(o));
        --m_size;
        for (size_t i = b + 1; i < m_first.size(); ++i)
            --m_first[i];
        if (block.ids.empty()) {
            m_blocks.erase(m_blocks.begin() + qsizetype(b));
            m_first.erase(m_first.begin() + qsizetype(b));
        }
        return entry;
    }

    void clear()
    {
        m_blocks.clear();
        m_first.clear();
        m_size = 0;
    }

    std::vector<Entry> toVector() const
    {
        std::vector<Entry> all;
        all.reserve(size_t(m_size));
        for (const Block &block : m_blocks)
            for (size_t i = 0; i < block.ids.size(); ++i)
                all.push_back({block.ids[i], block.keys[i]});
        return all;
    }

    void assign(const std::vector<Entry> &order)
    {
        clear();
        for (size_t at = 0; at < order.size(); at += kBlock) {
            const size_t end = std::min(order.size(), at + kBlock);
            Block &block = m_blocks.emplace_back();
            block.reserve(end - at);
            for (size_t i = at; i < end; ++i) {
                block.ids.push_back(order[i].slot);
                block.keys.push_back(order[i].key);
            }
            m_first.push_back(qint32(at));
        }
        m_size = qint32(order.size());
    }

    // The first row for which before(key, slot) is false, where it is true for every row before
    // that one and false for every row after it (a binary search over the rows).
    template <typename Before> qint32 partitionPoint(Before &&before) const
    {
        const auto lastBefore = [&](const Block &block) {
            return before(block.keys.back(), block.ids.back());
        };
        const auto blockAt = std::partition_point(m_blocks.begin(), m_blocks.end(), lastBefore);
        if (blockAt == m_blocks.end())
            return m_size;
        const size_t b = size_t(blockAt - m_blocks.begin());
        const Block &block = *blockAt;
        size_t lo = 0, hi = block.ids.size();
        while (lo < hi) {
            const size_t mid = lo + (hi - lo) / 2;
            if (before(block.keys[mid], block.ids[mid]))
                lo = mid + 1;
            else
                hi = mid;
        }
        return m_first[b] + qint32(lo);
    }

    // Calls test(slot) for rows from..to-1 in order whose keys may belong to a matching text:
    // (key & mask) == value, or unknown where the mask's lowest byte is. The first row it
    // accepts, or -1. A mask of 0 tries every row.
    template <typename Test>
    qint32 find(qint32 from, qint32 to, Test &&test, quint64 mask = 0, quint64 value = 0) const
    {
        if (from >= to)
            return -1;
        const int unknownShift = mask ? std::countr_zero(mask) : 0;
        auto [b, o] = locate(from);
        qint32 row = from;
        for (; b < m_blocks.size(); ++b, o = 0) {
            const Block &block = m_blocks[b];
            const size_t n = std::min(block.ids.size(), o + size_t(to - row));
            for (; o < n; ++o, ++row) {
                const quint64 key = block.keys[o];
                if ((key & mask) != value && ((key >> unknownShift) & 0xFF) != 0xFF)
                    continue;
                if (test(block.ids[o]))
                    return row;
            }
            if (row >= to)
                return -1;
        }
        return -1;
    }

private:
    static constexpr size_t kBlock = 2048;
    struct Block {
        std::vector<quint32> ids;
        std::vector<quint64> keys;
        void reserve(size_t n)
        {
            ids.reserve(n);
            keys.reserve(n);
        }
    };
    struct Place {
        size_t block;
        size_t offset;
    };

    Place locate(qint32 row) const
    {
        const auto it = std::upper_bound(m_first.begin(), m_first.end(), row);
        const size_t b = size_t(it - m_first.begin()) - 1;
        return {b, size_t(row - m_first[b])};
    }

    std::vector<Block> m_blocks;
    std::vector<qint32> m_first; // the first row of each block
    qint32 m_size = 0;
};

// RowIndex::keyOf() for a text whose storage may be read for eight letters, past its end if it
// is shorter: a bulk fill keys a million texts, eight letters at once where the processor can.
inline quint64 keyOfPadded(const char16_t *text, qsizetype size)
{
#ifdef KVLISTEX_KEY_SSE2
    const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i *>(text));
    // Unsigned 16-bit compares, as signed ones on values flipped at the top bit.
    const __m128i top = _mm_set1_epi16(short(0x8000));
    const auto below = [&](__m128i v, short from, short limit) {
        return _mm_cmplt_epi16(_mm_xor_si128(_mm_sub_epi16(v, _mm_set1_epi16(from)), top),
                               _mm_set1_epi16(short(0x8000 | limit)));
    };
    const __m128i ascii = below(c, 1, 127); // not NUL, not past ASCII
    const __m128i upper = below(c, 'A', 26);
    const __m128i folded = _mm_or_si128(c, _mm_and_si128(upper, _mm_set1_epi16(0x20)));
    // Letter i in byte i, from the lowest.
    const quint64 bytes = quint64(_mm_cvtsi128_si64(_mm_packus_epi16(folded, folded)));
    const int n = int(std::min<qsizetype>(size, 8));
    const unsigned unknown = ~unsigned(_mm_movemask_epi8(_mm_packs_epi16(ascii, ascii))) & ((1u << n) - 1);
    const int known = unknown ? std::countr_zero(unknown) : n;
    const quint64 rest = known == 8 ? 0 : ~quint64(0) >> (8 * known);
    return (qbswap(bytes) & ~rest) | (known < n ? rest : 0);
#else
    return RowIndex::keyOf(QStringView(text, size));
#endif
}

} // namespace KvListEx
