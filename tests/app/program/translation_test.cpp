#include "app/dialogs/c_help_dlg.h"
#include "app/dialogs/c_option_dlg.h"
#include "app/dialogs/c_records_dlg.h"
#include "app/dialogs/c_splash_dlg.h"
#include "app/dialogs/daily_wins_page.h"
#include "records/display_names.h"
#include "app/program/language.h"
#include "app/window_fixture.h"
#include "charts/progress_panel.h"
#include "model/game.h"
#include "support/saved_games.h"
#include "support/temp_cwd.h"
#include "view/paused_panel.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTimer>
#include <QTranslator>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <tuple>

using namespace tesselo;
using namespace tesselo::testing;

TEST(Language, TheFirstShippedLanguageOfThePlayersIsChosen)
{
    const QStringList shipped = {QStringLiteral("de"), QStringLiteral("fr"), QStringLiteral("pt_BR")};
    const struct {
        QStringList wanted;
        const char* chosen;
    } cases[] = {
        {{"de-DE", "de"}, "de"},
        {{"de_AT"}, "de"},              // matched by its language alone
        {{"it-IT", "it", "fr-CA"}, "fr"}, // Italian is not shipped: the next one
        {{"en-GB", "de"}, ""},          // English first: the texts as written
        {{"EN", "fr"}, ""},
        {{"pt-BR"}, "pt_BR"},           // a translation for one country
        {{"pt-PT", "pt"}, ""},          // is not one for another
        {{"C"}, ""},                    // LANG=C, LANGUAGE unset
        {{"und"}, ""},
        {{}, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ChooseLanguage(c.wanted, shipped), QString::fromLatin1(c.chosen)) << c.wanted.join(u',').toStdString();
    // What Qt makes of the desktop's settings comes through the same way.
    EXPECT_EQ(ChooseLanguage(QLocale(QStringLiteral("fr_BE")).uiLanguages(), shipped), "fr");
    EXPECT_EQ(ChooseLanguage(QLocale::c().uiLanguages(), shipped), "");
}

TEST(Language, EveryShippedTranslationIsBuiltInAndInstallsWithQtsOwn)
{
    QStringList shipped = ShippedLanguages();
    shipped.sort();
    EXPECT_EQ(shipped, QStringList({"de", "es", "fr"}));

    const auto proceed = [] { return CSplashDlg().proceedButton->text(); };
    const auto standardCancel = [] {
        QMessageBox box(QMessageBox::Question, QString(), QString(), QMessageBox::Cancel);
        return box.button(QMessageBox::Cancel)->text();
    };
    const QString english = proceed();
    const QString englishCancel = standardCancel();
    ASSERT_EQ(english, "Proceed");
    {
        const Translation none{QString()};
        EXPECT_FALSE(none.Installed());
        EXPECT_EQ(proceed(), english);
        // English counts come in English plural forms, not as "1 move(s)".
        const auto helped = [](int n) {
            return QCoreApplication::translate("tesselo::RecordsTable", "%n move(s)",
                                               "moves the game made for the player", n);
        };
        EXPECT_EQ(helped(1), "1 move");
        EXPECT_EQ(helped(3), "3 moves");
        const auto lose = [](int n) {
            return QCoreApplication::translate("tesselo::PlayerMessages", "Close and Lose %n Win(s)", nullptr, n);
        };
        EXPECT_EQ(lose(1), "Close and Lose It");
        EXPECT_EQ(lose(3), "Close and Lose 3 Wins");
        const Translation unknown{QStringLiteral("xx")};
        EXPECT_FALSE(unknown.Installed());
        EXPECT_EQ(standardCancel(), englishCancel);
    }
    for (const char* language : {"de", "fr", "es"}) {
        const Translation translation{QString::fromLatin1(language)};
        ASSERT_TRUE(translation.Installed()) << language;
        EXPECT_NE(proceed(), english) << language;
        EXPECT_NE(DisplayName(QStringLiteral("Genius")), "Genius") << language;
        // Qt's translations come with the Debian package qt6-translations-l10n.
        EXPECT_NE(standardCancel(), englishCancel) << language << ": Qt's own texts stayed English";
    }
    EXPECT_EQ(proceed(), english) << "a translation outlived its object";
    EXPECT_EQ(standardCancel(), englishCancel);
    EXPECT_EQ(DisplayName(QStringLiteral("Genius")), "Genius");
    EXPECT_EQ(DisplayName(QStringLiteral("Something else")), "Something else");
}

// The language chosen at start writes the dates of the Records window too
// (LANGUAGE=de under LANG=C included); with no translation they keep their
// year-month-day. The stopwatch reads the same in every language.
TEST(Language, TheRecordsWindowWritesDatesInTheChosenLanguage)
{
    TempCwd cwd;
    Records records;
    GameResult won;
    won.size = kPro;
    won.style = Style::Speed;
    won.milliseconds = 61000;
    won.finished = QDateTime(QDate(2026, 3, 14), QTime(12, 0), Qt::UTC);
    won.daily = QDate(2026, 3, 13);
    ASSERT_TRUE(records.Add(won));
    const auto shown = [&] {
        CRecordsDlg dialog(records, won.size, won.style);
        const int best = dialog.summary->currentRow();
        return QStringList{dialog.summary->item(best, 3)->text(), dialog.summary->item(best, 2)->text(),
                           dialog.dailyPage->daily->item(0, 0)->text()};
    };
    EXPECT_EQ(shown(), QStringList({"2026-03-14", "0:01:01.0", "2026-03-13"}));
    {
        const Translation german{QStringLiteral("de")};
        ASSERT_TRUE(german.Installed());
        EXPECT_EQ(shown(), QStringList({"14.03.26", "0:01:01.0", "13.03.26"}));
    }
    EXPECT_EQ(shown(), QStringList({"2026-03-14", "0:01:01.0", "2026-03-13"}));

    // A GUI application under LANG=C reports American English; in English
    // the C locale still keeps year-month-day, while a real one is followed.
    const QLocale before;
    QLocale::setDefault(QLocale(QStringLiteral("en_US")));
    const QByteArray lcAll = qgetenv("LC_ALL");
    qputenv("LC_ALL", "C.UTF-8");
    {
        const Translation english{QString()};
        EXPECT_EQ(shown(), QStringList({"2026-03-14", "0:01:01.0", "2026-03-13"}));
    }
    EXPECT_EQ(shown()[0], "3/14/26");
    if (lcAll.isNull())
        qunsetenv("LC_ALL");
    else
        qputenv("LC_ALL", lcAll);
    QLocale::setDefault(before);
    for (const auto& [all, time, lang, c] : {std::tuple{"", "", "", true}, {"", "", "C", true},
                                             {"", "", "C.UTF-8", true}, {"", "", "POSIX", true},
                                             {"", "", "en_US.UTF-8", false}, {"", "de_DE", "C", false},
                                             {"C", "de_DE", "fr_FR", true}, {"", "", "Ca_ES", false}})
        EXPECT_EQ(TimeLocaleIsC(all, time, lang), c) << all << " " << time << " " << lang;
}

namespace {

// The placeholders of a text (%1, %n) and its keyboard mnemonic (&O), in
// whatever order a language puts them.
QStringList Markers(const QString& text)
{
    static const QRegularExpression marker(QStringLiteral(R"(%(\d|n)|&[^&\s])"));
    QStringList found;
    for (const QRegularExpressionMatch& m : marker.globalMatch(QString(text).remove(QStringLiteral("&&"))))
        found << (m.captured().startsWith(QLatin1Char('&')) ? QStringLiteral("&") : m.captured());
    found.sort();
    return found;
}

} // namespace

// Every text of every language file is translated and keeps the
// placeholders and the mnemonic of its source: a text left unfinished by
// "update_translations" shows in English, one without its %1 loses what it
// was to say.
TEST(Language, EveryTranslationIsFinishedAndKeepsItsPlaceholders)
{
    for (const QString& language : ShippedLanguages()) {
        QFile file(QStringLiteral(TESSELO_TRANSLATIONS_DIR "/tesselo_%1.ts").arg(language));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
        QXmlStreamReader ts(&file);
        QString source;
        int messages = 0;
        while (!ts.atEnd()) {
            if (ts.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (ts.name() == QLatin1String("source")) {
                source = ts.readElementText();
            } else if (ts.name() == QLatin1String("translation")) {
                const QStringView type = ts.attributes().value(QLatin1String("type"));
                if (type == QLatin1String("vanished") || type == QLatin1String("obsolete")) {
                    ts.skipCurrentElement();
                    continue;
                }
                ++messages;
                const std::string where = language.toStdString() + ": " + source.toStdString();
                EXPECT_FALSE(type == QLatin1String("unfinished")) << where << " is unfinished";
                // A text with a count has a form for each plural of the
                // language; each is checked as a whole text.
                QStringList forms;
                QString plain;
                while (!ts.atEnd() &&
                       !(ts.readNext() == QXmlStreamReader::EndElement && ts.name() == QLatin1String("translation"))) {
                    if (ts.isCharacters())
                        plain += ts.text();
                    else if (ts.isStartElement() && ts.name() == QLatin1String("numerusform"))
                        forms << ts.readElementText();
                }
                if (forms.isEmpty())
                    forms << plain;
                for (const QString& translation : forms) {
                    EXPECT_FALSE(translation.trimmed().isEmpty()) << where;
                    EXPECT_EQ(Markers(translation), Markers(source)) << where << " | " << translation.toStdString();
                }
            }
        }
        EXPECT_FALSE(ts.hasError()) << language.toStdString() << ": " << ts.errorString().toStdString();
        EXPECT_GT(messages, 0) << language.toStdString();
    }
}

// Where a text names one of the game's things, its translation names it
// with the word the README's glossary gives, so that the windows, the help
// page and the menus agree (a plural or a compound counts).
TEST(Language, TranslationsNameThingsByTheGlossarysWords)
{
    const struct {
        const char* english; // a word of the source, as a whole word
        std::map<QString, QStringList> words; // any of these in the translation
    } glossary[] = {
        {"boards?", {{"de", {"Spielfeld"}}, {"fr", {"plateau"}}, {"es", {"tablero"}}}},
        {"tiles?", {{"de", {"Teil"}}, {"fr", {"pièce"}}, {"es", {"pieza"}}}},
        {"hints?", {{"de", {"Tipp"}}, {"fr", {"indice"}}, {"es", {"pista"}}}},
        {"pictures?", {{"de", {"Bild"}}, {"fr", {"image"}}, {"es", {"imagen", "imágenes"}}}},
        {"daily puzzles?", {{"de", {"Tagesrätsel"}}, {"fr", {"du jour"}}, {"es", {"del día"}}}},
    };
    for (const QString& language : ShippedLanguages()) {
        QFile file(QStringLiteral(TESSELO_TRANSLATIONS_DIR "/tesselo_%1.ts").arg(language));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
        QXmlStreamReader ts(&file);
        QString source;
        bool counted = false; // each form of a text with a count is read alone
        while (!ts.atEnd()) {
            if (ts.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (ts.name() == QLatin1String("message")) {
                counted = ts.attributes().value(QLatin1String("numerus")) == QLatin1String("yes");
            } else if (ts.name() == QLatin1String("source")) {
                source = ts.readElementText();
            } else if (ts.name() == (counted ? QLatin1String("numerusform") : QLatin1String("translation"))) {
                const QString translation = ts.readElementText();
                for (const auto& entry : glossary) {
                    const QRegularExpression named(QStringLiteral("\\b%1\\b").arg(QLatin1String(entry.english)),
                                                   QRegularExpression::CaseInsensitiveOption);
                    if (!source.contains(named) || translation.trimmed().isEmpty())
                        continue;
                    const QStringList& words = entry.words.at(language);
                    EXPECT_TRUE(std::any_of(words.begin(), words.end(), [&](const QString& word) {
                        return translation.contains(word, Qt::CaseInsensitive);
                    })) << language.toStdString() << ": " << source.toStdString() << " | " << translation.toStdString();
                }
            }
        }
        EXPECT_FALSE(ts.hasError()) << language.toStdString();
    }
}

namespace {

// A text that shows without the markers of the pseudo translation around
// every part of it that holds a letter; the game's name is the same in
// every language.
bool Unmarked(const QString& text)
{
    // Innermost first: a message may hold a marked reason.
    static const QRegularExpression marked(QStringLiteral(R"(\[\[((?!\[\[).)*?\]\])"),
                                           QRegularExpression::DotMatchesEverythingOption);
    if (text == QLatin1String("Tesselo") || text == QLatin1String("TESSELO"))
        return false;
    QString rest = text;
    for (qsizetype size = -1; size != rest.size();) {
        size = rest.size();
        rest.remove(marked);
    }
    return std::any_of(rest.begin(), rest.end(), [](QChar c) { return c.isLetter(); });
}

// Every text a player can read in a window that is not marked: its title,
// the captions of its controls, their tooltips, the items of lists and
// tables, the entries of a menu. The standard buttons of a message box are
// Qt's, translated by Qt's own files.
std::set<std::string> UnmarkedTexts(QWidget* window)
{
    QStringList texts = {window->windowTitle(), window->toolTip()};
    if (auto* menu = qobject_cast<QMenu*>(window))
        for (const QAction* action : menu->actions())
            texts << action->text() << action->toolTip();
    auto* box = qobject_cast<QMessageBox*>(window);
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window))
            continue;
        texts << w->toolTip();
        if (auto* l = qobject_cast<QLabel*>(w))
            texts << l->text();
        else if (auto* b = qobject_cast<QAbstractButton*>(w); b && !(box && box->standardButton(b)))
            texts << b->text();
        else if (auto* g = qobject_cast<QGroupBox*>(w))
            texts << g->title();
        else if (auto* c = qobject_cast<QComboBox*>(w))
            for (int i = 0; i < c->count(); ++i)
                texts << c->itemText(i);
        else if (auto* t = qobject_cast<QTableWidget*>(w))
            for (int c = 0; c < t->columnCount(); ++c) {
                if (const QTableWidgetItem* header = t->horizontalHeaderItem(c))
                    texts << header->text();
                for (int r = 0; r < t->rowCount(); ++r)
                    texts << t->item(r, c)->text();
            }
    }
    std::set<std::string> unmarked;
    for (const QString& text : texts)
        if (Unmarked(text))
            unmarked.insert(text.toStdString());
    return unmarked;
}

// Looks at the modal window a call opens, then closes it.
std::set<std::string> UnmarkedInModal(const std::function<void()>& open)
{
    std::set<std::string> found = {"no modal window opened"};
    QTimer::singleShot(0, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            found = UnmarkedTexts(modal);
            modal->close();
        }
    });
    open();
    return found;
}

} // namespace

