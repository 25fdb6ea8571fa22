// The ephemeris calculation: which lines are observations, reading them,
// the least-squares fit of the linear motion, and the listing.
//
// Every quantity is stored as a double; each formula is carried in the
// extended format and rounded where the quantity is stored.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "textconv/textconv.h"

namespace trasel {

// The project's web address: the link label shows and opens it and the
// listing ends with it.
inline constexpr std::string_view kProjectWebAddress = "https://trasel.example.org/";

// The caption of the window and the last-but-one line of the listing.
inline constexpr std::string_view kProgramCaption = "Trasel (09/01/2011-b)";

// The program's one message of its own.
inline constexpr std::string_view kTooFewObservationsMessage = "Se necesitan al menos dos observaciones";

// ------------------------------------------------------ observation lines

// One observation read from an 80-column record.
struct Observation {
    DateTimeValue Time;     // absolute; the date of columns 16-25 plus the day fraction
    double RightAscension;  // degrees (hours * 15), not reduced to any range
    double Declination;     // degrees, signed
};

// True when the line has at least 80 characters.
bool IsObservationLine(std::string_view line);

// Reads the fields of an observation line in their fixed columns; the first
// conversion that fails ends the reading with its error.
Observation ReadObservation(std::string_view line);

// Columns 1-12 of the first line of the input (all of it when shorter), trimmed.
std::string ReadDesignation(std::string_view firstLine);

// --------------------------------------------------------------- the fit

struct MotionFit {
    double TimeOrigin;    // T0, a DateTimeValue
    double RaSlope;       // degrees per day
    double RaIntercept;   // degrees at T0
    double DecSlope;      // degrees per day
    double DecIntercept;  // degrees at T0
};

// Least-squares straight lines of right ascension and declination against
// time - timeOrigin, over at least two observations in input order. Each
// right ascension is first brought within half a turn of the first one
// (UnwrapRightAscension), so a track across 0h is fitted as the motion it is.
// A zero denominator (all times equal) throws EInvalidOp or EZeroDivide.
MotionFit FitMotion(double timeOrigin, std::span<const Observation> observations);

// The right ascension moved by whole turns of 360 degrees into the range
// (reference - 180, reference + 180], rounded to double; one already in that
// range comes back unchanged. Works in bounded time for any finite value.
double UnwrapRightAscension(double rightAscension, double reference);

namespace detail {

// The running sums of FitMotion, taken one observation at a time, so that a
// run over millions of records need not keep the observations. FitMotion is
// Add over every observation, then Fit.
class MotionSums {
public:
    // The first observation's right ascension is the reference of the unwrap.
    MotionSums(double timeOrigin, double firstRightAscension);
    // Throws EOverflow when a sum does not fit a double.
    void Add(const Observation& observation);
    MotionFit Fit() const;

private:
    double timeOrigin_;
    double firstRightAscension_;
    std::int64_t n_ = 0;
    double sumT_ = 0.0, sumTT_ = 0.0;
    double sumRa_ = 0.0, sumRaT_ = 0.0;
    double sumDec_ = 0.0, sumDecT_ = 0.0;
};

}  // namespace detail

// ----------------------------------------------------------------- a run

enum class StepUnit { Days, Hours, Minutes };

// The four texts of the run settings, exactly as the window's fields hold
// them, and the step unit.
struct RunSettings {
    std::string StartDate;  // "dd/mm/yyyy"
    std::string StartTime;  // "hh:mm:ss" with the time separator in force
    std::string Step;       // two characters, "01"
    std::string Count;      // three characters, "048"
    StepUnit Unit = StepUnit::Hours;
};

// Where the listing goes: the result box of the window, standard output of
// the command line.
class ResultBox {
public:
    virtual ~ResultBox() = default;
    virtual void Clear() = 0;
    virtual void Append(std::string_view line) = 0;
};

// The plain message dialog: shows one text and returns when it is closed.
class MessageDialog {
public:
    virtual ~MessageDialog() = default;
    virtual void ShowMessage(std::string_view text) = 0;
};

// The whole calculation behind the calculate button. With fewer than two
// observation lines it shows kTooFewObservationsMessage and leaves the
// result box alone; every other failure is thrown where it arises, leaving
// the result box as far as the run had written it. The time origin of the
// fit is the time of the first observation line, wherever it stands.
void CalculateEphemeris(std::span<const std::string_view> lines, const RunSettings& settings,
                        ResultBox& resultBox, MessageDialog& dialog);

}  // namespace trasel
