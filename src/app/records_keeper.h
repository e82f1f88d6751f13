#pragma once

#include "model/records.h"

#include <QString>

namespace tesselo {

// The records of won games as the window uses them: each win kept the
// moment it is made (a win survives a crash a second later), and the
// records read afresh for the records window.
class RecordsKeeper {
public:
    explicit RecordsKeeper(QString path = QString::fromLatin1(Records::kFileName));

    // Keeps `won`; true when it is a new best of its kind.
    bool Keep(const GameResult& won);
    // The records as they stand now, another window's wins included.
    Records& Current();

private:
    Records records;
};

} // namespace tesselo
