#include <algorithm>
#include <cmath>
#include <cstdint>
#include <exception>
#include <optional>
#include <string>

#include "anglemath/umath.h"
#include "ephemeris/ephemeris.h"

namespace trasel {
namespace {

// One hour in days, as the extended constant nearest to 1/24.
constexpr long double kOneHour = 1.0L / 24.0L;

struct Position {
    double RightAscension;  // degrees
    double Declination;     // degrees
};

// alpha(w) = w*b + a in extended, stored.
Position PositionAt(const MotionFit& fit, double offset)
{
    return Position{StoreDouble(static_cast<long double>(offset) * fit.RaSlope + fit.RaIntercept),
                    StoreDouble(static_cast<long double>(offset) * fit.DecSlope + fit.DecIntercept)};
}

// Date first, then time: a bad date is reported even when the time is bad too.
DateTimeValue ReadStart(const RunSettings& settings)
{
    const DateTimeValue day = TextToDate(settings.StartDate);
    const DateTimeValue timeOfDay = TextToTime(settings.StartTime);
    return StoreDouble(static_cast<long double>(day) + timeOfDay);
}

// The step in days: "01" hours is 1/24 rounded once to double; "01" minutes
// is 1/24 then /60 in extended, rounded once.
double ReadStep(const RunSettings& settings)
{
    const long double step = TextToInteger(settings.Step);
    switch (settings.Unit) {
    case StepUnit::Hours:
        return StoreDouble(step / 24.0L);
    case StepUnit::Minutes:
        return StoreDouble(step / 24.0L / 60.0L);
    case StepUnit::Days:
        break;
    }
    return StoreDouble(step);
}

// The speed over the hour from the start: 60 times the displacement in
// degrees is arcseconds per minute, so 1 degree a day in right ascension at
// declination 0 reads 2.50, and at declination 60, 1.25.
std::string SpeedLine(DateTimeValue start, const MotionFit& fit)
{
    const double d1 = StoreDouble(static_cast<long double>(start) - fit.TimeOrigin);
    const Position p1 = PositionAt(fit, d1);
    const double d2 = StoreDouble(d1 + kOneHour);
    const Position p2 = PositionAt(fit, d2);

    const long double c = CosDeg(p1.Declination);
    const long double raMotion = c * (static_cast<long double>(p1.RightAscension) - p2.RightAscension);
    const long double q = raMotion * raMotion;
    const long double decMotion = static_cast<long double>(p1.Declination) - p2.Declination;
    const double v = StoreDouble(60.0L * std::sqrt(decMotion * decMotion + q));
    return "Velocidad aparente: " + FormatNumber("0.00", v) + " \"/min";
}

// Row k: the position at (start - T0) + k*step, the time k*step + start.
std::string Row(const std::string& designation, DateTimeValue start, double step, std::int64_t k,
                const MotionFit& fit)
{
    const long double stepsSoFar = static_cast<long double>(k) * step;
    const double offset = StoreDouble((static_cast<long double>(start) - fit.TimeOrigin) + stepsSoFar);
    const Position position = PositionAt(fit, offset);
    const double raRadians = StoreDouble(position.RightAscension * kDegToRad);
    const double decRadians = StoreDouble(position.Declination * kDegToRad);
    const DateTimeValue time = StoreDouble(stepsSoFar + start);

    std::string row = designation;
    row += "  ";
    row += FormatDateTime("dd/mm/yyyy hh:mm:ss", time);
    row += "  ";
    row += RAToText(1, raRadians);
    row += "  ";
    row += DecToText(1, decRadians);
    return row;
}

}  // namespace

void CalculateEphemeris(std::span<const std::string_view> lines, const RunSettings& settings,
                        ResultBox& resultBox, MessageDialog& dialog)
{
    const auto observationLines = static_cast<std::size_t>(std::count_if(lines.begin(), lines.end(), IsObservationLine));
    if (observationLines < 2) {
        dialog.ShowMessage(kTooFewObservationsMessage);
        return;
    }

    const std::string designation = ReadDesignation(lines.front());

    // Reading and the sums go line by line, so the observations need not be
    // kept. The origin is the first observation's own time even under a
    // heading line: absolute dates near 40,000 days in the sums would cost a
    // short arc its slope. Every line is read before the fit may fail, so an
    // overflow in the sums waits until the last line has converted.
    std::optional<detail::MotionSums> sums;
    std::exception_ptr sumsFailure;
    for (const std::string_view line : lines) {
        if (!IsObservationLine(line))
            continue;
        const Observation observation = ReadObservation(line);
        if (!sums)
            sums.emplace(observation.Time, observation.RightAscension);
        if (sumsFailure)
            continue;
        try {
            sums->Add(observation);
        } catch (const TraselError&) {
            sumsFailure = std::current_exception();
        }
    }
    if (sumsFailure)
        std::rethrow_exception(sumsFailure);
    const MotionFit fit = sums->Fit();

    const DateTimeValue start = ReadStart(settings);
    const double step = ReadStep(settings);

    // Up to here a failure leaves the previous listing in the box.
    resultBox.Clear();
    resultBox.Append(SpeedLine(start, fit));
    resultBox.Append("");

    const std::int32_t count = TextToInteger(settings.Count);
    for (std::int64_t k = 0; k <= count; ++k)
        resultBox.Append(Row(designation, start, step, k, fit));

    resultBox.Append("");
    resultBox.Append(kProgramCaption);
    resultBox.Append(kProjectWebAddress);
}

}  // namespace trasel
