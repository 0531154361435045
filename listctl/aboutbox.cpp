// SPDX-License-Identifier: BSD-3-Clause
// The control's own About box.
#include "listex.h"

#include <QMessageBox>

namespace KvListEx {

void ListEx::AboutBox()
{
    QMessageBox box(QMessageBox::Information, tr("About ListEx"), tr("KvListEx ListEx %1").arg(Version()),
                    QMessageBox::Ok, window());
    box.setObjectName(QStringLiteral("ListExAboutBox"));
    box.setInformativeText(tr("An extended list box: items with pictures, colours, fonts and descriptions."
                              "\n\nQt %1, device pixel ratio %2")
                               .arg(QString::fromLatin1(qVersion()))
                               .arg(devicePixelRatioF()));
    box.exec();
}

} // namespace KvListEx
