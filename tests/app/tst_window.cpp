// SPDX-License-Identifier: BSD-3-Clause
// The main window as the user first meets it: pages, places, captions, focus and keys.
#include "controls.h"
#include "fonts.h"
#include "fontsandbox.h"
#include "frmmain.h"
#include "modalwatcher.h"
#include "twips.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>

class WindowTest : public QObject {
    Q_OBJECT
public:
    static void initMain() { useFontSandbox(); }

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void firstShowing();
    void pageVisibility_data();
    void pageVisibility();
    void focusOrderByTab_data();
    void focusOrderByTab();
    void placesInTabControlCoordinates_data();
    void placesInTabControlCoordinates();
    void controlsInsideTheirContainers();
    void captionsFit();
    void initialValues_data();
    void initialValues();
    void listsCreatedFromStoredProperties_data();
    void listsCreatedFromStoredProperties();
    void mnemonicsFromEveryPage_data();
    void mnemonicsFromEveryPage();
    void pickingATabRunsNoHandler();
    void legendMatchesListBackground();

private:
    QWidget *child(const QString &name) const;
    QStringList tabCycle(QWidget *start, int presses) const;
    std::unique_ptr<frmMain> m_window;
};

void WindowTest::initTestCase()
{
    fonts::registerSubstitutes();
    QApplication::setFont(fonts::layoutFont());
}

