#include "model/clock_text.h"

#include <algorithm>

namespace tesselo {

QString ClockText(std::int64_t milliseconds)
{
    const std::int64_t e = std::max<std::int64_t>(milliseconds, 0);
    const std::int64_t t = (e + 50) / 100;
    return QString::asprintf("%lld:%2.2d:%2.2d.%1.1d", static_cast<long long>(t / (10 * 3600)),
                             int((t / 600) % 60), int((t / 10) % 60), int(t % 10));
}

} // namespace tesselo
