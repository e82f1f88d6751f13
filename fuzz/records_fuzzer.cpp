// The records of won games are read from the player's folder, where
// anything may lie under their name. Whatever the bytes: the reader never
// crashes, never loses them (a file it cannot read is moved aside whole,
// one it can read stays as it was), and a win added afterwards is written
// beside every result it found, unknown ones included.

#include "fuzz_support.h"

#include "model/records.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

using namespace tesselo;
using tesselo::fuzz::Require;

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const QString dir = tesselo::fuzz::EnterEmptyDirectory();
    QDir here(dir);
    for (const QString& name : here.entryList(QDir::Files | QDir::Hidden))
        here.remove(name);
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    {
        QFile f(QString::fromLatin1(Records::kFileName));
        Require(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size(), "the input written");
    }

    Records records;
    QString aside;
    Require(records.Load(&aside), "a file is read or moved aside");
    if (aside.isEmpty())
        Require(ReadAll(QString::fromLatin1(Records::kFileName)) == bytes, "a file read is left as it was");
    else
        Require(ReadAll(aside) == bytes && !QFile::exists(QString::fromLatin1(Records::kFileName)),
                "a file moved aside is kept whole");
    const std::size_t found = records.Count();

    for (const char* level : Records::kLevels)
        for (const char* style : Records::kStyles) {
            const Records::Summary s = records.Summarize(QString::fromLatin1(level), QString::fromLatin1(style));
            Require(s.won >= 0 && (s.won == 0) == !s.best, "a best exactly when there are wins");
            if (s.best)
                Require(s.best->IsValid(), "only a sound result is a best");
            for (const GameResult& r : records.Results(QString::fromLatin1(level), QString::fromLatin1(style))) {
                Require(r.IsValid(), "only sound results are listed");
                if (r.start.rowCount != 0)
                    tesselo::fuzz::RequirePlayableGrid(r.start);
            }
        }

    GameResult win;
    win.level = QStringLiteral("Genius");
    win.style = QStringLiteral("Speed");
    win.moves = 3;
    win.milliseconds = 4567;
    win.finished = QDateTime::currentDateTimeUtc();
    win.start.Resize(4, 6);
    Require(records.Add(win), "a win is written");
    Records again;
    Require(again.Load() && again.Count() == found + 1, "the win is written beside every result found");
    return 0;
}
