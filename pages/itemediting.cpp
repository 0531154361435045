// SPDX-License-Identifier: BSD-3-Clause
// The Picture page's item controls: enable or underline an item by number, find an item,
// enable the whole list.
#include "checkvalue.h"
#include "frmmain.h"
#include "numbers.h"
#include "twips.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QMessageBox>

namespace {

constexpr qint16 kLastCharacter = 18;

void showInvalidIndex(QWidget *parent)
{
    QMessageBox box(QMessageBox::Critical, QStringLiteral("ERROR"), QStringLiteral("Invalid index!"),
                    QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("InvalidIndexBox"));
    // A window manager draws the title larger and bold, beside an icon and up to three buttons: a
    // box only as wide as "Invalid index!" gets its title elided.
    if (auto *grid = qobject_cast<QGridLayout *>(box.layout()))
        grid->addItem(new QSpacerItem(twips::toPx(3600), 0, QSizePolicy::Fixed, QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
    box.exec();
}

} // namespace

void frmMain::cmdItemChange_Click(qint16 Index)
{
    const QLineEdit *box = txtIndex.at(Index);
    const qint16 n = numbers::toInt16(numbers::textToNumber(box->text()));
    if (n < 0 || n > kLastCharacter) {
        showInvalidIndex(this);
        return;
    }
    if (Index == 0) {
        const bool enabled = ListEx3->ListItems().Item(n).Enabled();
        ListEx3->ListItems().Item(n).SetEnabled(!enabled);
    } else {
        const bool underline = ListEx3->ListItems().Item(n).Font().underline();
        ListEx3->ListItems().Item(n).Font().setUnderline(!underline);
    }
    ListEx3->Refresh();
}

void frmMain::cmdFind_Click()
{
    const QLineEdit &box = *txtItem;
    const bool exact = isOn(checkValue(chkFind));
    const qint16 r = numbers::toInt16(ListEx3->FindItem(box, exact));
    if (r != -1)
        ListEx3->SetListIndex(r);
}

void frmMain::chkEnabled_Click()
{
    ListEx3->setEnabled(isOn(checkValue(chkEnabled)));
}

void frmMain::txtIndex_KeyPress(qint16 Index, int &KeyAscii)
{
    Q_UNUSED(Index);
    if (KeyAscii >= 32 && !(KeyAscii >= '0' && KeyAscii <= '9'))
        KeyAscii = 0;
}
