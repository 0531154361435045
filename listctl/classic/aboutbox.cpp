// SPDX-License-Identifier: BSD-3-Clause
// The control's own About box.
#include "classic.h"

#include <QCoreApplication>

#include <QMessageBox>

namespace KvListEx::Classic {

void ListEx::AboutBox()
{
    QMessageBox box(QMessageBox::Information, QCoreApplication::translate("KvListEx::ListEx", "About ListEx"),
                    QCoreApplication::translate("KvListEx::ListEx", "KvListEx ListEx %1").arg(Version()),
                    QMessageBox::Ok, window());
    box.setObjectName(QStringLiteral("ListExAboutBox"));
    box.setInformativeText(QCoreApplication::translate(
                               "KvListEx::ListEx",
                               "An extended list box: items with pictures, colours, fonts and descriptions."
                               "\n\nQt %1, device pixel ratio %2")
                               .arg(QString::fromLatin1(qVersion()))
                               .arg(devicePixelRatioF()));
    box.exec();
}

} // namespace KvListEx::Classic
