#include "saved/settings_file.h"

#include "files/safe_file.h"

#include <QSettings>
#include <QTemporaryFile>

#include <algorithm>
#include <optional>
#include <utility>

namespace tesselo {

namespace {

const QString kFormatKey = QStringLiteral("Tesselo/format");
const QString kAnimateKey = QStringLiteral("Tesselo/animateMoves");
const QString kNumbersKey = QStringLiteral("Tesselo/numbersOnTiles");
const QString kCustomSizeKey = QStringLiteral("Tesselo/customSize");
const QString kStyleKey = QStringLiteral("Tesselo/style");

// QSettings reads and writes INI files by name only, and the file in the
// play folder may be anything (a pipe would stall it). So the bytes are
// read or written safely elsewhere and QSettings works on a private copy.
std::optional<QVariantMap> ParseIni(const QByteArray& bytes)
{
    QTemporaryFile copy;
    if (!copy.open() || copy.write(bytes) != bytes.size() || !copy.flush())
        return std::nullopt;
    const QSettings ini(copy.fileName(), QSettings::IniFormat);
    if (ini.status() != QSettings::NoError)
        return std::nullopt;
    QVariantMap out;
    for (const QString& key : ini.allKeys())
        out.insert(key, ini.value(key));
    return out;
}

std::optional<QByteArray> FormatIni(const QVariantMap& values)
{
    QTemporaryFile copy;
    if (!copy.open())
        return std::nullopt;
    {
        QSettings ini(copy.fileName(), QSettings::IniFormat);
        for (auto it = values.begin(); it != values.end(); ++it)
            ini.setValue(it.key(), it.value());
        ini.sync();
        if (ini.status() != QSettings::NoError)
            return std::nullopt;
    }
    QFile written(copy.fileName());
    if (!written.open(QIODevice::ReadOnly))
        return std::nullopt;
    return written.readAll();
}

// A boolean as QSettings writes one; anything else is no setting of ours.
std::optional<bool> Boolean(const QVariant& value)
{
    const QString text = value.toString().trimmed().toLower();
    if (text == QLatin1String("true"))
        return true;
    if (text == QLatin1String("false"))
        return false;
    return std::nullopt;
}

} // namespace

SettingsFile::SettingsFile(QString file) : path(std::move(file)) {}

void SettingsFile::Load()
{
    values = Values();
    read.clear();
    ReadRefusal why = ReadRefusal::None;
    const std::optional<QByteArray> bytes = ReadWholeFile(path, 0, kMaxBytes, &why);
    if (why == ReadRefusal::Missing)
        return;
    const std::optional<QVariantMap> parsed = bytes ? ParseIni(*bytes) : std::nullopt;
    bool ours = parsed && parsed->value(kFormatKey).toInt() >= 1;
    Values found;
    // A key that is there must hold a value of its kind; one that is not
    // keeps its default.
    for (const auto& [key, field] : {std::pair{&kAnimateKey, &Values::animateMoves}, {&kNumbersKey, &Values::numbersOnTiles}}) {
        if (!ours || !parsed->contains(*key))
            continue;
        const std::optional<bool> value = Boolean(parsed->value(*key));
        ours = value.has_value();
        found.*field = value.value_or(found.*field);
    }
    if (ours && parsed->contains(kCustomSizeKey)) {
        const std::optional<GridSize> size = GridSize::FromName(parsed->value(kCustomSizeKey).toString().toStdString());
        ours = size.has_value();
        found.customSize = size.value_or(found.customSize);
    }
    // A style this version does not know (a later one's) leaves the default
    // and the file as it is.
    if (ours && parsed->contains(kStyleKey))
        found.style = Style::FromKey(parsed->value(kStyleKey).toString().toStdString()).value_or(found.style);
    if (ours) {
        values = found;
        read = *parsed;
        return;
    }
    // A file that could not be read at all, for want of permission, is left
    // where it is; anything else not ours is kept under another name.
    if (why == ReadRefusal::Unreadable)
        return;
    const bool damaged = !parsed || parsed->contains(kFormatKey);
    if (!SetFileAside(path, nullptr, damaged ? QStringLiteral("damaged") : QStringLiteral("foreign")).isEmpty())
        Write(nullptr);
}

bool SettingsFile::Change(const Values& changed, QString* error)
{
    if (changed == values)
        return true;
    values = changed;
    return Write(error);
}

bool SettingsFile::Write(QString* error)
{
    QVariantMap all = read;
    // A later version's file keeps its own format number and keys.
    all.insert(kFormatKey, std::max(all.value(kFormatKey).toInt(), kFormat));
    all.insert(kAnimateKey, values.animateMoves);
    all.insert(kNumbersKey, values.numbersOnTiles);
    // By its counts, even where a level has the size: "3x4", not "Expert".
    all.insert(kCustomSizeKey,
               QStringLiteral("%1x%2").arg(values.customSize.rows).arg(values.customSize.columns));
    all.insert(kStyleKey, QString::fromLatin1(values.style.Key()));
    const std::optional<QByteArray> bytes = FormatIni(all);
    if (!bytes) {
        if (error)
            *error = QStringLiteral("The settings could not be encoded.");
        return false;
    }
    // Through a link, only a settings file of this game is written over.
    const auto isOurs = [](const QString& target) {
        const std::optional<QByteArray> old = ReadWholeFile(target, 0, kMaxBytes);
        const std::optional<QVariantMap> parsed = old ? ParseIni(*old) : std::nullopt;
        return parsed && parsed->value(kFormatKey).toInt() >= 1;
    };
    if (!WriteFileAtomically(path, *bytes, error, isOurs))
        return false;
    read = all;
    return true;
}

} // namespace tesselo
