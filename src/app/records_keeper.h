#pragma once

#include "model/records.h"

#include <QString>

#include <cstddef>
#include <optional>

namespace tesselo {

// The records of won games as the window uses them: each win kept the
// moment it is made (a win survives a crash a second later), and the
// records read afresh for the records window. A win that cannot be written
// waits in memory and goes with the next one, or at the close.
class RecordsKeeper {
public:
    explicit RecordsKeeper(QString path = QString::fromLatin1(Records::kFileName));

    struct Kept {
        bool newBest = false;
        // Set when the win could not be written yet.
        std::optional<Records::Failure> failure;
    };
    Kept Keep(const GameResult& won);
    // Writes the wins still waiting: nothing when none is left, else why.
    std::optional<Records::Failure> Flush();
    std::size_t Unwritten() const { return records.Unwritten(); }
    // The records as they stand now, another window's wins included.
    Records& Current();

private:
    Records records;
};

} // namespace tesselo
