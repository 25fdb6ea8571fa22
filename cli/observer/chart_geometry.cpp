#include "cli/observer/detail.h"

#include <algorithm>
#include <cmath>

#include "anglemath/umath.h"

namespace trasel::detail {

PlanePoint ProjectOnSky(const SkyPosition& centre, const SkyPosition& point)
{
    const long double dRa = (static_cast<long double>(point.RightAscension) - centre.RightAscension) * kDegToRad;
    const long double dec0 = centre.Declination * kDegToRad;
    const long double dec = point.Declination * kDegToRad;
    const long double east = std::cos(dec) * std::sin(dRa);
    const long double north = std::cos(dec0) * std::sin(dec) - std::sin(dec0) * std::cos(dec) * std::cos(dRa);
    const long double cosDistance =
        std::clamp(std::sin(dec0) * std::sin(dec) + std::cos(dec0) * std::cos(dec) * std::cos(dRa), -1.0L, 1.0L);
    const long double distance = std::acos(cosDistance);
    // distance / sin(distance) stretches the tangent-plane direction to the
    // true distance; 1 at the centre, and held finite at the far side.
    const long double sine = std::sin(distance);
    const long double stretch = distance < 1e-9L ? 1.0L : distance / std::max(sine, 1e-9L);
    const long double toArcseconds = kRadToDeg * 3600.0L;
    return {east * stretch * toArcseconds, north * stretch * toArcseconds};
}

long double NiceLength(long double limit)
{
    long double power = 1;
    while (power * 10 <= limit && power < 1e30L)
        power *= 10;
    for (const long double mantissa : {5.0L, 2.0L})
        if (power * mantissa <= limit)
            return power * mantissa;
    return power;
}

std::int64_t LabelStride(std::int64_t rows, std::int64_t maxLabels)
{
    if (rows <= 1)
        return 1;
    maxLabels = std::max<std::int64_t>(maxLabels, 1);
    const auto fits = [&](std::int64_t stride) { return (rows - 1) / stride + 1 <= maxLabels; };
    for (const std::int64_t stride : {1, 2, 3, 4, 5, 6, 10, 12, 15, 20, 24, 30, 48, 60})
        if (fits(stride))
            return stride;
    std::int64_t power = 100;
    for (;;) {
        for (const std::int64_t mantissa : {1, 2, 5})
            if (fits(power * mantissa))
                return power * mantissa;
        power *= 10;
    }
}

}  // namespace trasel::detail
