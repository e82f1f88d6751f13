#pragma once

#include <QString>

namespace tesselo::bench {

// A detailed photo-like picture, written as JPEG (quality 90) and PNG into
// dir as photo.jpg and photo.png. Returns false when either cannot be written.
bool WriteInputs(const QString& dir, int width, int height);

} // namespace tesselo::bench
