// SPDX-License-Identifier: BSD-3-Clause
#include "resourcepictures.h"

#include <QString>

#include <stdexcept>

QPixmap LoadResPicture(int id)
{
    const QString path = QStringLiteral(":/bitmaps/%1.bmp").arg(id);
    QPixmap picture(path);
    if (picture.isNull())
        throw std::runtime_error("Resource with identifier '" + std::to_string(id) + "' not found (" +
                                 path.toStdString() + ")");
    return picture;
}
