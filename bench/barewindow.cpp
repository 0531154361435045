// SPDX-License-Identifier: BSD-3-Clause
// The yardstick for start-up: a bare Qt window with one label.
#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("Hello"));
    label.resize(457, 380);
    label.show();
    return app.exec();
}
