#include "observer_test_support.h"

namespace trasel {
namespace {

using testing::Record;

TEST(ObjectGroups, InterleavedObjectsInOrderOfFirstAppearance)
{
    const std::vector<std::string> lines = {
        "COD D29",  // a heading belongs to no object
        Record("65558", "2025 11 13.58896", "02 53 07.98", "+22 24 49.9"),
        Record("23662", "2025 11 13.58896", "02 54 32.05", "+22 24 23.0"),
        "",
        Record("65558", "2025 11 13.60310", "02 53 07.04", "+22 24 44.9"),
        Record("     K10F61M", "2025 11 13.60310", "02 54 31.13", "+22 24 18.5"),
        Record("23662", "2025 11 13.61724", "02 54 30.22", "+22 24 13.7"),
    };
    const std::vector<ObjectLines> objects = GroupByDesignation(testing::Views(lines));
    ASSERT_EQ(objects.size(), 3u);

    const struct {
        const char* designation;
        std::vector<std::size_t> lineNumbers;
    } expected[] = {{"65558", {2, 5}}, {"23662", {3, 7}}, {"K10F61M", {6}}};
    for (std::size_t i = 0; i < objects.size(); ++i) {
        SCOPED_TRACE(expected[i].designation);
        EXPECT_EQ(objects[i].Designation, expected[i].designation);
        EXPECT_EQ(objects[i].LineNumbers, expected[i].lineNumbers);
        ASSERT_EQ(objects[i].Lines.size(), expected[i].lineNumbers.size());
        for (std::size_t j = 0; j < objects[i].Lines.size(); ++j)
            EXPECT_EQ(objects[i].Lines[j], lines[expected[i].lineNumbers[j] - 1]);
    }
}

TEST(ObjectGroups, DesignationIsColumnsOneToTwelveTrimmed)
{
    // Columns 13 on (the discovery asterisk included) do not split an object;
    // a different spelling in columns 1-12 is another object.
    const std::vector<std::string> lines = testing::ReadFixture("j4767-wise-excerpt.txt");
    const std::vector<ObjectLines> objects = GroupByDesignation(testing::Views(lines));
    ASSERT_EQ(objects.size(), 2u);
    EXPECT_EQ(objects[0].Designation, "j4767K10F61M");
    EXPECT_EQ(objects[0].Lines.size(), 23u);
    EXPECT_EQ(objects[1].Designation, "j4767");
    EXPECT_EQ(objects[1].LineNumbers, (std::vector<std::size_t>{12, 13}));
}

TEST(ObjectGroups, NoObservationLinesNoObjects)
{
    const std::vector<std::string> lines = {"", "COD 500", std::string(79, 'x')};
    EXPECT_TRUE(GroupByDesignation(testing::Views(lines)).empty());
}

}  // namespace
}  // namespace trasel