void WindowTest::init()
{
    m_window = std::make_unique<frmMain>();
    m_window->Form_Load();
    m_window->showCentred();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void WindowTest::cleanup()
{
    m_window.reset();
}

QWidget *WindowTest::child(const QString &name) const
{
    if (name == m_window->objectName())
        return m_window.get();
    return m_window->findChild<QWidget *>(name);
}

// The focus widget's control name after each Tab press; the tab strip counts as SSTab1.
QStringList WindowTest::tabCycle(QWidget *start, int presses) const
{
    start->setFocus(Qt::TabFocusReason);
    QStringList names;
    for (int i = 0; i < presses; ++i) {
        QWidget *focus = QApplication::focusWidget();
        names << (qobject_cast<QTabBar *>(focus) ? QStringLiteral("SSTab1") : focus->objectName());
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    return names;
}

void WindowTest::firstShowing()
{
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Kv Extended ListBox Control"));
    QCOMPARE(m_window->SSTab1->currentIndex(), 0);
    QCOMPARE(m_window->SSTab1->count(), 3);
    QCOMPARE(m_window->SSTab1->tabText(0), QStringLiteral("Font"));
    QCOMPARE(m_window->SSTab1->tabText(1), QStringLiteral("Color"));
    QCOMPARE(m_window->SSTab1->tabText(2), QStringLiteral("Picture"));
    QCOMPARE(QApplication::focusWidget(), m_window->ListEx1);
    QVERIFY(!(m_window->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(m_window->windowFlags() & Qt::WindowMinimizeButtonHint);
    QCOMPARE(m_window->frameGeometry().size(), frmMain::outerSize());
    QVERIFY(m_window->width() >= frmMain::clientSize().width());
    QVERIFY(m_window->height() >= frmMain::clientSize().height());
    const frmMain unshown; // the icon is there before the window is first shown
    QCOMPARE(unshown.windowIcon().availableSizes(), (QList<QSize>{{16, 16}, {32, 32}}));
    // Each list's first item is selected once the window loads.
    QCOMPARE(m_window->ListEx1->ListIndex(), 0);
    QCOMPARE(m_window->ListEx2->ListIndex(), 0);
    QCOMPARE(m_window->ListEx3->ListIndex(), 0);
}

void WindowTest::pageVisibility_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QStringList>("hidden");
    const QStringList font{"ListEx1", "chkFont(0)", "chkFont(3)", "lblFontType", "lblFontSample"};
    const QStringList color{"ListEx2", "Frame1", "optColors(1)", "optStyle(0)", "Label6", "lblColor"};
    const QStringList picture{"ListEx3", "Shape1(0)",  "cmdItemChange(1)", "txtIndex(0)",
                              "cmdFind", "chkEnabled", "lblDescr"};
    QTest::newRow("Font") << 0 << font << color + picture;
    QTest::newRow("Color") << 1 << color << font + picture;
    QTest::newRow("Picture") << 2 << picture << font + color;
}

void WindowTest::pageVisibility()
{
    QFETCH(int, page);
    QFETCH(QStringList, shown);
    QFETCH(QStringList, hidden);
    QTest::mouseClick(m_window->SSTab1->tabBar(), Qt::LeftButton, {},
                      m_window->SSTab1->tabBar()->tabRect(page).center());
    QCOMPARE(m_window->SSTab1->currentIndex(), page);
    for (const QString &name : shown)
        QVERIFY2(child(name)->isVisible(), qPrintable(name));
    for (const QString &name : hidden)
        QVERIFY2(!child(name)->isVisible(), qPrintable(name));
    for (const char *name : {"SSTab1", "cmdAbout", "cmdExit"})
        QVERIFY(child(QString::fromLatin1(name))->isVisible());
}

void WindowTest::focusOrderByTab_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QStringList>("order");
    const QStringList shell{"SSTab1", "cmdAbout", "cmdExit"};
    QTest::newRow("Font") << 0
                          << QStringList{"ListEx1", "chkFont(0)", "chkFont(1)", "chkFont(2)", "chkFont(3)"} +
                                 shell;
    QTest::newRow("Color") << 1 << QStringList{"ListEx2", "optColors(0)", "optStyle(0)"} + shell;
    QTest::newRow("Picture") << 2
                             << QStringList{"ListEx3",          "cmdItemChange(0)", "txtIndex(0)",
                                            "cmdItemChange(1)", "txtIndex(1)",      "txtItem",
                                            "cmdFind",          "chkFind",          "chkEnabled"} +
                                    shell;
}

void WindowTest::focusOrderByTab()
{
    QFETCH(int, page);
    QFETCH(QStringList, order);
    m_window->SSTab1->setCurrentIndex(page);
    // Round the whole cycle and back to the start: the order wraps.
    const QStringList seen = tabCycle(child(order.first()), int(order.size()) + 1);
    QCOMPARE(seen, order + QStringList{order.first()});
}

void WindowTest::placesInTabControlCoordinates_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("container");
    QTest::addColumn<QRect>("twipsRect");
    QTest::addColumn<bool>("rightToLeft");
    // Page controls are laid out from the tab control's corner, tab strip included.
    QTest::newRow("check box on the Font page") << "chkFont(3)"
                                                << "SSTab1" << QRect(3600, 1680, 2535, 375) << false;
    QTest::newRow("swatch on the Color page") << "lblColor"
                                              << "SSTab1" << QRect(120, 3720, 6255, 735) << false;
    QTest::newRow("box on the Picture page") << "txtIndex(1)"
                                             << "SSTab1" << QRect(6000, 1485, 375, 285) << false;
    QTest::newRow("option inside a frame") << "optStyle(1)"
                                           << "Frame2" << QRect(240, 600, 1935, 255) << false;
    QTest::newRow("tab control on the window") << "SSTab1"
                                               << "frmMain" << QRect(120, 120, 6495, 4575) << false;
    QTest::newRow("button on the window") << "cmdExit"
                                          << "frmMain" << QRect(5400, 4800, 1215, 375) << false;
    // Right to left, each keeps its distance from the other edge.
    QTest::newRow("box on the Picture page, right to left")
        << "txtIndex(1)"
        << "SSTab1" << QRect(6000, 1485, 375, 285) << true;
    QTest::newRow("option inside a frame, right to left") << "optStyle(1)"
                                                          << "Frame2" << QRect(240, 600, 1935, 255) << true;
    QTest::newRow("button on the window, right to left") << "cmdExit"
                                                         << "frmMain" << QRect(5400, 4800, 1215, 375) << true;
}

void WindowTest::placesInTabControlCoordinates()
{
    QFETCH(QString, name);
    QFETCH(QString, container);
    QFETCH(QRect, twipsRect);
    QFETCH(bool, rightToLeft);
    if (rightToLeft)
        m_window->setLayoutDirection(Qt::RightToLeft);
    for (int page = 0; page < 3; ++page) {
        m_window->SSTab1->setCurrentIndex(page);
        if (child(name)->isVisible())
            break;
    }
    QWidget *w = child(name);
    QWidget *box = child(container);
    const QRect actual(w->mapTo(box, QPoint(0, 0)), w->size());
    QRect expected = twips::rect(twipsRect.x(), twipsRect.y(), twipsRect.width(), twipsRect.height());
    if (rightToLeft)
        expected.moveLeft(box->width() - expected.left() - expected.width());
    QCOMPARE(actual, expected);
}

void WindowTest::controlsInsideTheirContainers()
{
    for (int page = 0; page < 3; ++page) {
        m_window->SSTab1->setCurrentIndex(page);
        QWidget *area = m_window->pages[page];
        const auto controls = area->findChildren<QWidget *>();
        QVERIFY(controls.size() >= 7);
        for (QWidget *w : controls) {
            if (!w->isVisible() || w->parentWidget()->inherits("QAbstractScrollArea") ||
                w->parentWidget()->inherits("QListView") || w->parentWidget()->inherits("QLineEdit"))
                continue;
            const QRect inParent = w->geometry();
            QVERIFY2(w->parentWidget()->rect().contains(inParent),
                     qPrintable(QStringLiteral("%1 %2,%3 %4x%5 outside %6")
                                    .arg(w->objectName())
                                    .arg(inParent.x())
                                    .arg(inParent.y())
                                    .arg(inParent.width())
                                    .arg(inParent.height())
                                    .arg(w->parentWidget()->objectName())));
        }
    }
    for (QWidget *w : {static_cast<QWidget *>(m_window->SSTab1), static_cast<QWidget *>(m_window->cmdAbout),
                       static_cast<QWidget *>(m_window->cmdExit)})
        QVERIFY(m_window->rect().contains(w->geometry()));
}

// Every caption is shown whole: no control is narrower or lower than its caption needs.
void WindowTest::captionsFit()
{
    // The sizes were made for the metrics of the face that stands in for "MS Sans Serif".
    QCOMPARE(QFontInfo(m_window->font()).family(), QStringLiteral("Liberation Sans"));
    // Asked for by that name: a family Qt does not have costs a search of every installed one.
    QCOMPARE(m_window->font().family(), QStringLiteral("Liberation Sans"));
    QSet<QString> checked;
    for (int page = 0; page < 3; ++page) {
        m_window->SSTab1->setCurrentIndex(page);
        const auto widgets = m_window->findChildren<QWidget *>();
        for (QWidget *w : widgets) {
            if (!w->isVisible())
                continue;
            const QFontMetrics fm = w->fontMetrics();
            const QString name = w->objectName();
            if (auto *button = qobject_cast<QPushButton *>(w)) {
                QStyleOptionButton opt;
                opt.initFrom(button);
                opt.text = button->text();
                const QSize text = fm.size(Qt::TextShowMnemonic, button->text());
                const QSize need =
                    button->style()->sizeFromContents(QStyle::CT_PushButton, &opt, text, button);
                QVERIFY2(need.width() <= button->width() + 2, qPrintable(name)); // margin pixels only
                QVERIFY2(text.height() <= button->height(), qPrintable(name));
                checked.insert(name);
            } else if (auto *box = qobject_cast<WrapCheckBox *>(w)) {
                const QRect area = box->captionRect();
                const QRect text = fm.boundingRect(area, Qt::TextWordWrap | Qt::AlignVCenter, box->text());
                QVERIFY2(text.width() <= area.width(), qPrintable(name));
                // Wrapped lines may overlap the box's edge by their empty line gap, not by ink.
                const QStringList lines = box->text().split(u' ');
                const int ink = box->wraps() ? fm.height() * int(lines.size() - 1) +
                                                   fm.tightBoundingRect(lines.last()).height()
                                             : fm.tightBoundingRect(box->text()).height();
                QVERIFY2(ink <= box->height(), qPrintable(name));
                checked.insert(name);
            } else if (auto *option = qobject_cast<QRadioButton *>(w)) {
                QStyleOptionButton opt;
                opt.initFrom(option);
                opt.text = option->text();
                const QRect area =
                    option->style()->subElementRect(QStyle::SE_RadioButtonContents, &opt, option);
                QVERIFY2(fm.horizontalAdvance(option->text()) <= area.width(), qPrintable(name));
                QVERIFY2(fm.height() <= option->height(), qPrintable(name));
                checked.insert(name);
            } else if (auto *label = qobject_cast<QLabel *>(w); label && !label->text().isEmpty()) {
                const QRect need = fm.boundingRect(
                    label->contentsRect(), label->alignment() | (label->wordWrap() ? Qt::TextWordWrap : 0),
                    label->text());
                QVERIFY2(label->contentsRect().contains(need), qPrintable(name));
                checked.insert(name);
            } else if (auto *frame = qobject_cast<QGroupBox *>(w)) {
                QVERIFY2(fm.horizontalAdvance(frame->title()) + 16 <= frame->width(), qPrintable(name));
                checked.insert(name);
            }
        }
    }
    QTabBar *bar = m_window->SSTab1->tabBar();
    for (int i = 0; i < bar->count(); ++i)
        QVERIFY(bar->fontMetrics().horizontalAdvance(bar->tabText(i)) < bar->tabRect(i).width());
    // The three tabs share the tab control's width.
    QCOMPARE(bar->tabRect(0).left(), 0);
    QCOMPARE(bar->tabRect(2).right() + 1, m_window->SSTab1->width());
    QVERIFY(qAbs(bar->tabRect(0).width() - bar->tabRect(2).width()) <= 1);
    QCOMPARE(bar->height(), 20); // 520 hundredths of a millimetre
    QVERIFY(bar->fontMetrics().height() < bar->height());
    // Each "item:" caption ends where the layout ends it, 30 twips before its number box, clear
    // of its button.
    for (int i = 0; i < 2; ++i) {
        const QRect label = m_window->Label5[i]->geometry();
        QCOMPARE(m_window->txtIndex[i]->x() - (label.right() + 1), 2);
        QVERIFY(label.left() > m_window->cmdItemChange[i]->geometry().right());
    }
    const QSet<QString> captioned{
        "cmdAbout",         "cmdExit",          "chkFont(0)", "chkFont(1)", "chkFont(2)",   "chkFont(3)",
        "lblFontType",      "lblFontSample",    "Frame1",     "Frame2",     "optColors(0)", "optColors(1)",
        "optStyle(0)",      "optStyle(1)",      "Label6",     "Label1",     "Label2",       "Label3",
        "cmdItemChange(0)", "cmdItemChange(1)", "Label5(0)",  "Label5(1)",  "cmdFind",      "chkFind",
        "chkEnabled",       "Label4",           "lblDescr"};
    QCOMPARE(checked, captioned);
}

void WindowTest::initialValues_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("checked");
    for (int i = 0; i < 4; ++i)
        QTest::addRow("chkFont(%d) cleared", i) << QStringLiteral("chkFont(%1)").arg(i) << false;
    QTest::newRow("Exact Match cleared") << "chkFind" << false;
    QTest::newRow("Enabled checked") << "chkEnabled" << true;
    QTest::newRow("Custom Colors selected") << "optColors(0)" << true;
    QTest::newRow("System Colors not") << "optColors(1)" << false;
    QTest::newRow("kvColorRectAndText selected") << "optStyle(0)" << true;
    QTest::newRow("kvLargeColorRect not") << "optStyle(1)" << false;
}

