// SPDX-License-Identifier: BSD-3-Clause
// ListEx's private part, shared by the files that implement it.
#pragma once

#include "listex.h"
#include "listexdelegate.h"
#include "listexmodel.h"

#include <QAccessible>
#include <QElapsedTimer>
#include <QHash>
#include <QPointer>

namespace KvListEx {

class ListExPrivate {
public:
    explicit ListExPrivate(ListEx *list)
        : q(list)
    {
    }
    static ListExPrivate *get(ListEx *list) { return list->d.get(); }

    // The list's background outside the rows follows its ground colour.
    void applyBackground();
    bool acceptPixels(const char *setter, int px) const;
    void setPixels(const char *setter, int ListExDelegate::Appearance::*field, int px);
    void setColor(QColor ListExDelegate::Appearance::*field, const QColor &color);
    void setAppearance(const ListExDelegate::Appearance &appearance);

    // Rows of the item model and of the model the view shows.
    QModelIndex viewIndex(int row) const;
    int itemRow(const QModelIndex &viewIndex) const;
    bool shown(int viewRow) const;
    // The first view row from `from` whose text matches, skipping rows not shown or disabled.
    int findViewRow(const QString &text, Qt::MatchFlags flags, int from, bool enabledOnly) const;
    void watch(QAbstractItemModel *shownModel);
    // Rows are one height, the fast path, until an item has a font of its own.
    void noticeOwnFonts(int first, int last);
    void ownFontFound();
    static constexpr int kOwnFontScan = 4096;
    // The current row is told again when rows move under it, or when it goes.
    void followCurrent();
    // Back to the list's own model, when the proxy it showed is gone or no longer maps its items.
    void showOwnItems();
    bool showOwnItemsIfLost(); // true when it had to
    void show(QAbstractItemModel *shownModel);
    void unwatch();
    bool mapsOwnItems(const QAbstractItemModel *shownModel) const;

    // Screen-reader handles of the rows, made when asked for and dropped when rows move.
    QAccessibleInterface *accessibleRow(int row);
    void forgetAccessibleRows();

    ListEx *const q;
    ListExModel *model = nullptr;
    ListExDelegate *delegate = nullptr;
    QList<QMetaObject::Connection> watching;
    QHash<int, QAccessible::Id> accessibleRows;
    int lastCurrentRow = -1;
    // While rows are being removed, the view moves the current item to its neighbour, whose row
    // is about to change: the new row is told once the rows are gone.
    bool removing = false;
    bool currentPending = false;
    // While the list goes back to its own items, the view's passing states are not told.
    bool swapping = false;
    bool selectionPending = false;
    bool selectedBeforeReset = false;
    bool layoutPending = false;
    bool layoutMayWait = false; // set while the timer or a paint asks for the layout
    quint64 inserted = 0;       // rows inserted so far
    quint64 insertedSeen = 0;   // as counted when a layout last looked
    QElapsedTimer clock;        // the times below are ns on it
    qint64 eventAt = 0;         // the start of the event being handled
    qint64 rowsSeenAt = -1;     // the start of the event in which a layout last found new rows
    quint64 turn = 0;           // turns of the event loop so far
    quint64 rowsSeenTurn = 0;   // the turn in which a layout last found new rows
    qint64 laidOutAt = -1;      // the last layout
    qint64 layoutCost = 0;      // ns, of the last layout
    qint64 paintCost = 0;       // ns, of the last paint of the rows
    bool ownFonts = false;
    bool focusing = false;
    QString typed;
    QElapsedTimer typedAt;
};

// Makes screen readers see a ListEx through its own interface (once per program).
void installListExAccessibility();

} // namespace KvListEx
