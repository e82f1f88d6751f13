#include "files/file_name_codec.h"
#include "records/records.h"
#include "support/temp_cwd.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTimeZone>

#include <gtest/gtest.h>

using namespace tesselo;
using tesselo::testing::TempCwd;

namespace {

using Table = std::vector<std::vector<QString>>;

// A reader of CSV as RFC 4180 writes it, apart from the writer: fields
// split at commas, a quoted field running over commas, quotes (doubled)
// and line breaks, records ended by CR LF. Anything else is an error.
std::optional<Table> ReadCsv(const QByteArray& bytes)
{
    const QString text = QString::fromUtf8(bytes);
    if (text.toUtf8() != bytes)
        return std::nullopt; // not UTF-8
    Table rows(1, std::vector<QString>(1));
    qsizetype i = 0;
    while (i < text.size()) {
        QString& field = rows.back().back();
        if (text[i] == u'"' && field.isEmpty()) {
            for (++i;; ++i) {
                if (i >= text.size())
                    return std::nullopt;
                if (text[i] == u'"') {
                    if (i + 1 < text.size() && text[i + 1] == u'"')
                        ++i;
                    else
                        break;
                }
                field += text[i];
            }
            ++i;
            if (i < text.size() && text[i] != u',' && text[i] != u'\r')
                return std::nullopt;
        } else if (text[i] == u',') {
            rows.back().emplace_back();
            ++i;
        } else if (text[i] == u'\r') {
            if (i + 1 >= text.size() || text[i + 1] != u'\n')
                return std::nullopt;
            i += 2;
            if (i < text.size())
                rows.emplace_back(1);
        } else if (text[i] == u'"' || text[i] == u'\n') {
            return std::nullopt; // a quote or a line break in an unquoted field
        } else {
            field += text[i++];
        }
    }
    if (!text.endsWith(QLatin1String("\r\n")))
        return std::nullopt;
    return rows;
}

GameResult Won(const QString& picture, GridSize size = kExpert, int minute = 0)
{
    GameResult r;
    r.size = size;
    r.style = Style::Speed;
    r.moves = 41;
    r.milliseconds = 83456;
    r.finished = QDateTime(QDate(2026, 5, 17), QTime(21, minute, 3, 250), QTimeZone::utc());
    r.picture = picture;
    return r;
}

} // namespace

