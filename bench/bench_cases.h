#pragma once

#include <QSize>
#include <QString>

namespace tesselo::bench {

// Registers every benchmark on the given JPEG and board size.
void RegisterCases(const QString& jpegPath, QSize board);
// The painting and window benchmarks.
void RegisterViewCases(const QString& jpegPath, QSize board);

} // namespace tesselo::bench