// Under a translation that wraps every text of the sources in [[ ]], every
// window and menu shows nothing without the markers.
TEST(PseudoTranslation, EveryTextAPlayerSeesGoesThroughTranslation)
{
    QTranslator pseudo;
    ASSERT_TRUE(pseudo.load(QStringLiteral(TESSELO_PSEUDO_QM)));
    QCoreApplication::installTranslator(&pseudo);
    const std::set<std::string> none;
    TempCwd cwd;

    CSplashDlg splash;
    EXPECT_EQ(UnmarkedTexts(&splash), none) << "splash";
    COptionDlg options;
    options.folder = QStringLiteral("./Pictures/");
    options.OnInitDialog();
    EXPECT_EQ(UnmarkedTexts(&options), none) << "options";
    options.folderEdit->setText(QString(300, QLatin1Char('x')));
    EXPECT_EQ(UnmarkedInModal([&] { options.accept(); }), none) << "options refusing a folder";
    CHelpDlg help;
    EXPECT_EQ(UnmarkedTexts(&help), none) << "help";

    // The main window before a game, in play, paused, and after a new best.
    Window main;
    EXPECT_EQ(UnmarkedTexts(&main.dlg), none) << "main window";
    main.game.SetStrategyStyle(false);
    main.dlg.OnBnClickedNewGame();
    main.Tick();
    EXPECT_EQ(UnmarkedTexts(&main.dlg), none) << "main window in a Speed game";
    const std::unique_ptr<QMenu> menu = main.dlg.MakeBoardMenu();
    EXPECT_EQ(UnmarkedTexts(menu.get()), none) << "board menu";
    for (const QString& text : {PausedPanel::Title(), PausedPanel::Hint()})
        EXPECT_FALSE(Unmarked(text)) << "paused panel: " << text.toStdString();
    QGuiApplication::clipboard()->setText(QStringLiteral("no game here"));
    EXPECT_EQ(UnmarkedInModal([&] { main.dlg.Sharing().PasteId(); }), none) << "pasting what is not a game ID";
    main.dlg.Kept().Keep(main.game.ResultOfWin({}));
    ASSERT_TRUE(main.SettleRecords());
    ASSERT_NE(main.dlg.windowTitle(), QStringLiteral("Tesselo"));
    EXPECT_EQ(UnmarkedTexts(&main.dlg), none) << "main window announcing a new best";

    // The records window with wins of a kind and a daily win, on both tabs.
    Records records;
    GameResult won;
    won.size = kExpert;
    won.style = Style::Speed;
    won.finished = QDateTime::currentDateTimeUtc();
    ASSERT_TRUE(records.Add(won));
    won.assisted = 2;
    won.par = 40;
    won.daily = won.finished.date();
    ASSERT_TRUE(records.Add(won));
    won.size = {5, 7}; // a size no level has, among the sizes and the daily puzzles
    ASSERT_TRUE(records.Add(won));
    CRecordsDlg recordsDlg(records, won.size, won.style);
    EXPECT_EQ(UnmarkedTexts(&recordsDlg), none) << "records window";
    recordsDlg.lists->setCurrentWidget(recordsDlg.progressTab);
    EXPECT_EQ(UnmarkedTexts(&recordsDlg), none) << "records window, progress";
    recordsDlg.lists->setCurrentWidget(recordsDlg.dailyPage);
    ASSERT_EQ(recordsDlg.dailyPage->daily->rowCount(), 2);
    EXPECT_EQ(UnmarkedTexts(&recordsDlg), none) << "records window, daily puzzles";

    // The messages, with the reasons as the model gives them.
    Game game;
    CTesseloDlg messages(game);
    Prompter& ask = messages.Prompts();
    QString reason;
    QFile link(QStringLiteral("tesselo.dat"));
    ASSERT_TRUE(QFile(QStringLiteral("letter.txt")).open(QIODevice::WriteOnly));
    ASSERT_TRUE(QFile::link(QStringLiteral("letter.txt"), link.fileName()));
    ASSERT_FALSE(SaveGame(game, &reason));
    EXPECT_EQ(UnmarkedInModal([&] { ask.Ask(&messages, Prompt{Prompt::Kind::SaveFailed, reason}); }), none)
        << "save failure";
    const Records::Failure failure{QStringLiteral("tesselo-records.sqlite"), Records::tr("The disk is full.")};
    EXPECT_EQ(UnmarkedInModal([&] { ask.Ask(&messages, Prompt{Prompt::Kind::WinNotKept, failure.Message()}); }), none)
        << "win not kept";
    EXPECT_EQ(UnmarkedInModal([&] {
        ask.Ask(&messages, Prompt{Prompt::Kind::WinsAtRisk, failure.reason, failure.file, 2});
    }), none) << "closing, losing wins";

    QCoreApplication::removeTranslator(&pseudo);
}