TEST(RecordsCsv, FieldsAreQuotedOnlyWhereTheyMustBe)
{
    const struct {
        QString text;
        QByteArray field;
    } cases[] = {
        {"harbour.jpg", "harbour.jpg"},
        {"", ""},
        {"a, b.png", "\"a, b.png\""},
        {"say \"cheese\".png", "\"say \"\"cheese\"\".png\""},
        {"two\nlines.png", "\"two\nlines.png\""},
        {"cr\r.png", "\"cr\r.png\""},
        {"  spaced  ", "  spaced  "},
        {QString::fromUtf8("Möwe.jpg"), "M\xc3\xb6we.jpg"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(records_csv::Field(c.text), c.field) << c.text.toStdString();
}

// Names with commas, quotes and line breaks, one that is not UTF-8, the
// built-in picture, a daily puzzle with help and par: read back field for
// field. A custom size is written as its counts, as the levels are.
TEST(RecordsCsv, EveryWinReadsBackFromTheExport)
{
    TempCwd cwd;
    std::vector<GameResult> wins = {
        Won(QStringLiteral("plain.jpg")),
        Won(QStringLiteral("a, b \"c\"\r\nd.png"), kNovice, 1),
        Won(FileNameFromBytes("caf\xe9.png"), kGenius, 2),
        Won(QString(), kPro, 3),
        Won(QStringLiteral("tall.png"), {16, 3}, 4),
    };
    wins[1].style = Style::Strategy;
    wins[1].par = 38;
    wins[1].assisted = 3;
    wins[1].daily = QDate(2026, 5, 17);
    {
        Records records;
        ASSERT_TRUE(records.AddAll(wins));
    }
    Records records;
    const QString expected[][11] = {
        {"2026-05-17T21:00:03.250Z", "3x4", "Speed", "41", "83456", "", "0", "", "plain.jpg", "0", "0"},
        {"2026-05-17T21:01:03.250Z", "2x3", "Strategy", "41", "83456", "38", "3", "2026-05-17", "a, b \"c\"\r\nd.png", "0", "0"},
        {"2026-05-17T21:02:03.250Z", "4x6", "Speed", "41", "83456", "", "0", "", QString::fromUtf8("caf\uFFFD.png"), "0", "0"},
        {"2026-05-17T21:03:03.250Z", "3x3", "Speed", "41", "83456", "", "0", "", "", "0", "0"},
        {"2026-05-17T21:04:03.250Z", "16x3", "Speed", "41", "83456", "", "0", "", "tall.png", "0", "0"},
    };
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    QString error;
    ASSERT_TRUE(records.Export(out, &error, Records::Format::Csv)) << error.toStdString();
    const std::optional<Table> table = ReadCsv(out.data());
    ASSERT_TRUE(table) << out.data().constData();
    ASSERT_EQ(table->size(), std::size(expected) + 1);
    EXPECT_EQ(table->front(), (std::vector<QString>{"date", "size", "style", "moves", "time_ms", "par", "helped",
                                                    "daily", "picture", "dnf", "race"}));
    for (std::size_t r = 0; r < std::size(expected); ++r)
        EXPECT_EQ((*table)[r + 1], std::vector<QString>(std::begin(expected[r]), std::end(expected[r]))) << r;
}

// A picture's name that a spreadsheet would run as a formula is written as
// text; a name that only holds such a character later is left alone.
TEST(RecordsCsv, FormulasInNamesReachTheSpreadsheetAsText)
{
    TempCwd cwd;
    const struct {
        QString picture;
        QString written;
    } cases[] = {
        {"=cmd|' /C calc'!A0.png", "'=cmd|' /C calc'!A0.png"},
        {"+SUM(1+1).png", "'+SUM(1+1).png"},
        {"-2+3.png", "'-2+3.png"},
        {"@SUM(A1).png", "'@SUM(A1).png"},
        {"\tTab.png", "'\tTab.png"},
        {"\rReturn.png", "'\rReturn.png"},
        {"a=b.png", "a=b.png"},
    };
    std::vector<GameResult> wins;
    for (std::size_t i = 0; i < std::size(cases); ++i)
        wins.push_back(Won(cases[i].picture, kNovice, int(i)));
    Records records;
    ASSERT_TRUE(records.AddAll(wins));
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    ASSERT_TRUE(records.Export(out, nullptr, Records::Format::Csv));
    const std::optional<Table> table = ReadCsv(out.data());
    ASSERT_TRUE(table) << out.data().constData();
    ASSERT_EQ(table->size(), std::size(cases) + 1);
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ((*table)[i + 1][8], cases[i].written) << i;
}

// A size is written from the key the records keep; a key this version
// reads as no size (another spelling, a later version's) is written as it
// is, so the row still says what was kept.
TEST(RecordsCsv, SizeKeysAreWrittenAsCounts)
{
    const struct {
        const char* key;
        const char* size;
    } cases[] = {
        {"Novice", "2x3"}, {"Genius", "4x6"}, {"5x7", "5x7"}, {"2x2", "2x2"},      {"16x16", "16x16"},
        {"expert", "expert"}, {"3x4", "3x4"}, {"05x7", "05x7"}, {"17x2", "17x2"}, {"Huge", "Huge"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(records_csv::SizeOf(QString::fromLatin1(c.key)), QString::fromLatin1(c.size)) << c.key;
    GameResult custom = Won(QString(), {5, 7});
    EXPECT_TRUE(records_csv::Row(custom).startsWith("2026-05-17T21:00:03.250Z,5x7,Speed,41,")) << records_csv::Row(custom).constData();
}

// The file is chosen by its name's ending, in any case, and written whole
// or not at all.
TEST(RecordsCsv, AFileEndingInCsvIsWrittenWholeAsCsv)
{
    TempCwd cwd;
    Records records;
    ASSERT_TRUE(records.Add(Won(QStringLiteral("x.png"))));
    EXPECT_EQ(Records::FormatOf(QStringLiteral("wins.CSV")), Records::Format::Csv);
    EXPECT_EQ(Records::FormatOf(QStringLiteral("wins.csv.json")), Records::Format::Json);
    EXPECT_EQ(Records::FormatOf(QStringLiteral("csv")), Records::Format::Json);
    QString error;
    ASSERT_TRUE(records.ExportTo(QStringLiteral("wins.Csv"), &error, Records::FormatOf(QStringLiteral("wins.Csv"))));
    QFile written(QStringLiteral("wins.Csv"));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const std::optional<Table> table = ReadCsv(written.readAll());
    ASSERT_TRUE(table);
    EXPECT_EQ(table->size(), 2u);
    EXPECT_FALSE(records.ExportTo(QStringLiteral("missing/wins.csv"), &error, Records::Format::Csv));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(QDir(QStringLiteral(".")).entryList({QStringLiteral("*.csv*"), QStringLiteral("*.Csv*")}, QDir::Files),
              QStringList{QStringLiteral("wins.Csv")});
}
