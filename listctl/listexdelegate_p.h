// Draws the items of a ListEx in its five styles.
#pragma once

#include <QHash>
#include <QStyledItemDelegate>

#include <functional>

namespace KvListEx {

class ListEx;
class ListExModel;
class ListItem;
struct ListSettings;

class ListExDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    static constexpr int kLargeMargin = 3; // around the large swatch and picture
    static constexpr int kFontItemGap = 4; // font height to item height, when derived

    ListExDelegate(const ListEx *view, const ListExModel *model, const ListSettings *settings,
                   const qint32 *listIndex, QObject *parent);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    // Every item has the list's one height; no item's font is measured.
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    int itemHeight() const;

    // Whether an item's own face can draw its text (it loads the face).
    bool drawsOwnName(const ListItem &item) const;
    // Called with a row whose face is not looked at yet; without it faces load while painting.
    void setFaceWanted(std::function<void(int)> wanted) { m_faceWanted = std::move(wanted); }

    // Forgets cached pictures (after the transparent colour or the items changed).
    void clearCache() { m_masked.clear(); }

private:
    QPixmap transparent(const QPixmap &picture) const;
    QFont drawingFont(const ListItem &item, int row) const;
    void drawPicture(QPainter *painter, const QRect &box, const ListItem &item, bool dim) const;

    const ListEx *m_view;
    const ListExModel *m_model;
    const ListSettings *m_settings;
    const qint32 *m_listIndex;
    mutable QHash<qint64, QPixmap> m_masked;
    std::function<void(int)> m_faceWanted;
};

} // namespace KvListEx
