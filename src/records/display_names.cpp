#include "records/display_names.h"

#include <QCoreApplication>

namespace tesselo {

namespace {

// The names are the model's keys (grid_size.h), marked for translation there.
constexpr const char* kContext = "tesselo::DisplayNames";

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
    for (const Level& level : kLevels)
        if (key == QLatin1String(level.key))
            return QCoreApplication::translate(kContext, level.key);
    for (const char* style : kStyleKeys)
        if (key == QLatin1String(style))
            return QCoreApplication::translate(kContext, style);
    return key;
}

} // namespace tesselo
