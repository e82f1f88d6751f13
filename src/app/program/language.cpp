#include "app/program/language.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>

namespace tesselo {

namespace {

const QString kFolder = QStringLiteral(":/i18n");
const QString kPrefix = QStringLiteral("tesselo_");
const QString kSuffix = QStringLiteral(".qm");

} // namespace

bool TimeLocaleIsC(const QString& lcAll, const QString& lcTime, const QString& lang)
{
    // The first of these that is set decides, as it does for the C library.
    const QString& name = !lcAll.isEmpty() ? lcAll : !lcTime.isEmpty() ? lcTime : lang;
    return name.isEmpty() || name == QLatin1String("C") || name == QLatin1String("POSIX") ||
           name.startsWith(QLatin1String("C."));
}

QStringList ShippedLanguages()
{
    QStringList languages;
    for (const QString& file : QDir(kFolder).entryList({kPrefix + QLatin1Char('*') + kSuffix}, QDir::Files))
        languages.append(file.mid(kPrefix.size(), file.size() - kPrefix.size() - kSuffix.size()));
    return languages;
}

QString ChooseLanguage(const QStringList& uiLanguages, const QStringList& shipped)
{
    for (QString wanted : uiLanguages) {
        // Locale names come as "de-DE" from Qt, "de_DE" from the
        // environment; files are named the latter way.
        wanted.replace(QLatin1Char('-'), QLatin1Char('_'));
        const QString language = wanted.section(QLatin1Char('_'), 0, 0).toLower();
        if (language == QLatin1String("en"))
            return {};
        if (shipped.contains(wanted))
            return wanted;
        if (shipped.contains(language))
            return language;
    }
    return {};
}

Translation::Translation(const QString& language)
{
    // Installed first, so that it is asked last: the chosen language's own
    // plurals come before it.
    if (english.load(QStringLiteral(":/i18n-english/tesselo_en.qm")))
        QCoreApplication::installTranslator(&english);
    if (language.isEmpty()) {
        // Under a GUI application Qt takes the C locale for American
        // English, which would write "3/14/26"; the game keeps the
        // year-month-day it has always shown there.
        if (TimeLocaleIsC(qEnvironmentVariable("LC_ALL"), qEnvironmentVariable("LC_TIME"),
                          qEnvironmentVariable("LANG"))) {
            QLocale::setDefault(QLocale::c());
            localeSet = true;
        }
        return;
    }
    installed = game.load(kPrefix + language, kFolder) && QCoreApplication::installTranslator(&game);
    // Qt's texts only beside the game's own, so no window mixes languages.
    if (!installed)
        return;
    if (qt.load(QStringLiteral("qtbase_") + language, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qt);
    // LANGUAGE=de under LANG=C asks for German; the C locale would still
    // write its dates the C way.
    QLocale::setDefault(QLocale(language));
    localeSet = true;
}

Translation::~Translation()
{
    if (localeSet)
        QLocale::setDefault(before);
}

} // namespace tesselo
