#include "positions/slide.h"

#include "positions/line_wrap.h"

namespace tesselo::solver {

int NormalisedAmount(std::int64_t amount, int length)
{
    if (length <= 0)
        return 0;
    int k = WrapIndex(amount, length);
    if (2 * k > length)
        k -= length;
    return k;
}

Slide InverseSlide(const Slide& slide, int length)
{
    return Slide{slide.axis, slide.line, static_cast<std::int8_t>(NormalisedAmount(-slide.amount, length))};
}

} // namespace tesselo::solver
