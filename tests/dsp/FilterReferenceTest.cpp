// The filters against coefficients and outputs recorded from the designs the effect was
// tuned with: fresh designs, long runs, mid-stream redesigns and the pass-through state.

#include "tests/dsp/ReferenceFilter.h"
#include "tests/dsp/ReferenceTable.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <map>

namespace {

constexpr double kRelativeTolerance = 1e-9;

::testing::AssertionResult Matches(double actual, double expected)
{
  const double allowed = kRelativeTolerance * std::fabs(expected);
  if (std::fabs(actual - expected) <= allowed)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "got " << actual << ", expected " << expected;
}

class FilterReference : public ::testing::Test
{
protected:
  void SetUp() override
  {
    dir = FilterReferenceDir();
    if (dir.empty())
      GTEST_SKIP() << "filter reference data not found under " << TV_SHARED_DIR << "/reference/filters";
    for (const ReferenceRow& row : ReadReferenceTable(dir + "/design_params_2009.txt"))
    {
      ReferenceDesign d;
      d.kind = static_cast<int>(row[1]);
      d.order = static_cast<int>(row[2]);
      d.sampleRate = row[3];
      d.cutoff = row[4];
      d.stopBandDb = row[5];
      designs[static_cast<int>(row[0])] = d;
      stageCounts[static_cast<int>(row[0])] = static_cast<int>(row[6]);
    }
    ASSERT_EQ(designs.size(), 21u) << "design table incomplete";
  }

  ReferenceTable Table(const std::string& name) const
  {
    ReferenceTable table = ReadReferenceTable(dir + "/" + name);
    EXPECT_FALSE(table.empty()) << name << " missing or empty";
    return table;
  }

  // Interleaved stereo input from columns inL, inR of rows [first, first + count).
  static std::vector<double> Input(const ReferenceTable& t, size_t first, size_t count, int inL)
  {
    std::vector<double> buf;
    for (size_t i = first; i < first + count; ++i)
    {
      buf.push_back(t[i][inL]);
      buf.push_back(t[i][inL + 1]);
    }
    return buf;
  }

  static void ExpectOutput(const std::vector<double>& buf, const ReferenceTable& t, size_t first, int outL,
                           const std::string& what)
  {
    for (size_t i = 0; i < buf.size() / 2; ++i)
    {
      EXPECT_TRUE(Matches(buf[2 * i], t[first + i][outL])) << what << " left, row " << first + i;
      EXPECT_TRUE(Matches(buf[2 * i + 1], t[first + i][outL + 1])) << what << " right, row " << first + i;
    }
  }

