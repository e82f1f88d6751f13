// The JSON records file of earlier versions is read from the player's
// folder, where anything may lie under its name. Whatever the bytes: the
// importer never crashes, never loses them (a file it cannot read is set
// aside whole, one it can is imported and renamed whole), and the export
// gives back every result imported, with every field it held; read only,
// before the import, it gives the same and changes nothing.

#include "fuzz_support.h"

#include "records/records.h"
#include "records/result_json.h"

#include <QBuffer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

using namespace tesselo;
using tesselo::fuzz::ReadAll;
using tesselo::fuzz::Require;

namespace {

// A value as it is after one trip through Qt's JSON writer and reader, the
// trip every kept value makes.
QJsonValue Normal(const QJsonValue& v)
{
    return QJsonDocument::fromJson(QJsonDocument(QJsonArray{v}).toJson(QJsonDocument::Compact)).array().first();
}

// Every field of `was` is in `is`, with the same value.
bool Holds(const QJsonObject& is, const QJsonObject& was)
{
    for (auto it = was.begin(); it != was.end(); ++it)
        if (is.value(it.key()) != Normal(it.value()))
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes = tesselo::fuzz::PlaceInput(QString::fromLatin1(Records::kJsonFileName), data, size);

    // Read before it is imported, the file gives the export it will give
    // once imported, and stays as it was.
    QBuffer before;
    before.open(QIODevice::WriteOnly);
    {
        Records reader(Records::Access::ReadOnly);
        Require(reader.Export(before), "the records are exported read only");
        Require(!QFile::exists(QString::fromLatin1(Records::kFileName)) &&
                    ReadAll(QString::fromLatin1(Records::kJsonFileName)) == bytes,
                "reading changes nothing");
    }

    Records records;
    Require(records.Open(), "a file is imported or set aside");
    Require(!QFile::exists(QString::fromLatin1(Records::kJsonFileName)), "the file does not stay to be imported again");
    const bool imported = QFile::exists(QStringLiteral("tesselo-records.json.imported"));
    Require(imported != QFile::exists(QStringLiteral("tesselo-records.json.damaged")), "imported or set aside");
    Require(ReadAll(imported ? QStringLiteral("tesselo-records.json.imported")
                             : QStringLiteral("tesselo-records.json.damaged")) == bytes,
            "the file is kept whole");
    if (!imported) {
        Require(records.CountAll() == 0, "nothing imported from a file set aside");
        return 0;
    }

    // What the file held, sound results first, then those this version
    // cannot count, as the export lists them.
    const QJsonObject root = QJsonDocument::fromJson(bytes).object();
    QJsonArray expected, unread;
    for (const QJsonValue& v : root.value("results").toArray()) {
        if (v.isObject() && ResultFromJson(v.toObject()))
            expected.append(v);
        else
            unread.append(v);
    }
    for (const QJsonValue& v : unread)
        expected.append(v);
    Require(records.CountAll() == expected.size(), "every result imported");

    for (const GridSize l : tesselo::fuzz::SizesListed(records))
        for (const Style s : {Style::Strategy, Style::Speed}) {
            const Records::Summary sum = records.Summarize(l, s);
            if (sum.best)
                Require(sum.best->IsValid() && sum.best->assisted == 0, "only a sound win without help is a best");
            for (const Records::KeptWin& w : records.Page(l, s, Records::Order::BestFirst, 0, 50))
                if (w.replayable) {
                    const std::optional<GameResult> r = records.Win(w.id);
                    Require(r && r->IsReplayable(), "a replayable win has its replay");
                    tesselo::fuzz::RequirePlayableGrid(r->start);
                }
        }

    QBuffer out;
    out.open(QIODevice::WriteOnly);
    Require(records.Export(out), "the records are exported");
    Require(out.data() == before.data(), "read only, the export was the same");
    const QJsonObject back = QJsonDocument::fromJson(out.data()).object();
    const QJsonArray exported = back.value("results").toArray();
    Require(exported.size() == expected.size(), "every result exported");
    for (qsizetype i = 0; i < expected.size(); ++i) {
        if (expected[i].isObject())
            Require(exported[i].isObject() && Holds(exported[i].toObject(), expected[i].toObject()),
                    "every field of a result exported as it was");
        else
            Require(exported[i] == Normal(expected[i]), "a result that is not an object exported as it was");
    }
    QJsonObject fields = root;
    fields.remove(QStringLiteral("results"));
    Require(Holds(back, fields), "the fields beside the results exported as they were");
    return 0;
}
