#pragma once

namespace tesselo {

// Carries the program's whole life in one call: the title card, then the
// game window, then the teardown.
class CTesseloApp {
public:
    // Runs the game; always returns false, the program ends after it.
    bool InitInstance();
};

} // namespace tesselo
