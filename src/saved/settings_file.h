#pragma once

#include "model/grid_size.h"

#include <QString>
#include <QVariantMap>

namespace tesselo {

// The player's settings that the saved game's fixed layout has no room
// for, in "tesselo.ini" beside it: an INI file, read and written through
// QSettings. It is read once, when the game starts, and written whenever a
// setting changes. A file that cannot be taken as this game's settings
// (damaged, another program's, not a plain file, far too large) is ignored
// and never a reason not to start: it is set aside under another name and
// the settings are written anew.
class SettingsFile {
public:
    static constexpr const char* kFileName = "tesselo.ini";
    // The layout of the file: a later version may add keys, which this one
    // keeps as they are.
    static constexpr int kFormat = 1;
    // Far more than any settings file of this game needs.
    static constexpr qint64 kMaxBytes = 64 * 1024;

    struct Values {
        // Every move glides to its place; off, it jumps there.
        bool animateMoves = true;
        // Each tile shows its home number in a corner.
        bool numbersOnTiles = false;
        // The grid the Options offer under "Custom": the last one chosen.
        GridSize customSize{5, 5};
        // The style of play: the saved game's byte holds only "Strategy" or
        // "Speed", so "Fewest Moves" and "Blind" are kept here, and a game
        // resumes in this style when it plays like the one saved.
        Style style = Style::Strategy;
        bool operator==(const Values&) const = default;
    };

    explicit SettingsFile(QString path = QString::fromLatin1(kFileName));

    // Reads the file; the defaults where there is none, or none of ours.
    void Load();
    const Values& Current() const { return values; }
    // Takes new settings and writes them if they differ. False, with the
    // reason, when the file could not be written: the settings still hold
    // for this run.
    bool Change(const Values& changed, QString* error = nullptr);

private:
    bool Write(QString* error);

    QString path;
    Values values;
    // Everything read from the file, keys of later versions included.
    QVariantMap read;
};

} // namespace tesselo
