#include "report_samples.h"

#include <cmath>

namespace trasel {
namespace {

// The attribute values of every element of a kind inside the group with this id.
std::vector<double> Attributes(const std::string& svg, const std::string& group, const std::string& element,
                               const std::string& attribute)
{
    const std::size_t start = svg.find("<g id=\"" + group + "\"");
    EXPECT_NE(start, std::string::npos) << group;
    if (start == std::string::npos)
        return {};
    const std::string body = svg.substr(start, svg.find("</g>", start) - start);
    std::vector<double> values;
    const std::string open = "<" + element + " ", key = " " + attribute + "=\"";
    for (std::size_t at = body.find(open); at != std::string::npos; at = body.find(open, at + 1)) {
        const std::string tag = body.substr(at, body.find('>', at) - at);
        const std::size_t value = tag.find(key);
        if (value != std::string::npos)
            values.push_back(std::stod(tag.substr(value + key.size())));
    }
    return values;
}

std::size_t Count(const std::string& text, const std::string& piece)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1))
        ++count;
    return count;
}

TEST(SvgChart, EastToTheLeftNorthUp)
{
    testing::PinSettings();
    ObjectReport report = testing::HandReport("2011 AB");
    const std::string svg = SvgChart(report, ObserverExtras{});
    EXPECT_EQ(svg.rfind("<?xml", 0), 0u);
    EXPECT_EQ(svg.substr(svg.size() - 7), "</svg>\n");
    EXPECT_EQ(Count(svg, "<g "), Count(svg, "</g>"));

    // Right ascension grows eastward, to the left.
    const std::vector<double> x = Attributes(svg, "observations", "circle", "cx");
    ASSERT_EQ(x.size(), 2u);
    EXPECT_LT(x[1], x[0]);
    const std::vector<double> predictedX = Attributes(svg, "predicted", "circle", "cx");
    ASSERT_EQ(predictedX.size(), 2u);
    EXPECT_NEAR(predictedX[0], x[1], 0.1);  // row 0 is at the second observation's time
    EXPECT_LT(predictedX[1], predictedX[0]);

    // A northward track rises on the page.
    report.Track.Observations = {{40552.0, 10.0, 10.0}, {40553.0, 10.0, 11.0}};
    report.Track.Fit = {40552.0, 0.0, 10.0, 1.0, 10.0};
    report.Rows[0].Position = {10.0, 11.0};
    report.Rows[1].Position = {10.0, 11.5};
    const std::string north = SvgChart(report, ObserverExtras{});
    const std::vector<double> y = Attributes(north, "observations", "circle", "cy");
    const std::vector<double> sameX = Attributes(north, "observations", "circle", "cx");
    ASSERT_EQ(y.size(), 2u);
    EXPECT_LT(y[1], y[0]);
    EXPECT_NEAR(sameX[0], sameX[1], 0.1);
}

TEST(SvgChart, EllipsesOnlyWithUncertainty)
{
    testing::PinSettings();
    const ObjectReport report = testing::HandReport("2011 AB");
    EXPECT_EQ(Count(SvgChart(report, ObserverExtras{}), "<ellipse"), 0u);
    const std::string svg = SvgChart(report, {false, false, true, 0.5L});
    const std::vector<double> rx = Attributes(svg, "uncertainty", "ellipse", "rx");
    const std::vector<double> ry = Attributes(svg, "uncertainty", "ellipse", "ry");
    ASSERT_EQ(rx.size(), 2u);
    ASSERT_EQ(ry.size(), 2u);
    // Farther from the observations, larger: sqrt(2.5) against 1 (w = 1.5 and 1).
    EXPECT_NEAR(ry[1] / ry[0], std::sqrt(2.5), 0.02);
    EXPECT_NEAR(rx[0], ry[0], 0.02);
}

TEST(SvgChart, ScaleBarAndLabelsAndEscapes)
{
    testing::PinSettings();
    const std::string svg = SvgChart(testing::HandReport("<A&B>"), ObserverExtras{});
    EXPECT_NE(svg.find("<title>&lt;A&amp;B&gt;</title>"), std::string::npos);
    EXPECT_EQ(svg.find("<A&B>"), std::string::npos);

    // The track spans about 1.5 degrees: the bar is a round number of
    // arcseconds no longer than a quarter of the 700-pixel plot.
    const std::size_t barText = svg.find("&quot;</text>");
    ASSERT_NE(barText, std::string::npos);
    const std::size_t textStart = svg.rfind('>', barText) + 1;
    const double length = std::stod(svg.substr(textStart, barText - textStart));
    EXPECT_TRUE(length == 1000 || length == 2000) << length;
    const std::vector<double> ends = Attributes(svg, "scale", "line", "x2");
    ASSERT_FALSE(ends.empty());
    EXPECT_LE(ends[0] - 50, 700.0 / 4 + 0.1);
    EXPECT_GE(ends[0] - 50, 700.0 / 4 / 5);

    EXPECT_NE(svg.find(">N</text>"), std::string::npos);
    EXPECT_NE(svg.find(">E</text>"), std::string::npos);
    EXPECT_NE(svg.find(">10/01 00:00</text>"), std::string::npos);
    EXPECT_NE(svg.find(">10/01 12:00</text>"), std::string::npos);
}

TEST(SvgChart, RealTrackletLabelsEverySixHours)
{
    testing::PinSettings();
    const std::vector<std::string> all = testing::ReadFixture("tracklets-23662-65558.obs");
    const std::vector<std::string> lines(all.begin(), all.begin() + 6);
    const ObjectReport report =
        testing::ReportFor(lines, testing::MakeRunSettings("13/11/2025", "18:00:00", "01", StepUnit::Hours, "048"));
    const std::string svg = SvgChart(report, {false, false, true, 0.5L});
    EXPECT_EQ(Attributes(svg, "observations", "circle", "cx").size(), 6u);
    EXPECT_EQ(Attributes(svg, "predicted", "circle", "cx").size(), 49u);
    EXPECT_EQ(Attributes(svg, "uncertainty", "ellipse", "rx").size(), 49u);
    EXPECT_EQ(Attributes(svg, "times", "text", "x").size(), 9u);
    EXPECT_NE(svg.find(">14/11 00:00</text>"), std::string::npos);
    EXPECT_EQ(svg.find(">14/11 01:00</text>"), std::string::npos);
    // Time labels stand off the track and their text stays on the page
    // (about 7 pixels a character at 12 points).
    const std::size_t times = svg.find("<g id=\"times\"");
    const std::string labels = svg.substr(times, svg.find("</g>", times) - times);
    for (std::size_t at = labels.find("<text "); at != std::string::npos; at = labels.find("<text ", at + 1)) {
        const std::string tag = labels.substr(at, labels.find("</text>", at) - at);
        const double x = std::stod(tag.substr(tag.find(" x=\"") + 4));
        const double width = 7.0 * 11;  // "dd/mm hh:mm"
        if (tag.find("\"start\"") != std::string::npos) {
            EXPECT_LE(x + width, 800.0) << tag;
        } else if (tag.find("\"end\"") != std::string::npos) {
            EXPECT_GE(x - width, 0.0) << tag;
        }
    }
    // Everything drawn stays on the page.
    for (const char* group : {"observations", "predicted"}) {
        for (const double x : Attributes(svg, group, "circle", "cx"))
            EXPECT_TRUE(x >= 50 && x <= 750) << group << " " << x;
        for (const double y : Attributes(svg, group, "circle", "cy"))
            EXPECT_TRUE(y >= 80 && y <= 510) << group << " " << y;
    }
}

}  // namespace
}  // namespace trasel