void WindowTest::initialValues()
{
    QFETCH(QString, name);
    QFETCH(bool, checked);
    auto *button = qobject_cast<QAbstractButton *>(child(name));
    QVERIFY(button);
    QCOMPARE(button->isChecked(), checked);
    if (auto *box = qobject_cast<QCheckBox *>(button))
        QCOMPARE(box->checkState(), checked ? Qt::Checked : Qt::Unchecked);

    for (QLineEdit *edit : {m_window->txtIndex[0], m_window->txtIndex[1], m_window->txtItem})
        QVERIFY(edit->text().isEmpty());
    QCOMPARE(m_window->txtIndex[0]->maxLength(), 2);
    QCOMPARE(m_window->txtIndex[1]->maxLength(), 2);
    m_window->txtItem->insert(QString(40000, u'x'));
    QCOMPARE(m_window->txtItem->text().size(), 32767); // Qt's default limit
    QCOMPARE(m_window->lblFontSample->font().pointSizeF(), 18.0);
    QVERIFY(m_window->lblFontType->font().bold());
    QVERIFY(m_window->Frame1->font().bold());
    QVERIFY(!m_window->optColors[0]->font().bold());
    QVERIFY(!m_window->Label6->font().bold());
}

void WindowTest::listsCreatedFromStoredProperties_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("keys");
    QTest::newRow("font list") << "ListEx1" << QStringList{"_extentx", "_extenty", "font", "style", "sorted"};
    QTest::newRow("colour list") << "ListEx2"
                                 << QStringList{"_extentx", "_extenty",   "backcolor",  "textleft",
                                                "pictleft", "picttop",    "pictheight", "pictwidth",
                                                "font",     "itemheight", "style"};
    QTest::newRow("character list") << "ListEx3"
                                    << QStringList{"_extentx",     "_extenty",    "backcolor", "selbackcolor",
                                                   "selforecolor", "transpcolor", "textleft",  "pictleft",
                                                   "picttop",      "pictheight",  "pictwidth", "font",
                                                   "itemheight"};
}

