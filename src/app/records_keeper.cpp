#include "app/records_keeper.h"

#include <utility>

namespace tesselo {

RecordsKeeper::RecordsKeeper(QString path) : records(std::move(path)) {}

RecordsKeeper::Kept RecordsKeeper::Keep(const GameResult& won)
{
    Kept kept;
    records.Open();
    kept.newBest = records.IsNewBest(won);
    Records::Failure failure;
    if (!records.Add(won, &failure))
        kept.failure = failure;
    return kept;
}

std::optional<Records::Failure> RecordsKeeper::Flush()
{
    Records::Failure failure;
    if (records.Unwritten() == 0 || records.Flush(&failure))
        return std::nullopt;
    return failure;
}

Records& RecordsKeeper::Current()
{
    records.Open();
    return records;
}

} // namespace tesselo
