// What trasel-cli adds for the observer on top of the listing: passing over
// lines that hold no position, one listing per object, the rates and
// position angle of the motion, the residuals of the fit, the uncertainty of
// each predicted position, a JSON document and an SVG chart.
//
// Everything here is computed from the same reader and fit as the listing;
// the extra numbers are carried in long double and written with
// FormatNumber. Nothing here prints; failures are the core's exceptions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ephemeris/ephemeris.h"

namespace trasel {

// ------------------------------------------------ lines without a position

// Why an observation line holds no position of the object, or nothing when
// it does. Column 15 decides: "s", "v" and "r" mark the second line of a
// satellite, roving-observer or radar record, "R" a radar record. Lines
// shorter than 80 characters are not observations and get nothing.
std::optional<std::string> NonPositionReason(std::string_view line);

struct SkippedLine {
    std::size_t LineNumber;  // counted from 1
    std::string Reason;
};

struct PositionLines {
    // The input with every skipped line cut to its first 12 columns: it is no
    // longer an observation line, yet a skipped first line still gives the
    // designation it would have given.
    std::vector<std::string_view> Lines;
    std::vector<SkippedLine> Skipped;
    std::size_t ObservationsUsed = 0;  // observation lines left
};

PositionLines DropNonPositions(std::span<const std::string_view> lines);

// ------------------------------------------------------ several objects

struct ObjectLines {
    std::string Designation;                // columns 1-12, trimmed
    std::vector<std::string_view> Lines;    // its observation lines, in input order
    std::vector<std::size_t> LineNumbers;   // where each stood, counted from 1
};

// The observation lines grouped by designation, objects in order of first
// appearance. Lines shorter than 80 characters belong to no object.
std::vector<ObjectLines> GroupByDesignation(std::span<const std::string_view> lines);

// ---------------------------------------------------- the track and its rows

// The observations of one object as the calculation fits them.
struct FittedTrack {
    std::string Designation;                 // ReadDesignation of line 0
    std::vector<Observation> Observations;   // right ascension within 180 deg of the first
    std::vector<std::string> Stations;       // columns 78-80 of each, as they stand
    MotionFit Fit;                           // T0 = the first observation's time
};

// Reads every observation line, unwraps (UnwrapRightAscension) and fits as
// the calculation does; the reader's and the fit's errors pass. Needs two
// observation lines or more (TraselError with kTooFewObservationsMessage
// otherwise).
FittedTrack ReadTrack(std::span<const std::string_view> lines);

// The start, step and count that the run settings give, read in the
// calculation's order (date, time, step, count) with its conversions.
struct RowSchedule {
    DateTimeValue Start;
    double Step;          // days
    std::int32_t Count;   // rows are k = 0..Count
};
RowSchedule ReadSchedule(const RunSettings& settings);

struct SkyPosition {
    double RightAscension;  // degrees, as fitted (not reduced)
    double Declination;     // degrees
};

// w = (start - T0) + k*step and the row time k*step + start, as the listing
// forms them.
double RowOffset(const RowSchedule& schedule, const MotionFit& fit, std::int64_t k);
DateTimeValue RowTime(const RowSchedule& schedule, std::int64_t k);

// a + w*b for both lines, each rounded to double.
SkyPosition PositionAt(const MotionFit& fit, double offset);

// The apparent speed of the listing's first line, "/min.
double ApparentSpeed(const RowSchedule& schedule, const MotionFit& fit);

// ------------------------------------------------------------ one report

struct ListingRow {
    std::int64_t Index;     // k
    double Offset;          // w, days from T0
    DateTimeValue Time;
    SkyPosition Position;
    std::string TimeText;   // the listing's own texts of the row
    std::string RaText;
    std::string DecText;
};

struct ObjectReport {
    FittedTrack Track;
    RowSchedule Schedule;
    double Speed;                      // "/min
    std::vector<ListingRow> Rows;      // the rows the listing holds
    std::vector<std::string> Listing;  // the listing's lines as the calculation wrote them
};

// The report of a complete listing that CalculateEphemeris wrote for these
// lines and settings: the numbers computed again, the row texts taken from
// the listing. Throws TraselError when the listing is not complete.
ObjectReport MakeReport(std::span<const std::string_view> lines, const RunSettings& settings,
                        std::vector<std::string> listing);

// A result box that keeps the lines, for a report.
class ListingCapture : public ResultBox {
public:
    void Clear() override { Lines.clear(); }
    void Append(std::string_view line) override { Lines.emplace_back(line); }
    std::vector<std::string> Lines;
};

// ----------------------------------------------------- rates of the motion

struct MotionRates {
    long double RaCosDec;       // "/min, positive eastward
    long double Dec;            // "/min, positive northward
    long double PositionAngle;  // degrees east of north, 0 <= PA < 360
};

// The motion at a declination (degrees) from the fit's slopes.
MotionRates RatesAt(const MotionFit& fit, double declination);

// "+1.25", "-0.40", "+0.00": two decimals, always a sign.
std::string SignedText(long double value);

// "+1.25  -0.40  107.8": the three columns --rates adds to a row.
std::string RatesColumns(const MotionRates& rates);

// ------------------------------------------------------------ residuals

struct Residual {
    DateTimeValue Time;
    std::string Station;
    long double RaCosDec;  // observed - fitted, arcseconds
    long double Dec;
};

struct ResidualSummary {
    std::vector<Residual> Residuals;
    long double RmsRaCosDec = 0;
    long double RmsDec = 0;
    long double RmsTotal = 0;  // RMS of the distance between observed and fitted
};

ResidualSummary ResidualsOf(const FittedTrack& track);

inline constexpr long double kLinearRmsLimit = 1.0L;  // arcseconds

inline constexpr std::string_view kNonLinearWarning =
    "Warning: the RMS is larger than 1\": the motion is not linear over the arc, "
    "and the listing degrades with distance from it.";

// The lines --residuals appends after the listing, warning included.
std::vector<std::string> ResidualTable(const ResidualSummary& summary);

// ----------------------------------------------------------- uncertainty

inline constexpr long double kDefaultSigma = 0.5L;  // arcseconds

// The per-observation scatter on the sky and the time layout of the fit.
struct FitSpread {
    long double SigmaRaCosDec;  // arcseconds, never below the floor
    long double SigmaDec;
    long double MeanCosDec;     // mean cos(dec) of the observations
    long double MeanTime;       // mean of t = Time - T0, days
    long double TimeScatter;    // sum of (t - mean)^2, days^2
    std::size_t Count;
};

// sigma = sqrt(sum r^2 / (n - 2)) from the residuals, raised to sigmaFloor;
// two observations fit exactly and take the floor.
FitSpread EstimateSpread(const FittedTrack& track, const ResidualSummary& residuals, long double sigmaFloor);

struct PositionUncertainty {
    long double RaCosDec;  // arcseconds, 1 sigma
    long double Dec;
};

// The 1-sigma uncertainty at offset w of a straight-line prediction:
// sigma * sqrt(1/n + (w - mean)^2 / scatter), with the right ascension's
// carried to the row's declination.
PositionUncertainty UncertaintyAt(const FitSpread& spread, double offset, double declination);

// "0.52  0.48": the two columns --uncertainty adds to a row.
std::string UncertaintyColumns(const PositionUncertainty& uncertainty);

// The --sigma value: a decimal number of arcseconds above zero.
long double ReadSigma(std::string_view text);

// ------------------------------------------------------------- outputs

struct ObserverExtras {
    bool Rates = false;
    bool Residuals = false;
    bool Uncertainty = false;
    long double Sigma = kDefaultSigma;
};

// The listing with the columns asked for added to each row and the
// residual table after it.
std::vector<std::string> ListingWithExtras(const ObjectReport& report, const ObserverExtras& extras);

// "2011-01-09T12:00:00.000Z": the records' times are UTC.
std::string IsoDateTime(DateTimeValue value);

// One JSON document: the report's object itself, or {"objects": [...]}
// when several objects were asked for.
std::string JsonDocument(std::span<const ObjectReport> reports, const ObserverExtras& extras,
                         bool eachObject);

// A self-contained SVG picture of the sky around the track.
std::string SvgChart(const ObjectReport& report, const ObserverExtras& extras);

// ------------------------------------------------------ the whole run

// The observer's options of trasel-cli, as given on its command line.
struct ObserverOptions {
    bool SkipNonPositions = false;     // --skip-non-positions
    bool EachObject = false;           // --each-object
    bool Json = false;                 // --format json
    std::string ChartPath;             // --chart FILE.svg; empty: no chart
    std::optional<std::string> Sigma;  // --sigma ARCSEC as typed; read by the run
    ObserverExtras Extras;             // --rates, --residuals, --uncertainty

    // True when any of them asks for more than the plain listing.
    bool Any() const;
};

enum class ObserverOutcome {
    Listed,              // every object listed
    TooFewObservations,  // an object (or the one run) had fewer than two
    Failed,              // an error ended the run, or an output could not be written
};

// The calculation over the input's lines with the observer's options: the
// listings (or the JSON document) to out; "trasel-cli: line N skipped: ...",
// the count of observations used, the two-observation message and errors to
// err. An error ends the run after whatever was listed before it; with
// --each-object its message is preceded by the object's designation, and
// the charts are numbered in listing order: chart-1.svg, chart-2.svg, ...
ObserverOutcome RunObserver(std::span<const std::string_view> lines, const RunSettings& settings,
                            const ObserverOptions& options, std::FILE* out, std::FILE* err);

}  // namespace trasel