void WindowTest::listsCreatedFromStoredProperties()
{
    QFETCH(QString, name);
    QFETCH(QStringList, keys);
    auto *list = qobject_cast<KvListEx::Classic::ListEx *>(child(name));
    QVERIFY(list);
    QStringList written;
    for (const auto &[key, value] : list->WriteProperties())
        written << key;
    QCOMPARE(written, keys);
    // The extents give the list its size in the window.
    const auto props = list->WriteProperties();
    const int extentX = props.at(0).second.toInt();
    QCOMPARE(list->width(), qRound(extentX * 96.0 / 2540.0));
}

void WindowTest::mnemonicsFromEveryPage_data()
{
    QTest::addColumn<int>("page");
    QTest::newRow("Font") << 0;
    QTest::newRow("Color") << 1;
    QTest::newRow("Picture") << 2;
}

void WindowTest::mnemonicsFromEveryPage()
{
    QFETCH(int, page);
    m_window->SSTab1->setCurrentIndex(page);
    {
        ModalWatcher watcher;
        QTest::keyClick(m_window.get(), Qt::Key_A, Qt::AltModifier);
        QTRY_COMPARE(watcher.seen().size(), 1);
        QCOMPARE(watcher.seen().first().objectName, QStringLiteral("ListExAboutBox"));
    }
    QVERIFY(m_window->isVisible());
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    QTest::keyClick(m_window.get(), Qt::Key_X, Qt::AltModifier);
    QTRY_VERIFY(!m_window->isVisible()); // a mnemonic presses the button as a short animation
}

void WindowTest::pickingATabRunsNoHandler()
{
    const QString swatch = m_window->lblColor->palette().color(QPalette::Window).name();
    const QString descr = m_window->lblDescr->text();
    const QString kind = m_window->lblFontType->text();
    for (int page : {1, 2, 0, 2})
        QTest::mouseClick(m_window->SSTab1->tabBar(), Qt::LeftButton, {},
                          m_window->SSTab1->tabBar()->tabRect(page).center());
    QCOMPARE(m_window->lblColor->palette().color(QPalette::Window).name(), swatch);
    QCOMPARE(m_window->lblDescr->text(), descr);
    QCOMPARE(m_window->lblFontType->text(), kind);
    QCOMPARE(m_window->ListEx2->ListIndex(), 0);
}

void WindowTest::legendMatchesListBackground()
{
    QCOMPARE(m_window->Shape1[1]->fillColor(), m_window->ListEx3->backColor());
    QCOMPARE(KvListEx::Classic::FromQColor(m_window->Shape1[0]->fillColor()), 0xC0C0FF);
}

QTEST_MAIN(WindowTest)
#include "tst_window.moc"
