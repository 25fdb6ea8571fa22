#include "observer_test_support.h"

#include <cmath>

#include "cli/observer/detail.h"

namespace trasel {
namespace {

TEST(ChartGeometry, ProjectionKeepsDistancesFromTheCentre)
{
    // Exact values: 1 deg north is 3600"; 1 deg of RA at the equator is
    // 3600" east; at dec 60 the same RA step is a great-circle arc of
    // acos(sin^2 60 + cos^2 60 cos 1) = 1799.95" (nearly cos 60 * 3600).
    const struct {
        const char* name;
        SkyPosition centre, point;
        long double east, north;
    } rows[] = {
        {"centre", {150.0, 20.0}, {150.0, 20.0}, 0, 0},
        {"due north", {150.0, 20.0}, {150.0, 21.0}, 0, 3600},
        {"due south", {150.0, -20.0}, {150.0, -21.0}, 0, -3600},
        {"east at the equator", {0.0, 0.0}, {1.0, 0.0}, 3600, 0},
        {"west across 0h", {0.5, 0.0}, {359.5, 0.0}, -3600, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const detail::PlanePoint p = detail::ProjectOnSky(row.centre, row.point);
        EXPECT_NEAR(p.East, row.east, 1e-6L);
        EXPECT_NEAR(p.North, row.north, 1e-6L);
    }
    const detail::PlanePoint p = detail::ProjectOnSky({100.0, 60.0}, {101.0, 60.0});
    const long double arc = std::acos(0.75L + 0.25L * std::cos(1.0L * 0x8.efa351294e9c8aep-9L)) * 0xe.52ee0d31e0fbdc3p+2L * 3600;
    EXPECT_NEAR(std::hypot(p.East, p.North), arc, 1e-6L);
    EXPECT_GT(p.East, 1799.0L);
    EXPECT_GT(p.North, 0.0L);  // the parallel bends north of the great circle's tangent

    // The far side of the sky stays finite.
    const detail::PlanePoint far = detail::ProjectOnSky({0.0, 0.0}, {180.0, 0.0});
    EXPECT_TRUE(std::isfinite(far.East) && std::isfinite(far.North));
}

TEST(ChartGeometry, NiceLengths)
{
    const struct {
        long double limit, length;
    } rows[] = {{740, 500}, {19.9L, 10}, {0.3L, 1}, {1, 1}, {2, 2}, {4.99L, 2}, {5, 5}, {100, 100}, {3600, 2000}};
    for (const auto& row : rows) {
        SCOPED_TRACE(static_cast<double>(row.limit));
        EXPECT_EQ(detail::NiceLength(row.limit), row.length);
    }
}

TEST(ChartGeometry, LabelStrides)
{
    const struct {
        const char* name;
        std::int64_t rows, maxLabels, stride;
    } rows[] = {
        {"few rows, all labelled", 9, 9, 1},
        {"two days hourly: every six hours", 49, 9, 6},
        {"one day hourly: every three hours", 25, 9, 3},
        {"two hours by the minute: every fifteen", 121, 9, 15},
        {"a thousand rows", 1000, 9, 200},
        {"one row", 1, 9, 1},
        {"no room is one label", 50, 0, 60},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(detail::LabelStride(row.rows, row.maxLabels), row.stride);
    }
}

TEST(ChartGeometry, Latin1ToUtf8)
{
    EXPECT_EQ(detail::Latin1ToUtf8("+22\xB0 00'"), "+22\xC2\xB0 00'");
    EXPECT_EQ(detail::Latin1ToUtf8("\xFF"), "\xC3\xBF");
    EXPECT_EQ(detail::Latin1ToUtf8("plain"), "plain");
}

}  // namespace
}  // namespace trasel
