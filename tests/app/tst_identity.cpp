// The program's name and version as the desktop reads them: the version is the project's.
#include "application.h"

#include <QtTest>

class IdentityTest : public QObject {
    Q_OBJECT
private slots:
    void versionIsTheProjectVersion()
    {
        QCOMPARE(QCoreApplication::applicationVersion(), QStringLiteral(KV_PROJECT_VERSION));
        QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("KvListExDemo"));
    }
};

int main(int argc, char *argv[])
{
    Application app(argc, argv);
    IdentityTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_identity.moc"