  std::string dir;
  std::map<int, ReferenceDesign> designs;
  std::map<int, int> stageCounts;
};

TEST_F(FilterReference, EveryDesignHasTheRecordedStages)
{
  const ReferenceTable stages = Table("designs_2009.txt");
  ASSERT_FALSE(stages.empty());
  std::map<int, ReferenceFilter> filters;
  for (const auto& [id, design] : designs)
  {
    filters.emplace(id, ReferenceFilter(design.kind));
    ASSERT_TRUE(filters.at(id).Setup(design)) << "design " << id;
    EXPECT_EQ(filters.at(id).StageCount(), stageCounts.at(id)) << "design " << id;
  }
  for (const ReferenceRow& row : stages)
  {
    const int id = static_cast<int>(row[0]);
    const Dsp::BiquadStage s = filters.at(id).Stage(static_cast<int>(row[1]));
    const std::string where = "design " + std::to_string(id) + " stage " + std::to_string(int(row[1]));
    EXPECT_TRUE(Matches(s.b0, row[2])) << where << " b0";
    EXPECT_TRUE(Matches(s.b1, row[3])) << where << " b1";
    EXPECT_TRUE(Matches(s.b2, row[4])) << where << " b2";
    EXPECT_TRUE(Matches(s.a1, row[5])) << where << " a1";
    EXPECT_TRUE(Matches(s.a2, row[6])) << where << " a2";
  }
}

TEST_F(FilterReference, FreshFiltersProduceTheRecordedOutputs)
{
  const char* names[] = {"butter_lp2", "butter_lp2", "butter_lp2", "butter_lp2", "butter_lp2",
                         "butter_hp2", "butter_hp2", "butter_hp2", "butter_hp2", "butter_hp2",
                         "cheby2_lp6", "cheby2_lp6", "cheby2_lp6", "cheby2_lp6", "cheby2_lp6"};
  for (int id = 0; id < 15; ++id)
  {
    char file[64];
    std::snprintf(file, sizeof file, "out_2009_d%02d_%s.txt", id, names[id]);
    const ReferenceTable t = Table(file);
    ASSERT_EQ(t.size(), 256u) << file;
    ReferenceFilter filter(designs.at(id).kind);
    ASSERT_TRUE(filter.Setup(designs.at(id)));
    std::vector<double> buf = Input(t, 0, t.size(), 1);
    filter.Process(static_cast<int>(t.size()), buf.data());
    ExpectOutput(buf, t, 0, 3, file);
  }
}

// Three 64-frame segments with a redesign before each; the histories carry over.
TEST_F(FilterReference, ButterworthRedesignKeepsHistories)
{
  const struct
  {
    const char* file;
    int firstDesign;
  } runs[] = {{"redesign_2009_butter_lp2.txt", 15}, {"redesign_2009_butter_hp2.txt", 18}};
  for (const auto& run : runs)
  {
    const ReferenceTable t = Table(run.file);
    ASSERT_EQ(t.size(), 192u) << run.file;
    ReferenceFilter filter(designs.at(run.firstDesign).kind);
    for (int segment = 0; segment < 3; ++segment)
    {
      ASSERT_TRUE(filter.Setup(designs.at(run.firstDesign + segment)));
      std::vector<double> buf = Input(t, segment * 64, 64, 2);
      filter.Process(64, buf.data());
      ExpectOutput(buf, t, segment * 64, 4, std::string(run.file) + " segment " + std::to_string(segment));
    }
  }
}

// Switching the inverse-Chebyshev filter to a Nyquist cutoff and back while it runs, with
// and without the pass-through call before each design, and after clearing.
TEST_F(FilterReference, ChebyshevRedesignFollowsTheRecordedRun)
{
  const ReferenceTable t = Table("redesign_2009_cheby2_lp6.txt");
  ASSERT_EQ(t.size(), 192u);
  const int designOrder[] = {10, 13, 11};
  enum Variant { kPassThroughFirst, kPlain, kCleared };
  const int outColumn[] = {4, 6, 8};
  for (const Variant variant : {kPassThroughFirst, kPlain, kCleared})
  {
    ReferenceFilter filter(2);
    for (int segment = 0; segment < 3; ++segment)
    {
      if (segment > 0 && variant == kPassThroughFirst)
        filter.SetPassThrough();
      if (segment > 0 && variant == kCleared)
        filter.Clear();
      ASSERT_TRUE(filter.Setup(designs.at(designOrder[segment])));
      std::vector<double> buf = Input(t, segment * 64, 64, 2);
      filter.Process(64, buf.data());
      ExpectOutput(buf, t, segment * 64, outColumn[variant],
                   "variant " + std::to_string(variant) + " segment " + std::to_string(segment));
    }
  }
}

TEST_F(FilterReference, PassThroughPassesInputButKeepsFeedingHistories)
{
  const ReferenceTable t = Table("passthrough_2009_cheby2_lp6.txt");
  ASSERT_EQ(t.size(), 160u);
  ReferenceFilter filter(2);
  ASSERT_TRUE(filter.Setup(designs.at(10)));
  std::vector<double> first = Input(t, 0, 64, 2);
  filter.Process(64, first.data());
  ExpectOutput(first, t, 0, 4, "designed");

  filter.SetPassThrough();
  std::vector<double> passed = Input(t, 64, 32, 2);
  const std::vector<double> original = passed;
  filter.Process(32, passed.data());
  EXPECT_EQ(passed, original) << "pass-through must be exact";

  ASSERT_TRUE(filter.Setup(designs.at(13)));
  std::vector<double> last = Input(t, 96, 64, 2);
  filter.Process(64, last.data());
  ExpectOutput(last, t, 96, 4, "redesigned after pass-through");
}

}  // namespace
