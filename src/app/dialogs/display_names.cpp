#include "app/dialogs/display_names.h"

#include "model/levels.h"

#include <QCoreApplication>

namespace tesselo {

namespace {

constexpr const char* kContext = "tesselo::DisplayNames";

constexpr const char* kNames[] = {
    //: Level: the 2 x 3 grid
    QT_TRANSLATE_NOOP("tesselo::DisplayNames", "Novice"),
    //: Level: the 3 x 3 grid
    QT_TRANSLATE_NOOP("tesselo::DisplayNames", "Pro"),
    //: Level: the 3 x 4 grid
    QT_TRANSLATE_NOOP("tesselo::DisplayNames", "Expert"),
    //: Level: the 4 x 6 grid
    QT_TRANSLATE_NOOP("tesselo::DisplayNames", "Genius"),
    //: Style: the fewest moves win
    QT_TRANSLATE_NOOP("tesselo::DisplayNames", "Strategy"),
    //: Style: the shortest time wins, against a ticking stopwatch
    QT_TRANSLATE_NOOP("tesselo::DisplayNames", "Speed"),
};

} // namespace

QString DisplayName(GridSize size)
{
    if (const std::optional<std::size_t> level = size.Level())
        return QCoreApplication::translate(kContext, kLevels[*level].key);
    //: A grid no level has: its rows and columns, as "5 × 7"
    return QCoreApplication::translate("tesselo::DisplayNames", "%1 × %2").arg(size.rows).arg(size.columns);
}

QString DisplayName(Style style)
{
    return QCoreApplication::translate(kContext, style.Key());
}

QString DisplayName(const QString& key)
{
    for (const char* name : kNames)
        if (key == QLatin1String(name))
            return QCoreApplication::translate(kContext, name);
    return key;
}

} // namespace tesselo
