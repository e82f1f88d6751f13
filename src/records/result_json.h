#pragma once

#include "model/game_result.h"

#include <QJsonObject>
#include <QJsonValue>

#include <cstdint>
#include <optional>
#include <vector>

namespace tesselo {

// A won game as the records file of earlier versions, the pending wins and
// the export write it.
QJsonObject ResultToJson(const GameResult& result);
// The result `object` holds, or none when it is not one this version can
// count. `unknown` receives every field that ResultToJson would not give
// back as it was read (fields of later versions, a replay that does not fit
// its start, a date written more finely), so that writing the result back
// out with them loses nothing.
std::optional<GameResult> ResultFromJson(const QJsonObject& object, QJsonObject* unknown = nullptr);
// Gives `result` the replay when it fits: a playable start and steps that
// stay inside it. Otherwise leaves the result without one and returns false.
bool TakeReplay(GameResult& result, const QJsonValue& start, const QJsonValue& steps, std::int64_t movesBefore);
bool TakeReplay(GameResult& result, const QJsonValue& start, const QJsonValue& steps, const QJsonValue& movesBefore);
// The times of a win's moves (GameResult::stepTimes) as an array of whole
// milliseconds, and back: none unless there is one for each of `steps`
// moves, each a time a stopwatch shows and none before the one before.
QJsonValue StepTimesToJson(const std::vector<std::int32_t>& times);
std::vector<std::int32_t> StepTimesFromJson(const QJsonValue& value, std::size_t steps);

} // namespace tesselo
