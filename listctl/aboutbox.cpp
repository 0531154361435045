// The control's own About box.
#include "listex.h"

#include <QMessageBox>
#include <QScreen>

namespace KvListEx {

void ListEx::AboutBox()
{
    QMessageBox box(QMessageBox::Information, QStringLiteral("About ListEx"),
                    QStringLiteral("KvListEx ListEx %1").arg(Version()), QMessageBox::Ok, window());
    box.setObjectName(QStringLiteral("ListExAboutBox"));
    box.setInformativeText(QStringLiteral("An extended list box: items with pictures, colours, fonts and "
                                          "descriptions.\n\nQt %1, device pixel ratio %2")
                               .arg(QString::fromLatin1(qVersion()))
                               .arg(devicePixelRatioF()));
    box.setIconPixmap(QPixmap());
    box.exec();
}

} // namespace KvListEx
