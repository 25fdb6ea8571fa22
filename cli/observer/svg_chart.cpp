#include "cli/observer/detail.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>

namespace trasel {
namespace {

using detail::PlanePoint;

constexpr long double kWidth = 800, kHeight = 600;
constexpr long double kLeft = 50, kRight = 50, kTop = 80, kBottom = 90;
constexpr long double kInset = 20;         // pixels kept free inside the plot's frame
constexpr long double kSmallestSpan = 10;  // arcseconds shown at least, across and up
constexpr int kLineSamples = 120;
constexpr std::int64_t kMostLabels = 9;

// Coordinates with one decimal, whatever the C locale says.
std::string Num(long double value, int decimals = 1)
{
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value), std::chars_format::fixed, decimals);
    return std::string(buffer, result.ptr);
}

// Text content of an element: markup characters escaped, control characters
// (not allowed in XML) shown as "?", the rest as UTF-8.
std::string XmlText(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&apos;"; break;
        default:
            out += static_cast<unsigned char>(c) < 0x20 && c != '\t' ? '?' : c;
        }
    }
    return detail::Latin1ToUtf8(out);
}

// "09/01/2011 06:00:00" -> "09/01 06:00": day, month, hours and minutes.
std::string ShortTime(const std::string& timeText)
{
    return timeText.size() >= 16 ? timeText.substr(0, 5) + " " + timeText.substr(11, 5) : timeText;
}

// From the plane of the sky to the picture: east to the left, north up, one
// scale for both.
struct Frame {
    long double Scale;  // pixels per arcsecond
    long double OriginX, OriginY;
    long double X(const PlanePoint& p) const { return OriginX - p.East * Scale; }
    long double Y(const PlanePoint& p) const { return OriginY - p.North * Scale; }
};

struct Bounds {
    long double MinEast = 0, MaxEast = 0, MinNorth = 0, MaxNorth = 0;
    bool Empty = true;
    void Add(const PlanePoint& p, long double radiusEast = 0, long double radiusNorth = 0)
    {
        if (Empty) {
            MinEast = MaxEast = p.East;
            MinNorth = MaxNorth = p.North;
            Empty = false;
        }
        MinEast = std::min(MinEast, p.East - radiusEast);
        MaxEast = std::max(MaxEast, p.East + radiusEast);
        MinNorth = std::min(MinNorth, p.North - radiusNorth);
        MaxNorth = std::max(MaxNorth, p.North + radiusNorth);
    }
};

Frame FitFrame(const Bounds& bounds)
{
    const long double plotWidth = kWidth - kLeft - kRight - 2 * kInset;
    const long double plotHeight = kHeight - kTop - kBottom - 2 * kInset;
    const long double spanEast = std::max(bounds.MaxEast - bounds.MinEast, kSmallestSpan);
    const long double spanNorth = std::max(bounds.MaxNorth - bounds.MinNorth, kSmallestSpan);
    Frame frame{};
    frame.Scale = std::min(plotWidth / spanEast, plotHeight / spanNorth);
    frame.OriginX = kLeft + kInset + plotWidth / 2 + (bounds.MinEast + bounds.MaxEast) / 2 * frame.Scale;
    frame.OriginY = kTop + kInset + plotHeight / 2 + (bounds.MinNorth + bounds.MaxNorth) / 2 * frame.Scale;
    return frame;
}

std::string Arrow(long double x1, long double y1, long double x2, long double y2)
{
    return "<line x1=\"" + Num(x1) + "\" y1=\"" + Num(y1) + "\" x2=\"" + Num(x2) + "\" y2=\"" + Num(y2) +
           "\" stroke=\"black\" stroke-width=\"1.5\" marker-end=\"url(#arrow)\"/>\n";
}

std::string Label(long double x, long double y, std::string_view text, std::string_view anchor = "start")
{
    return "<text x=\"" + Num(x) + "\" y=\"" + Num(y) + "\" text-anchor=\"" + std::string(anchor) + "\">" +
           XmlText(text) + "</text>\n";
}

// Where the time labels stand: off the track on its upper side (its right
// side when the track runs straight up and down), so that they do not sit
// on the line.
struct LabelSide {
    long double Dx, Dy;  // unit vector from a point to its label, page coordinates
};

LabelSide SideOfTrack(const Frame& frame, const PlanePoint& from, const PlanePoint& to)
{
    const long double dx = frame.X(to) - frame.X(from), dy = frame.Y(to) - frame.Y(from);
    const long double length = std::hypot(dx, dy);
    if (length < 1)
        return {0, -1};
    LabelSide side{-dy / length, dx / length};  // a normal of the track
    if (side.Dy > 0 || (side.Dy == 0 && side.Dx < 0))
        side = {-side.Dx, -side.Dy};
    if (side.Dy > -0.2L)  // a steep track: label to the right
        side = {1, 0};
    return side;
}

