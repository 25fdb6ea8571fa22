#include "report_samples.h"

#include <cmath>

#include <nlohmann/json.hpp>

namespace trasel {
namespace {

using nlohmann::json;

TEST(JsonResult, WholeResultOfOneObject)
{
    testing::PinSettings();
    const ObjectReport report = testing::HandReport("2011 AB");
    const json document = json::parse(JsonDocument({&report, 1}, ObserverExtras{}, false));

    EXPECT_EQ(document["designation"], "2011 AB");
    EXPECT_EQ(document["observations"], 2);
    EXPECT_EQ(document["fit"]["timeOrigin"], "2011-01-09T00:00:00.000Z");
    EXPECT_EQ(document["fit"]["raSlope"], 1.0);
    EXPECT_EQ(document["fit"]["raIntercept"], 359.75);
    EXPECT_EQ(document["speed"]["arcsecPerMinute"], 2.46);
    EXPECT_EQ(document["speed"]["text"], "2.46");
    EXPECT_EQ(document["start"], "2011-01-10T00:00:00.000Z");
    EXPECT_EQ(document["stepDays"], 0.5);
    EXPECT_EQ(document["count"], 1);

    ASSERT_EQ(document["rows"].size(), 2u);
    const json& row = document["rows"][1];
    EXPECT_EQ(row["time"], "2011-01-10T12:00:00.000Z");
    EXPECT_EQ(row["timeText"], "10/01/2011 12:00:00");
    EXPECT_EQ(row["ra"], 1.25);  // 361.25 as fitted, within 0..360 as the listing shows it
    EXPECT_EQ(row["dec"], 10.0);
    EXPECT_EQ(row["raText"], "00 05 00.0");
    EXPECT_EQ(row["decText"], "+10 00 00");
    // Only what was asked for.
    EXPECT_FALSE(row.contains("rates"));
    EXPECT_FALSE(row.contains("uncertainty"));
    EXPECT_FALSE(document.contains("residuals"));
    EXPECT_FALSE(document.contains("uncertainty"));
}

TEST(JsonResult, RatesResidualsAndUncertaintyWhenAsked)
{
    testing::PinSettings();
    const ObjectReport report = testing::HandReport("2011 AB");
    const json document = json::parse(JsonDocument({&report, 1}, {true, true, true, 0.5L}, false));

    const json& rates = document["rows"][0]["rates"];
    EXPECT_NEAR(rates["raCosDec"].get<double>(), 2.5 * std::cos(10.0 * 3.141592653589793 / 180), 1e-12);
    EXPECT_EQ(rates["dec"], 0.0);
    EXPECT_NEAR(rates["positionAngle"].get<double>(), 90.0, 1e-12);

    // Two observations: the floor, 0.5 sqrt(1/2 + (w - 0.5)^2 / 0.5) at w = 1 and 1.5.
    const json& first = document["rows"][0]["uncertainty"];
    EXPECT_NEAR(first["dec"].get<double>(), 0.5, 1e-12);
    EXPECT_NEAR(first["raCosDec"].get<double>(), 0.5, 1e-12);
    EXPECT_NEAR(document["rows"][1]["uncertainty"]["dec"].get<double>(), 0.5 * std::sqrt(2.5), 1e-12);
    EXPECT_EQ(document["uncertainty"]["sigmaFloor"], 0.5);
    EXPECT_EQ(document["uncertainty"]["sigmaDec"], 0.5);

    const json& residuals = document["residuals"];
    ASSERT_EQ(residuals["observations"].size(), 2u);
    EXPECT_EQ(residuals["observations"][1]["time"], "2011-01-10T00:00:00.000Z");
    EXPECT_EQ(residuals["observations"][1]["station"], "G96");
    EXPECT_NEAR(residuals["observations"][1]["raCosDec"].get<double>(), 0.0, 1e-9);
    EXPECT_NEAR(residuals["rmsTotal"].get<double>(), 0.0, 1e-9);
    EXPECT_EQ(residuals["linear"], true);
}

TEST(JsonResult, SeveralObjectsAndEightBitDesignations)
{
    testing::PinSettings();
    // A designation with markup, a quote and the ANSI degree sign stays valid JSON.
    const ObjectReport reports[] = {testing::HandReport("first"), testing::HandReport("<&\"\xB0\t>")};
    const std::string text = JsonDocument(reports, ObserverExtras{}, true);
    const json document = json::parse(text);
    ASSERT_EQ(document["objects"].size(), 2u);
    EXPECT_EQ(document["objects"][0]["designation"], "first");
    EXPECT_EQ(document["objects"][1]["designation"], "<&\"\xC2\xB0\t>");
    EXPECT_EQ(text.back(), '\n');
}

}  // namespace
}  // namespace trasel
