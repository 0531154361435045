// SPDX-License-Identifier: BSD-3-Clause
// The program's name, version and desktop id as the desktop reads them: the project's version, the
// id its desktop entry is installed under.
#include "application.h"

#include <QtTest>

class IdentityTest : public QObject {
    Q_OBJECT
private slots:
    void versionIsTheProjectVersion()
    {
        QCOMPARE(QCoreApplication::applicationVersion(), QStringLiteral(KV_PROJECT_VERSION));
        QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("KvListExDemo"));
        QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral(KV_APP_ID));
    }
};

int main(int argc, char *argv[])
{
    Application app(argc, argv);
    IdentityTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_identity.moc"