// A label 10 pixels off the point; text that would run off the page goes
// to the other side of the track.
std::string PlaceLabel(const LabelSide& side, long double x, long double y, const std::string& text)
{
    constexpr long double kOffset = 10, kCharWidth = 7;
    const long double width = kCharWidth * static_cast<long double>(text.size());
    LabelSide at = side;
    const auto anchorOf = [](long double dx) -> std::string_view { return dx > 0.3L ? "start" : dx < -0.3L ? "end" : "middle"; };
    const bool offRight = anchorOf(at.Dx) == "start" && x + kOffset * at.Dx + width > kWidth - 5;
    const bool offLeft = anchorOf(at.Dx) == "end" && x + kOffset * at.Dx - width < 5;
    if (offRight || offLeft)
        at = {-at.Dx, -at.Dy};
    return Label(x + kOffset * at.Dx, y + kOffset * at.Dy + 4, text, anchorOf(at.Dx));
}

}  // namespace

std::string SvgChart(const ObjectReport& report, const ObserverExtras& extras)
{
    const FittedTrack& track = report.Track;
    const MotionFit& fit = track.Fit;

    // The stretch of time the chart covers: observations and rows alike.
    std::vector<double> observedOffsets;
    for (const Observation& observation : track.Observations)
        observedOffsets.push_back(StoreDouble(static_cast<long double>(observation.Time) - fit.TimeOrigin));
    long double first = *std::min_element(observedOffsets.begin(), observedOffsets.end());
    long double last = *std::max_element(observedOffsets.begin(), observedOffsets.end());
    for (const ListingRow& row : report.Rows) {
        first = std::min<long double>(first, row.Offset);
        last = std::max<long double>(last, row.Offset);
    }
    const SkyPosition centre = PositionAt(fit, StoreDouble((first + last) / 2));
    const auto project = [&](const SkyPosition& p) { return detail::ProjectOnSky(centre, p); };

    std::optional<FitSpread> spread;
    if (extras.Uncertainty)
        spread = EstimateSpread(track, ResidualsOf(track), extras.Sigma);

    Bounds bounds;
    std::vector<PlanePoint> observed, line, predicted;
    std::vector<PositionUncertainty> ellipses;
    for (const Observation& observation : track.Observations) {
        observed.push_back(project({observation.RightAscension, observation.Declination}));
        bounds.Add(observed.back());
    }
    for (int i = 0; i <= kLineSamples; ++i) {
        const long double offset = first + (last - first) * i / kLineSamples;
        line.push_back(project(PositionAt(fit, StoreDouble(offset))));
        bounds.Add(line.back());
    }
    for (const ListingRow& row : report.Rows) {
        predicted.push_back(project(row.Position));
        if (spread) {
            ellipses.push_back(UncertaintyAt(*spread, row.Offset, row.Position.Declination));
            bounds.Add(predicted.back(), ellipses.back().RaCosDec, ellipses.back().Dec);
        } else {
            bounds.Add(predicted.back());
        }
    }
    const Frame frame = FitFrame(bounds);

    std::string svg;
    svg += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + Num(kWidth, 0) + "\" height=\"" + Num(kHeight, 0) +
           "\" viewBox=\"0 0 " + Num(kWidth, 0) + " " + Num(kHeight, 0) +
           "\" font-family=\"DejaVu Sans, Liberation Sans, sans-serif\" font-size=\"12\">\n";
    svg += "<title>" + XmlText(track.Designation) + "</title>\n";
    svg += "<defs><marker id=\"arrow\" viewBox=\"0 0 10 10\" refX=\"9\" refY=\"5\" markerWidth=\"7\" "
           "markerHeight=\"7\" orient=\"auto\"><path d=\"M0,0 L10,5 L0,10 z\"/></marker></defs>\n";
    svg += "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n";
    svg += "<text x=\"" + Num(kLeft) + "\" y=\"30\" font-size=\"18\" font-weight=\"bold\">" +
           XmlText(track.Designation) + "</text>\n";
    svg += Label(kLeft, 52,
                 std::to_string(track.Observations.size()) + " observations, apparent speed " +
                     FormatNumber("0.00", report.Speed) + " \"/min; " + std::to_string(report.Rows.size()) +
                     " predicted positions");
    svg += "<rect x=\"" + Num(kLeft) + "\" y=\"" + Num(kTop) + "\" width=\"" + Num(kWidth - kLeft - kRight) +
           "\" height=\"" + Num(kHeight - kTop - kBottom) + "\" fill=\"none\" stroke=\"#cccccc\"/>\n";

    if (spread) {
        svg += "<g id=\"uncertainty\" fill=\"#1f77b4\" fill-opacity=\"0.12\" stroke=\"#1f77b4\" stroke-opacity=\"0.6\">\n";
        for (std::size_t i = 0; i < predicted.size(); ++i)
            svg += "<ellipse cx=\"" + Num(frame.X(predicted[i])) + "\" cy=\"" + Num(frame.Y(predicted[i])) +
                   "\" rx=\"" + Num(ellipses[i].RaCosDec * frame.Scale, 4) + "\" ry=\"" +
                   Num(ellipses[i].Dec * frame.Scale, 4) + "\"/>\n";
        svg += "</g>\n";
    }
    svg += "<polyline id=\"fit\" fill=\"none\" stroke=\"#888888\" stroke-width=\"1.5\" points=\"";
    for (const PlanePoint& p : line)
        svg += Num(frame.X(p)) + "," + Num(frame.Y(p)) + " ";
    svg += "\"/>\n";

    svg += "<g id=\"predicted\" fill=\"white\" stroke=\"#1f77b4\" stroke-width=\"1.5\">\n";
    for (const PlanePoint& p : predicted)
        svg += "<circle cx=\"" + Num(frame.X(p)) + "\" cy=\"" + Num(frame.Y(p)) + "\" r=\"3\"/>\n";
    svg += "</g>\n<g id=\"times\" fill=\"#1f4f7f\">\n";
    const std::int64_t stride = detail::LabelStride(static_cast<std::int64_t>(report.Rows.size()), kMostLabels);
    const LabelSide side = SideOfTrack(frame, line.front(), line.back());
    for (std::size_t i = 0; i < predicted.size(); i += static_cast<std::size_t>(stride)) {
        const std::string text = ShortTime(report.Rows[i].TimeText);
        svg += PlaceLabel(side, frame.X(predicted[i]), frame.Y(predicted[i]), text);
    }
    svg += "</g>\n";

    svg += "<g id=\"observations\" fill=\"#d62728\">\n";
    for (const PlanePoint& p : observed)
        svg += "<circle cx=\"" + Num(frame.X(p)) + "\" cy=\"" + Num(frame.Y(p)) + "\" r=\"3.5\"/>\n";
    svg += "</g>\n";

    // Scale bar: a round number of arcseconds, at most a quarter of the plot.
    const long double barArcsec = detail::NiceLength((kWidth - kLeft - kRight) / 4 / frame.Scale);
    const long double barLength = barArcsec * frame.Scale;
    const long double barY = kHeight - kBottom + 40;
    svg += "<g id=\"scale\" stroke=\"black\" stroke-width=\"1.5\">\n<line x1=\"" + Num(kLeft) + "\" y1=\"" +
           Num(barY) + "\" x2=\"" + Num(kLeft + barLength) + "\" y2=\"" + Num(barY) + "\"/>\n";
    for (const long double x : {kLeft, kLeft + barLength})
        svg += "<line x1=\"" + Num(x) + "\" y1=\"" + Num(barY - 5) + "\" x2=\"" + Num(x) + "\" y2=\"" +
               Num(barY + 5) + "\"/>\n";
    svg += "</g>\n" + Label(kLeft + barLength / 2, barY - 9, Num(barArcsec, 0) + "\"", "middle");

    // North up, east to the left, at the top right of the plot.
    const long double arrowX = kWidth - kRight - 20, arrowY = kTop + 55;
    svg += "<g id=\"north\">\n" + Arrow(arrowX, arrowY, arrowX, arrowY - 40) + Arrow(arrowX, arrowY, arrowX - 40, arrowY) +
           Label(arrowX, arrowY - 45, "N", "middle") + Label(arrowX - 47, arrowY + 4, "E", "end") + "</g>\n";

    // Legend along the bottom right.
    const long double legendX = kWidth - kRight - 330, legendY = kHeight - kBottom + 40;
    svg += "<g id=\"legend\">\n<circle cx=\"" + Num(legendX) + "\" cy=\"" + Num(legendY - 4) +
           "\" r=\"3.5\" fill=\"#d62728\"/>\n" + Label(legendX + 8, legendY, "observed") + "<line x1=\"" +
           Num(legendX + 80) + "\" y1=\"" + Num(legendY - 4) + "\" x2=\"" + Num(legendX + 100) + "\" y2=\"" +
           Num(legendY - 4) + "\" stroke=\"#888888\" stroke-width=\"1.5\"/>\n" +
           Label(legendX + 106, legendY, "fitted line") + "<circle cx=\"" + Num(legendX + 190) + "\" cy=\"" +
           Num(legendY - 4) + "\" r=\"3\" fill=\"white\" stroke=\"#1f77b4\" stroke-width=\"1.5\"/>\n" +
           Label(legendX + 198, legendY, spread ? "predicted, 1-sigma" : "predicted") + "</g>\n";
    svg += "</svg>\n";
    return svg;
}

}  // namespace trasel
