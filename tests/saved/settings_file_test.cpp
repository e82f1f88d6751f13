#include "saved/settings_file.h"
#include "support/temp_cwd.h"

#include <QDir>
#include <QFile>
#include <QSettings>

#include <gtest/gtest.h>

#include <functional>

#include <sys/stat.h>

using namespace tesselo;
using tesselo::testing::TempCwd;

namespace {

QByteArray Read(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

// Nothing is written until a setting changes; a change is written at once
// and read back at the next start.
TEST(SettingsFile, WrittenWhenChangedAndReadAtTheNextStart)
{
    TempCwd cwd;
    SettingsFile settings;
    settings.Load();
    EXPECT_TRUE(settings.Current().animateMoves);
    EXPECT_TRUE(settings.Change(settings.Current()));
    EXPECT_FALSE(QFile::exists(SettingsFile::kFileName)) << "written without a change";

    // Each setting on its own, then all of them changed at once.
    const SettingsFile::Values changes[] = {
        {false, false, {5, 5}}, {true, true, {5, 5}}, {true, false, {16, 2}}, {true, false, {20, 20}},
        {false, true, {3, 4}}};
    for (const SettingsFile::Values& values : changes) {
        ASSERT_TRUE(settings.Change(values));
        SettingsFile next;
        next.Load();
        EXPECT_EQ(next.Current(), values) << values.customSize.Name();
    }
    // A size is kept by its counts, though a level has it.
    const QSettings ini(QString::fromLatin1(SettingsFile::kFileName), QSettings::IniFormat);
    EXPECT_EQ(ini.value("Tesselo/animateMoves").toString(), "false");
    EXPECT_EQ(ini.value("Tesselo/numbersOnTiles").toString(), "true");
    EXPECT_EQ(ini.value("Tesselo/customSize").toString(), "3x4");
}

// A file that is not this game's settings never stops the start and is
// never lost: the defaults hold, the file is kept under another name, and
// settings of ours take its place. Nothing blocks on a pipe.
TEST(SettingsFile, ADamagedOrForeignFileIsSetAsideAndWrittenAnew)
{
    const struct {
        const char* name;
        std::function<void(const TempCwd&)> make;
        const char* asideAs; // nullptr: left where it is
    } cases[] = {
        {"another program's INI", [](const TempCwd& c) { c.Text("tesselo.ini", "[Window]\nwidth=3\n"); },
         "tesselo.ini.foreign"},
        {"a value that is no boolean",
         [](const TempCwd& c) { c.Text("tesselo.ini", "[Tesselo]\nformat=1\nanimateMoves=banana\n"); },
         "tesselo.ini.damaged"},
        {"numbers on tiles neither on nor off",
         [](const TempCwd& c) { c.Text("tesselo.ini", "[Tesselo]\nformat=1\nnumbersOnTiles=2\n"); },
         "tesselo.ini.damaged"},
        {"a custom size beyond 20",
         [](const TempCwd& c) { c.Text("tesselo.ini", "[Tesselo]\nformat=1\ncustomSize=21x3\n"); },
         "tesselo.ini.damaged"},
        {"a custom size that names nothing",
         [](const TempCwd& c) { c.Text("tesselo.ini", "[Tesselo]\nformat=1\ncustomSize=big\n"); },
         "tesselo.ini.damaged"},
        {"binary noise", [](const TempCwd& c) { c.Text("tesselo.ini", QByteArray("\x00\xff\x13[[=\n\x01", 8)); },
         "tesselo.ini.foreign"},
        {"far too large",
         [](const TempCwd& c) {
             c.Text("tesselo.ini", "[Tesselo]\nformat=1\n" + QByteArray(SettingsFile::kMaxBytes, ';'));
         },
         "tesselo.ini.damaged"},
        {"a directory", [](const TempCwd& c) { QDir().mkdir(c.Path("tesselo.ini")); }, "tesselo.ini.damaged"},
        {"a named pipe", [](const TempCwd& c) { ASSERT_EQ(::mkfifo(qPrintable(c.Path("tesselo.ini")), 0600), 0); },
         "tesselo.ini.damaged"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempCwd cwd;
        c.make(cwd);
        SettingsFile settings;
        settings.Load();
        EXPECT_EQ(settings.Current(), SettingsFile::Values());
        EXPECT_TRUE(QFileInfo::exists(cwd.Path(c.asideAs)));
        SettingsFile next;
        next.Load();
        EXPECT_TRUE(QFileInfo(cwd.Path("tesselo.ini")).isFile());
        EXPECT_FALSE(QFileInfo::exists(cwd.Path(QString::fromLatin1(c.asideAs) + "-2"))) << "rewritten as ours";
        ASSERT_TRUE(next.Change(SettingsFile::Values{false}));
    }
}

// A later version's file keeps what this one does not know.
TEST(SettingsFile, KeysOfALaterVersionAreKept)
{
    TempCwd cwd;
    cwd.Text("tesselo.ini", "[Tesselo]\nformat=3\nanimateMoves=true\nsparkles=7\n");
    SettingsFile settings;
    settings.Load();
    ASSERT_TRUE(settings.Change(SettingsFile::Values{false}));
    const QSettings ini(QString::fromLatin1(SettingsFile::kFileName), QSettings::IniFormat);
    EXPECT_EQ(ini.value("Tesselo/format").toInt(), 3);
    EXPECT_EQ(ini.value("Tesselo/sparkles").toInt(), 7);
    EXPECT_EQ(ini.value("Tesselo/animateMoves").toString(), "false");
    EXPECT_FALSE(Read(cwd.Path("tesselo.ini")).isEmpty());
}
