// The items of one ListEx, as a Qt list model.
#pragma once

#include "listex.h"

#include <QAbstractListModel>
#include <QHash>

#include <optional>
#include <vector>

namespace KvListEx {

struct ListItem::Extra {
    QString description;
    std::optional<QFont> font;
    qint32 fontType = kvVectorFont;
    qint8 drawsOwnName = -1; // font items: can the face draw its own name? -1 unknown
};

struct ListSettings;

enum ItemRole {
    ItemColorRole = Qt::UserRole + 1,
    BackColorRole,
    FontTypeRole,
    ItemEnabledRole,
};

class ListExModel : public QAbstractListModel {
    Q_OBJECT
public:
    ListExModel(const ListSettings *settings, QObject *parent);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // Appends without telling the views at once: appends made in a row are announced together
    // by flush(), which every public entry point and the event loop run.
    void append(ListItem &&item, QStringView text);
    void insert(qint32 row, ListItem &&item, QStringView text);
    // The sorted place for a text: after every item that does not sort after it.
    qint32 sortedRow(QStringView text) const;
    void flush();
    void clear();
    void refreshAll();

    qint32 count() const { return qint32(m_items.size()); }
    ListItem &item(qint32 row);
    const ListItem &item(qint32 row) const;
    const std::vector<ListItem> &items() const { return m_items; }

    QStringView text(const ListItem &item) const
    {
        // Never a null view: Qt's searches tell a null text from an empty one.
        if (m_texts.isNull())
            return QStringView(u"");
        return QStringView(m_texts).sliced(item.m_textAt, item.m_textSize);
    }
    qint32 pictureIndex(const QPixmap &picture);
    QPixmap picture(const ListItem &item) const;
    // The font an item is drawn in: its own, or the list's.
    QFont font(const ListItem &item) const;
    const ListSettings &settings() const { return *m_settings; }

private:
    void storeText(ListItem &item, QStringView text);

    const ListSettings *m_settings;
    std::vector<ListItem> m_items;
    // Every item's text, end to end: one allocation for the list instead of one per item.
    QString m_texts;
    qint32 m_announced = 0; // rows the views know of
    bool m_flushQueued = false;
    QList<QPixmap> m_pictures; // shared by all items that show the same picture
    QHash<qint64, qint32> m_pictureByKey;
};

} // namespace KvListEx
