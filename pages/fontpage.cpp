// SPDX-License-Identifier: BSD-3-Clause
// The Font page: the font list, the sample text and its four attribute check boxes.
#include "checkvalue.h"
#include "fonts.h"
#include "frmmain.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>

namespace {

// The word for a font kind, or null where the kind has none.
const char *fontKindWord(qint32 fontType)
{
    switch (fontType) {
    case KvListEx::kvVectorFont:
        return "Vector";
    case KvListEx::kvRasterFont:
        return "Raster";
    case KvListEx::kvDeviceFont:
        return "Device";
    case KvListEx::kvTrueTypeFont:
        return "True Type";
    default:
        return nullptr;
    }
}

} // namespace

void frmMain::ListEx1_ItemSelected()
{
    {
        KvListEx::Classic::ListItem item = ListEx1->ListItems().Item(ListEx1->ListIndex());
        // Only the name changes: size and attributes stay as the check boxes set them.
        QFont sample = lblFontSample->font();
        // Qt reads a name holding a bracket as "Family [Foundry]", so it cannot find a family so
        // named, and looks through every installed family for a stand-in: the sample shows in
        // the window's face instead, at once.
        const QString family = item.Font().family();
        sample.setFamily(family.contains(u'[') ? fonts::layoutFace() : family);
        // A face without the sample's letters shows its own missing-glyph boxes rather than
        // another face's letters, which Qt would look for through every installed family: with a
        // thousand of them, longer than a key press may take. The sample is Latin; whether the
        // family has Latin letters is known without opening one of its faces.
        const bool latin = QFontDatabase::writingSystems(sample.family()).contains(QFontDatabase::Latin);
        sample.setStyleStrategy(latin ? QFont::PreferDefault : QFont::NoFontMerging);
        lblFontSample->setFont(sample);
        // The face is opened now rather than in the paint that also redraws the list: with a few
        // thousand fonts installed, opening one takes up to 15 ms.
        QFontInfo(lblFontSample->font()).family();
    }
    const KvListEx::Classic::ListItem item = ListEx1->ListItems().Item(ListEx1->ListIndex());
    if (const char *word = fontKindWord(item.FontType()))
        lblFontType->setText(QStringLiteral("Font Type: ") + QLatin1String(word));
}

void frmMain::chkFont_Click(qint16 Index)
{
    if (Index < 0 || Index >= qint16(chkFont.size()))
        return;
    const bool on = isOn(checkValue(chkFont[Index]));
    QFont sample = lblFontSample->font();
    switch (Index) {
    case 0:
        sample.setBold(on);
        break;
    case 1:
        sample.setItalic(on);
        break;
    case 2:
        sample.setUnderline(on);
        break;
    case 3:
        sample.setStrikeOut(on);
        break;
    }
    lblFontSample->setFont(sample);
}
