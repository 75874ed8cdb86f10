#include "NameMask.h"

#include <gtest/gtest.h>

namespace tombreli {
namespace {

struct MaskCase
{
    const char* name;
    const char* mask;
    bool matches;
};

void PrintTo(const MaskCase& c, std::ostream* out)
{
    *out << c.name << " ~ " << c.mask;
}

class NameMaskCases : public testing::TestWithParam<MaskCase>
{};

TEST_P(NameMaskCases, Matches)
{
    const MaskCase& c = GetParam();
    EXPECT_EQ(MatchesMask(c.name, c.mask), c.matches) << c.name << " against " << c.mask;
}

INSTANTIATE_TEST_SUITE_P(Masks, NameMaskCases,
                         testing::Values(MaskCase{"readme.txt", "*.*", true},
                                         MaskCase{"Makefile", "*.*", true}, MaskCase{".profile", "*.*", true},
                                         MaskCase{"a.b.c", "*.*", true}, MaskCase{"\x89\xFF", "*.*", true},
                                         MaskCase{"a.txt", "*.TXT", true}, MaskCase{"a.txt", "*.doc", false},
                                         MaskCase{"a.doc", "*.txt;*.doc", true}, MaskCase{"ab", "a?", true},
                                         MaskCase{"a", "a?", false}, MaskCase{"report", "rep*.*", true},
                                         MaskCase{"aaab", "*a*b", true}, MaskCase{"aaac", "*a*b", false},
                                         MaskCase{"x", "", false}));

} // namespace
} // namespace tombreli
