#pragma once

#include <QDir>
#include <QGuiApplication>
#include <QString>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

// Helpers shared by the fuzz targets. A broken property aborts, which
// libFuzzer reports as a crash and keeps the input that caused it.
namespace tesselo::fuzz {

inline void Require(bool holds, const char* property)
{
    if (!holds) {
        std::fprintf(stderr, "property broken: %s\n", property);
        std::abort();
    }
}

// Image decoding and fonts need a GUI application; the offscreen platform
// needs no display. Qt gets its own argument list so that it never sees or
// edits libFuzzer's flags.
inline void StartQt()
{
    static int argc = 1;
    static char name[] = "tesselo-fuzz";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Reachable through the pointer for the whole run, so not a leak.
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    (void)app;
}

// An empty directory of the fuzzer's own, made the current one, as the
// game runs inside its play directory. Removed when the fuzzer exits.
inline QString EnterEmptyDirectory()
{
    static QTemporaryDir dir;
    Require(dir.isValid() && QDir::setCurrent(dir.path()), "a temporary directory to work in");
    return dir.path();
}

} // namespace tesselo::fuzz
