// SPDX-License-Identifier: BSD-3-Clause
// A program that only links the library gets its texts in the user's language, and an Arabic
// locale lays it out right to left. CTest runs it under a German and under an Arabic locale.
#include <KvListEx/classic.h>

#include <QApplication>
#include <QLocale>
#include <QMap>
#include <QTranslator>
#include <QtTest>

class TranslationsTest : public QObject {
    Q_OBJECT
private slots:
    void textsAndDirectionFollowTheLocale()
    {
        const KvListEx::ListEx list;
        // The library's name of the palette's Window role, in each language it is run under.
        const QMap<QLocale::Language, QString> window{{QLocale::German, QStringLiteral("Fenster")},
                                                      {QLocale::Arabic, QStringLiteral("نافذة")}};
        QVERIFY2(window.contains(QLocale().language()), qPrintable(QLocale().name()));
        QCOMPARE(QCoreApplication::translate("KvListEx::ListEx", "Window"),
                 window.value(QLocale().language()));
        QCOMPARE(list.layoutDirection(), QLocale().textDirection());
    }

    // Names the library gave items change with the language.
    void systemColourNamesFollowALanguageChange()
    {
        KvListEx::Classic::ListEx list;
        list.AddSystemColors();
        QCOMPARE(list.item(0).text(), QCoreApplication::translate("KvListEx::ListEx", "Window"));
        struct Shouting : QTranslator {
            bool isEmpty() const override { return false; }
            QString translate(const char *, const char *source, const char *, int) const override
            {
                return QString::fromLatin1(source).toUpper();
            }
        } shouting;
        QCoreApplication::installTranslator(&shouting);
        QCoreApplication::processEvents();
        QCoreApplication::removeTranslator(&shouting);
        QCOMPARE(list.item(0).text(), QStringLiteral("WINDOW"));
    }
};

QTEST_MAIN(TranslationsTest)
#include "tst_translations.moc"
