// SPDX-License-Identifier: BSD-3-Clause
// A private font set for tests: one TrueType, one Type 1 and one bitmap family, so expected
// font names and kinds come from this set and a broken or odd font on the machine cannot change
// a test's outcome. Call before QApplication; under QTEST_MAIN, from the suite's static initMain().
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

struct SandboxFont {
    const char *path;
    const char *family;
    int kind; // the font kind the list must report
};

inline const SandboxFont kSandboxFonts[] = {
    {"/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf", "Liberation Sans", 4},
    {"/usr/share/fonts/X11/Type1/C059-Roman.pfb", "C059", 0},
    {KV_TEST_DATA "/kvtestbitmap.bdf", "Kv Test Bitmap", 1},
    // One family from two foundries: Qt then names it "Nimbus Roman [urw]" and "[UKWN]".
    {"/usr/share/fonts/X11/Type1/NimbusRoman-Regular.pfb", "Nimbus Roman", 4},
    {"/usr/share/fonts/opentype/urw-base35/NimbusRoman-Regular.otf", "Nimbus Roman", 4},
    // Dingbats: letters map to signs. The Type 1 file covers no language; the OpenType one claims
    // Latin, so only the former tells that the family is one of signs.
    {"/usr/share/fonts/X11/Type1/D050000L.pfb", "D050000L", 4},
    {"/usr/share/fonts/opentype/urw-base35/D050000L.otf", "D050000L", 4},
};

inline void useFontSandbox()
{
    static QTemporaryDir dir;
    if (!dir.isValid() || !QDir(dir.path()).mkpath(QStringLiteral("fonts"))) {
        std::fprintf(stderr, "font sandbox: no temporary directory\n");
        std::exit(1);
    }
    for (const SandboxFont &font : kSandboxFonts) {
        const QString from = QString::fromUtf8(font.path);
        const QString to = dir.filePath(QStringLiteral("fonts/") + from.section(u'/', -1));
        if (!QFile::copy(from, to)) {
            std::fprintf(stderr, "font sandbox: cannot copy %s\n", font.path);
            std::exit(1);
        }
    }
    const QString conf = dir.filePath(QStringLiteral("fonts.conf"));
    QFile file(conf);
    file.open(QIODevice::WriteOnly);
    file.write(QStringLiteral("<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n"
                              "<fontconfig><dir>%1</dir><cachedir>%2</cachedir></fontconfig>\n")
                   .arg(dir.filePath(QStringLiteral("fonts")), dir.filePath(QStringLiteral("cache")))
                   .toUtf8());
    file.close();
    qputenv("FONTCONFIG_FILE", conf.toLocal8Bit());
    qunsetenv("FONTCONFIG_PATH");
}
