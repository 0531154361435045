// SPDX-License-Identifier: BSD-3-Clause
// A form with a ListEx, made the two ways a program makes one: the code uic writes, and QUiLoader
// with the Designer plugin. Both give a list with what the form sets.
#include "ui_everyproperty.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QPluginLoader>
#include <QUiLoader>
#include <QtTest>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

#include <memory>

class FormsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void formSetsProperty_data();
    void formSetsProperty();
    void loadedListIsEmptyForTheProgramToFill();
    void pluginsNewListLoadsAsAListEx();

private:
    QUiLoader m_loader;
    std::unique_ptr<QWidget> m_loaded;
    QWidget m_compiled;
    Ui::EveryPropertyForm m_ui;
};

void FormsTest::initTestCase()
{
    m_ui.setupUi(&m_compiled);
    m_loader.clearPluginPaths(); // this build's plugin, not one installed on the machine
    m_loader.addPluginPath(QStringLiteral(KV_DESIGNER_PLUGINS));
    QVERIFY2(m_loader.availableWidgets().contains(QStringLiteral("KvListEx::ListEx")),
             qPrintable(m_loader.availableWidgets().join(u' ')));
    QFile form(QStringLiteral(KV_FORM));
    QVERIFY(form.open(QIODevice::ReadOnly));
    m_loaded.reset(m_loader.load(&form));
    QVERIFY2(m_loaded, qPrintable(m_loader.errorString()));
}

void FormsTest::formSetsProperty_data()
{
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<QVariant>("value");
    QTest::newRow("backColor") << QByteArray("backColor") << QVariant(QColor(255, 255, 192));
    QTest::newRow("selBackColor") << QByteArray("selBackColor") << QVariant(QColor(128, 255, 128));
    QTest::newRow("selForeColor") << QByteArray("selForeColor") << QVariant(QColor(0, 0, 192));
    QTest::newRow("transpColor") << QByteArray("transpColor") << QVariant(QColor(0, 255, 0));
    QTest::newRow("textLeft") << QByteArray("textLeft") << QVariant(5);
    QTest::newRow("pictLeft") << QByteArray("pictLeft") << QVariant(3);
    QTest::newRow("pictTop") << QByteArray("pictTop") << QVariant(1);
    QTest::newRow("pictWidth") << QByteArray("pictWidth") << QVariant(24);
    QTest::newRow("pictHeight") << QByteArray("pictHeight") << QVariant(20);
    QTest::newRow("itemHeight") << QByteArray("itemHeight") << QVariant(28);
    QTest::newRow("itemStyle, an enum named with its class")
        << QByteArray("itemStyle") << QVariant(int(KvListEx::ListEx::LargeColorRect));
    QTest::newRow("sortingEnabled") << QByteArray("sortingEnabled") << QVariant(true);
}

void FormsTest::formSetsProperty()
{
    QFETCH(QByteArray, property);
    QFETCH(QVariant, value);
    // Enums compare by number: the loaded list may come with its own copy of the type (static builds).
    auto read = [&](QObject *list) {
        const QVariant v = list->property(property);
        return v.metaType().flags() & QMetaType::IsEnumeration ? QVariant(v.toInt()) : v;
    };
    QCOMPARE(read(m_ui.list), value);
    auto *loaded = m_loaded->findChild<QWidget *>(QStringLiteral("list"));
    QVERIFY(loaded);
    QCOMPARE(read(loaded), value);
}

// At run time the plugin makes the bare control; the sample rows are for Designer's canvas only.
void FormsTest::loadedListIsEmptyForTheProgramToFill()
{
    auto *list = m_loaded->findChild<QAbstractItemView *>(QStringLiteral("list"));
    QVERIFY(list);
    QCOMPARE(list->metaObject()->className(), "KvListEx::ListEx");
    QCOMPARE(list->model()->rowCount(), 0);
    QCOMPARE(list->property("currentRow").toInt(), -1);
}

// What Designer puts on a form when the list is dragged there loads again, as a ListEx of the
// plugin's size, and the header it names is the one programs include.
void FormsTest::pluginsNewListLoadsAsAListEx()
{
    QDesignerCustomWidgetInterface *plugin = nullptr;
    const QDir folder(QStringLiteral(KV_DESIGNER_PLUGINS));
    for (const QString &file : folder.entryList(QDir::Files)) {
        QPluginLoader loader(folder.filePath(file));
        if (auto *found = qobject_cast<QDesignerCustomWidgetInterface *>(loader.instance()))
            plugin = found;
    }
    QVERIFY(plugin);
    QCOMPARE(plugin->name(), QStringLiteral("KvListEx::ListEx"));
    QVERIFY(!plugin->icon().isNull());
    QVERIFY(QFile::exists(QStringLiteral(KV_INCLUDE_DIR "/") + plugin->includeFile()));

    QByteArray xml = plugin->domXml().toUtf8();
    QBuffer buffer(&xml);
    std::unique_ptr<QWidget> made(m_loader.load(&buffer));
    QVERIFY2(made, qPrintable(m_loader.errorString()));
    QCOMPARE(made->metaObject()->className(), "KvListEx::ListEx");
    QVERIFY(made->width() > 0 && made->height() > 0);
}

QTEST_MAIN(FormsTest)
#include "tst_forms.moc"
