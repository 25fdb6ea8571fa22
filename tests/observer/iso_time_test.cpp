#include "observer_test_support.h"

namespace trasel {
namespace {

TEST(IsoTime, DateTimeValuesAsIso8601)
{
    const struct {
        const char* name;
        DateTimeValue value;
        const char* text;
    } rows[] = {
        {"noon", 40552.5, "2011-01-09T12:00:00.000Z"},
        {"the epoch", 0.0, "1899-12-30T00:00:00.000Z"},
        {"before the epoch the time of day counts forward", -1.25, "1899-12-28T18:00:00.000Z"},
        {"half a millisecond goes to even", 3.0 / 2048, "1899-12-30T00:02:06.562Z"},
        {"an observation time", 40552.0 + 0.31074, "2011-01-09T07:27:27.936Z"},
        {"last millisecond of 9999", 2958465.0 + 86399999.0 / 86400000, "9999-12-31T23:59:59.999Z"},
        {"first day of year 1", -693593.0, "0001-01-01T00:00:00.000Z"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(IsoDateTime(row.value), row.text);
    }
    EXPECT_THROW(IsoDateTime(2958466.0), EConvertError);   // 01/01/10000
    EXPECT_THROW(IsoDateTime(-693594.0), EConvertError);   // 31/12/0000
}

}  // namespace
}  // namespace trasel
