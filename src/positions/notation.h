#pragma once

#include "positions/slide.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tesselo::solver {

// The written form of slides, with rows and columns numbered from 1: "R2+1"
// slides row 2 one cell right, "R2-3" three cells left, "C4+2" column 4
// two cells down, "C4-1" one up.
std::string ToNotation(const Slide& slide);
// Slides separated by single spaces; empty for none.
std::string ToNotation(const std::vector<Slide>& slides);

// Reads one slide in exactly the form ToNotation writes: "R" or "C", a line
// number from 1, a sign and a non-zero amount, without leading zeros.
// Whether it fits a grid is Position::Allows's question.
std::optional<Slide> ParseSlide(std::string_view text);
// Reads slides separated by single spaces; the empty text is no slides.
std::optional<std::vector<Slide>> ParseSlides(std::string_view text);

} // namespace tesselo::solver
