// SPDX-License-Identifier: BSD-3-Clause
// The order of a list's items: row to storage slot, in blocks, so that inserting or removing at
// any row moves at most one block's entries.
#pragma once

#include <QtGlobal>

#include <algorithm>
#include <vector>

namespace KvListEx {

class RowIndex {
public:
    qint32 size() const { return m_size; }

    quint32 at(qint32 row) const
    {
        const auto [b, o] = locate(row);
        return m_blocks[b][o];
    }

    void insert(qint32 row, quint32 slot)
    {
        if (m_blocks.empty() || (row == m_size && m_blocks.back().size() >= kBlock)) {
            // Appending fills blocks to the brim: a list filled in order stays compact.
            m_blocks.emplace_back().reserve(kBlock);
            m_first.push_back(m_size);
        }
        const auto [b, o] = row == m_size ? Place{m_blocks.size() - 1, m_blocks.back().size()} : locate(row);
        std::vector<quint32> &block = m_blocks[b];
        block.insert(block.begin() + qsizetype(o), slot);
        ++m_size;
        for (size_t i = b + 1; i < m_first.size(); ++i)
            ++m_first[i];
        if (block.size() > kBlock) {
            const size_t half = block.size() / 2;
            std::vector<quint32> tail(block.begin() + qsizetype(half), block.end());
            block.resize(half);
            m_blocks.insert(m_blocks.begin() + qsizetype(b + 1), std::move(tail));
            m_first.insert(m_first.begin() + qsizetype(b + 1), m_first[b] + qint32(half));
        }
    }

    quint32 take(qint32 row)
    {
        const auto [b, o] = locate(row);
        std::vector<quint32> &block = m_blocks[b];
        const quint32 slot = block[o];
        block.erase(block.begin() + qsizetype(o));
        --m_size;
        for (size_t i = b + 1; i < m_first.size(); ++i)
            --m_first[i];
        if (block.empty()) {
            m_blocks.erase(m_blocks.begin() + qsizetype(b));
            m_first.erase(m_first.begin() + qsizetype(b));
        }
        return slot;
    }

    void clear()
    {
        m_blocks.clear();
        m_first.clear();
        m_size = 0;
    }

    std::vector<quint32> toVector() const
    {
        std::vector<quint32> all;
        all.reserve(size_t(m_size));
        for (const auto &block : m_blocks)
            all.insert(all.end(), block.begin(), block.end());
        return all;
    }

    void assign(const std::vector<quint32> &order)
    {
        clear();
        for (size_t at = 0; at < order.size(); at += kBlock) {
            const size_t end = std::min(order.size(), at + kBlock);
            m_blocks.emplace_back(order.begin() + qsizetype(at), order.begin() + qsizetype(end));
            m_first.push_back(qint32(at));
        }
        m_size = qint32(order.size());
    }

    // Calls test(slot) for rows from..to-1 in order; the first row it accepts, or -1.
    template <typename Test> qint32 find(qint32 from, qint32 to, Test &&test) const
    {
        if (from >= to)
            return -1;
        auto [b, o] = locate(from);
        qint32 row = from;
        for (; b < m_blocks.size(); ++b, o = 0) {
            const std::vector<quint32> &block = m_blocks[b];
            for (; o < block.size(); ++o, ++row) {
                if (row >= to)
                    return -1;
                if (test(block[o]))
                    return row;
            }
        }
        return -1;
    }

private:
    static constexpr size_t kBlock = 2048;
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

    std::vector<std::vector<quint32>> m_blocks;
    std::vector<qint32> m_first; // the first row of each block
    qint32 m_size = 0;
};

} // namespace KvListEx
