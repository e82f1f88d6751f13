#include <QApplication>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// Widget tests need a full application object; the offscreen platform keeps
// them free of any display, and the dummy audio driver of any sound card.
int main(int argc, char** argv)
{
    if (qgetenv("QT_QPA_PLATFORM").isEmpty())
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qgetenv("SDL_AUDIODRIVER").isEmpty())
        qputenv("SDL_AUDIODRIVER", "dummy");
    // The solver's tables are kept in a cache folder of the run's own,
    // never the player's.
    QTemporaryDir cache;
    if (cache.isValid())
        qputenv("XDG_CACHE_HOME", QFile::encodeName(cache.path()));
    QApplication app(argc, argv);
    // Dates and numbers as under LANG=C, whatever the machine's locale; a
    // test of another language installs its translation, which sets its own.
    QLocale::setDefault(QLocale::c());
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
