#include "cli/observer/observer.h"

#include <cmath>

#include "anglemath/umath.h"

namespace trasel {

FittedTrack ReadTrack(std::span<const std::string_view> lines)
{
    // Counted before anything is converted, as the calculation does.
    std::size_t count = 0;
    for (std::string_view line : lines)
        count += IsObservationLine(line) ? 1 : 0;
    if (count < 2)
        throw TraselError(std::string(kTooFewObservationsMessage));

    FittedTrack track;
    track.Designation = ReadDesignation(lines.front());
    track.Observations.reserve(count);
    track.Stations.reserve(count);
    for (std::string_view line : lines) {
        if (!IsObservationLine(line))
            continue;
        track.Observations.push_back(ReadObservation(line));
        track.Stations.push_back(Substring(line, 78, 3));
    }
    const double reference = track.Observations.front().RightAscension;
    for (Observation& observation : track.Observations)
        observation.RightAscension = UnwrapRightAscension(observation.RightAscension, reference);
    track.Fit = FitMotion(track.Observations.front().Time, track.Observations);
    return track;
}

RowSchedule ReadSchedule(const RunSettings& settings)
{
    RowSchedule schedule{};
    const DateTimeValue date = TextToDate(settings.StartDate);
    const DateTimeValue time = TextToTime(settings.StartTime);
    schedule.Start = StoreDouble(static_cast<long double>(date) + time);
    const long double step = TextToInteger(settings.Step);
    switch (settings.Unit) {
    case StepUnit::Days:
        schedule.Step = StoreDouble(step);
        break;
    case StepUnit::Hours:
        schedule.Step = StoreDouble(step / 24.0L);
        break;
    case StepUnit::Minutes:
        schedule.Step = StoreDouble(step / 24.0L / 60.0L);
        break;
    }
    schedule.Count = TextToInteger(settings.Count);
    return schedule;
}

double RowOffset(const RowSchedule& schedule, const MotionFit& fit, std::int64_t k)
{
    return StoreDouble((static_cast<long double>(schedule.Start) - fit.TimeOrigin) +
                       static_cast<long double>(k) * schedule.Step);
}

DateTimeValue RowTime(const RowSchedule& schedule, std::int64_t k)
{
    return StoreDouble(static_cast<long double>(k) * schedule.Step + schedule.Start);
}

SkyPosition PositionAt(const MotionFit& fit, double offset)
{
    const long double w = offset;
    return {StoreDouble(w * fit.RaSlope + fit.RaIntercept), StoreDouble(w * fit.DecSlope + fit.DecIntercept)};
}

double ApparentSpeed(const RowSchedule& schedule, const MotionFit& fit)
{
    // The listing's speed: the displacement over the hour after the start.
    const double d1 = StoreDouble(static_cast<long double>(schedule.Start) - fit.TimeOrigin);
    const double d2 = StoreDouble(d1 + 1.0L / 24.0L);
    const SkyPosition p1 = PositionAt(fit, d1);
    const SkyPosition p2 = PositionAt(fit, d2);
    const long double c = CosDeg(p1.Declination);
    const long double ra = c * (static_cast<long double>(p1.RightAscension) - p2.RightAscension);
    const long double dec = static_cast<long double>(p1.Declination) - p2.Declination;
    return StoreDouble(60.0L * std::sqrt(dec * dec + ra * ra));
}

}  // namespace trasel
