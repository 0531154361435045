// SPDX-License-Identifier: BSD-3-Clause
// A colour chooser made in Qt Designer: the program fills the ListEx on the form, and the label
// below it shows the colour the user chooses. With --self-test it chooses one itself, checks what
// the window shows, prints one line and exits (0 when all was as expected).
#include "ui_colorchooser.h"

#include <KvListEx/kvlistex_version.h>
#include <KvListEx/listex.h>

#include <QApplication>
#include <QTimer>

#include <cstdio>

namespace {

struct NamedColor {
    const char *name;
    QRgb rgb;
};
constexpr NamedColor kColors[] = {
    {"Teal", 0x008080},  {"Crimson", 0xDC143C}, {"Gold", 0xFFD700},   {"Navy", 0x000080},
    {"Olive", 0x808000}, {"Orchid", 0xDA70D6},  {"Salmon", 0xFA8072}, {"Sky blue", 0x87CEEB},
};

class ColorChooser : public QWidget {
public:
    ColorChooser()
    {
        ui.setupUi(this);
        for (const NamedColor &c : kColors) {
            KvListEx::ListExItem item(QString::fromLatin1(c.name));
            item.setColor(QColor(c.rgb));
            ui.lstColors->addItem(item);
        }
        connect(ui.lstColors, &KvListEx::ListEx::currentRowChanged, this, &ColorChooser::showChosen);
    }

    Ui::ColorChooser ui;

private:
    void showChosen(int row)
    {
        if (row < 0)
            return;
        const KvListEx::ListExItem item = ui.lstColors->item(row);
        const QColor color = item.color();
        QPalette pal = ui.lblChosen->palette();
        pal.setColor(QPalette::Window, color);
        pal.setColor(QPalette::WindowText, color.lightness() < 128 ? Qt::white : Qt::black);
        ui.lblChosen->setPalette(pal);
        ui.lblChosen->setText(item.text());
    }
};

int fail(const char *what)
{
    std::fprintf(stderr, "listexconsumer: self-test failed: %s\n", what);
    return 1;
}

// Chooses Orchid as a program would, then checks the label, the sorting and the row height that
// the form asked for.
int selfTest(ColorChooser &window)
{
    KvListEx::ListEx *list = window.ui.lstColors;
    const int orchid = list->findItem(QStringLiteral("orchid"), Qt::MatchFixedString);
    if (orchid < 0)
        return fail("no item Orchid");
    list->setCurrentRow(orchid);
    const QLabel *label = window.ui.lblChosen;
    if (label->text() != QLatin1String("Orchid"))
        return fail("the label does not name the chosen colour");
    if (label->palette().color(QPalette::Window) != QColor(0xDA70D6))
        return fail("the label does not show the chosen colour");
    if (list->item(0).text() != QLatin1String("Crimson") || orchid != 4)
        return fail("the list is not sorted as the form says");
    const int rowHeight = list->visualRect(list->model()->index(orchid, 0)).height();
    if (rowHeight != 26)
        return fail("rows are not as high as the form says");
    std::printf("listexconsumer: self-test passed: chose %s (item %d of %d, rows %d px, style %d) "
                "with KvListEx %s\n",
                qPrintable(label->text()), orchid, list->count(), rowHeight, int(list->itemStyle()),
                KVLISTEX_VERSION_STRING);
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    ColorChooser window;
    window.show();
    if (app.arguments().contains(QStringLiteral("--self-test")))
        QTimer::singleShot(0, &app, [&] { app.exit(selfTest(window)); });
    return app.exec();
}
