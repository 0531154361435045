// SPDX-License-Identifier: BSD-3-Clause
// Installs the library's translation for the user's locale when the application starts, so that
// programs get the list's texts in their language without a line of their own.
#include <QCoreApplication>
#include <QLocale>
#include <QThread>
#include <QTranslator>

namespace {

// Qt lays the application out right to left when a loaded translation turns this into "RTL", as the
// Arabic one does; named here, with Qt's own comment, so that lupdate keeps it in the library's files.
[[maybe_unused]] const char *const kLayoutDirection[] = QT_TRANSLATE_NOOP3(
    "QGuiApplication", "QT_LAYOUT_DIRECTION",
    "Translate this string to the string 'LTR' in left-to-right languages or to 'RTL' in right-to-left "
    "languages (such as Hebrew and Arabic) to get proper widget layout.");

void installTranslation()
{
    auto *translator = new QTranslator(QCoreApplication::instance());
    // The .qm files are resources of the library, so any install prefix and a static build find them.
    if (translator->load(QLocale(), QStringLiteral("kvlistex"), QStringLiteral("_"),
                         QStringLiteral(":/kvlistex/translations")))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

void loadTranslation()
{
    // A library loaded later, as a plugin, may be loaded off the main thread; the translator
    // belongs to the application, and installing it sends events to the application's thread.
    if (QThread::currentThread() == QCoreApplication::instance()->thread())
        installTranslation();
    else
        QMetaObject::invokeMethod(QCoreApplication::instance(), installTranslation, Qt::QueuedConnection);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(loadTranslation)
