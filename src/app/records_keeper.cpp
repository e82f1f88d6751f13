#include "app/records_keeper.h"

#include <utility>

namespace tesselo {

RecordsKeeper::RecordsKeeper(QString path) : records(std::move(path)) {}

bool RecordsKeeper::Keep(const GameResult& won)
{
    records.Open();
    const bool best = records.IsNewBest(won);
    records.Add(won);
    return best;
}

Records& RecordsKeeper::Current()
{
    records.Open();
    return records;
}

} // namespace tesselo
