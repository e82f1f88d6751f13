#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>
#include <QTranslator>

namespace tesselo {

// The languages of the translations built into the game ("de", "fr"): one
// for every tesselo_<language>.qm under :/i18n.
QStringList ShippedLanguages();

// The translation the player's languages ask for, most wanted first (as
// QLocale::uiLanguages() lists them: "de-DE", "fr", ...): the first that is
// shipped, matched whole or by its language alone. English, the language
// the game is written in, is always there: an empty result means English,
// whether the player asked for it or for nothing shipped.
QString ChooseLanguage(const QStringList& uiLanguages, const QStringList& shipped);

// Whether the environment's locale for times (LC_ALL, else LC_TIME, else
// LANG) is the C one: unset, "C", "C.UTF-8" or "POSIX".
bool TimeLocaleIsC(const QString& lcAll, const QString& lcTime, const QString& lang);

// Puts the game's translation into the given language, and Qt's own texts
// (the standard buttons of message boxes, the file dialog) where Qt's
// translations are installed, for as long as it lives; dates and numbers
// then follow that language too. Every language, English too, gets the
// English plural forms of texts with a count ("1 move", "2 moves") beneath
// it; otherwise English texts stay exactly as written, and the locale is the
// desktop's (the C one kept as C: see TimeLocaleIsC).
class Translation {
public:
    explicit Translation(const QString& language);
    ~Translation();
    Translation(const Translation&) = delete;
    Translation& operator=(const Translation&) = delete;

    // Whether the game's own translation was found and installed.
    bool Installed() const { return installed; }

private:
    QTranslator english; // plural forms only
    QTranslator game;
    QTranslator qt;
    bool installed = false;
    bool localeSet = false;
    QLocale before; // the default locale to put back
};

} // namespace tesselo
