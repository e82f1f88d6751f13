#include "positions/notation.h"

#include <charconv>

namespace tesselo::solver {

namespace {

// A positive number in decimal without a leading zero, small enough for a
// line or an amount; what follows it is returned in `rest`.
std::optional<int> ReadNumber(std::string_view text, std::string_view& rest)
{
    if (text.empty() || text[0] < '1' || text[0] > '9')
        return std::nullopt;
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || value > 127)
        return std::nullopt;
    rest = text.substr(static_cast<std::size_t>(end - text.data()));
    return value;
}

} // namespace

std::string ToNotation(const Slide& slide)
{
    std::string text(1, slide.axis == Axis::Row ? 'R' : 'C');
    text += std::to_string(slide.line + 1);
    text += slide.amount < 0 ? '-' : '+';
    text += std::to_string(slide.amount < 0 ? -slide.amount : slide.amount);
    return text;
}

std::string ToNotation(const std::vector<Slide>& slides)
{
    std::string text;
    for (const Slide& slide : slides) {
        if (!text.empty())
            text += ' ';
        text += ToNotation(slide);
    }
    return text;
}

std::optional<Slide> ParseSlide(std::string_view text)
{
    if (text.size() < 4 || (text[0] != 'R' && text[0] != 'C'))
        return std::nullopt;
    Slide slide;
    slide.axis = text[0] == 'R' ? Axis::Row : Axis::Column;
    std::string_view rest;
    const auto line = ReadNumber(text.substr(1), rest);
    if (!line || rest.empty() || (rest[0] != '+' && rest[0] != '-'))
        return std::nullopt;
    const bool negative = rest[0] == '-';
    const auto amount = ReadNumber(rest.substr(1), rest);
    if (!amount || !rest.empty())
        return std::nullopt;
    slide.line = static_cast<std::int8_t>(*line - 1);
    slide.amount = static_cast<std::int8_t>(negative ? -*amount : *amount);
    return slide;
}

std::optional<std::vector<Slide>> ParseSlides(std::string_view text)
{
    std::vector<Slide> slides;
    while (!text.empty()) {
        const std::size_t space = text.find(' ');
        const auto slide = ParseSlide(text.substr(0, space));
        if (!slide)
            return std::nullopt;
        slides.push_back(*slide);
        if (space == std::string_view::npos)
            break;
        text.remove_prefix(space + 1);
        // A trailing or doubled space is no slide.
        if (text.empty())
            return std::nullopt;
    }
    return slides;
}

} // namespace tesselo::solver
