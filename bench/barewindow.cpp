// The yardstick for start-up: a bare Qt window with one label.
#include "firstframe.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("Hello"));
    label.resize(457, 380);
    firstframe::watchIfAsked(&label);
    label.show();
    return app.exec();
}
