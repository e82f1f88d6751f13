#pragma once

#include <QSize>
#include <QString>

namespace tesselo::bench {

// Registers every benchmark on the given JPEG, of `picture` pixels, and
// board size.
void RegisterCases(const QString& jpegPath, QSize picture, QSize board);
// The painting and window benchmarks.
void RegisterViewCases(const QString& jpegPath, QSize board);
// The records benchmarks, on databases made in `dir`: 100,000 wins against
// a few (1,000 when `tiny`).
// The moving picture of a 100-move 5 x 5 solve on the JPEG, as GIF and as
// WebP (run once when `tiny`).
void RegisterAnimationCases(const QString& jpegPath, bool tiny);
void RegisterRecordsCases(const QString& dir, bool tiny);

} // namespace tesselo::bench
