// The filters against coefficients and outputs recorded from the designs the effect was
// tuned with: fresh designs, long runs, mid-stream redesigns and the pass-through state.
// The data is read at run time from beside the checkout.

#include "dsp/ButterHighPass.h"
#include "dsp/ButterLowPass.h"
#include "dsp/ChebyIILowPass.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iomanip>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Row = std::vector<double>;
using Table = std::vector<Row>;

const std::string kDir = std::string(TV_SHARED_DIR) + "/reference/filters/";

Table ReadTable(const std::string& name)
{
  Table table;
  std::ifstream in(kDir + name);
  for (std::string line; std::getline(in, line);)
  {
    if (line.empty() || line[0] == '#')
      continue;
    std::istringstream fields(line);
    Row row;
    for (std::string field; fields >> field;)
      row.push_back(std::strtod(field.c_str(), nullptr));
    table.push_back(row);
  }
  return table;
}

struct Design
{
  int kind;  // 0 Butterworth low-pass, 1 Butterworth high-pass, 2 Chebyshev II low-pass
  int order;
  double sampleRate, cutoff, stopBandDb;
  int stages;
};

// The three filter types the effect uses, picked by the kind the data names.
class AnyFilter
{
public:
  bool Setup(const Design& d)
  {
    kind = d.kind;
    switch (kind)
    {
      case 0:
        return lowPass.Setup(d.order, d.sampleRate, d.cutoff);
      case 1:
        return highPass.Setup(d.order, d.sampleRate, d.cutoff);
      default:
        return cheby.Setup(d.order, d.sampleRate, d.cutoff, d.stopBandDb);
    }
  }

  template <typename Action>
  auto With(Action action)
  {
    return kind == 0 ? action(lowPass) : kind == 1 ? action(highPass) : action(cheby);
  }

  int kind = 2;
  Dsp::ButterLowPass<2, 2> lowPass;
  Dsp::ButterHighPass<2, 2> highPass;
  Dsp::ChebyIILowPass<6, 2> cheby;
};

// Exact: the same arithmetic in the same order gives the same bits, and the Nyquist-cutoff
// design integrates any last-bit difference into a drift that a tolerance would hide.
::testing::AssertionResult Matches(double actual, double expected)
{
  if (actual == expected)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << std::setprecision(17) << "got " << actual << ", expected " << expected;
}

class FilterReference : public ::testing::Test
{
protected:
  void SetUp() override
  {
    if (!std::ifstream(kDir + "designs_2009.txt"))
      GTEST_SKIP() << "filter reference data not found in " << kDir;
    for (const Row& r : ReadTable("design_params_2009.txt"))
      designs[int(r[0])] = {int(r[1]), int(r[2]), r[3], r[4], r[5], int(r[6])};
    ASSERT_EQ(designs.size(), 21u);
  }

  // Runs `count` frames from row `first` (input columns inL, inL + 1) through the filter and
  // compares with the output columns outL, outL + 1.
  static void RunAndCompare(AnyFilter& filter, const Table& t, size_t first, size_t count, int inL, int outL,
                            const std::string& what)
  {
    ASSERT_GE(t.size(), first + count) << what;
    std::vector<double> buf;
    for (size_t i = first; i < first + count; ++i)
      buf.insert(buf.end(), {t[i][inL], t[i][inL + 1]});
    filter.With([&](auto& f) { f.Process(int(count), buf.data()); });
    for (size_t i = 0; i < count; ++i)
    {
      EXPECT_TRUE(Matches(buf[2 * i], t[first + i][outL])) << what << ", left, row " << first + i;
      EXPECT_TRUE(Matches(buf[2 * i + 1], t[first + i][outL + 1])) << what << ", right, row " << first + i;
    }
  }

  std::map<int, Design> designs;
};

TEST_F(FilterReference, EveryDesignHasTheRecordedStages)
{
  std::map<int, AnyFilter> filters;
  for (const auto& [id, design] : designs)
  {
    ASSERT_TRUE(filters[id].Setup(design)) << "design " << id;
    EXPECT_EQ(filters[id].With([](auto& f) { return f.StageCount(); }), design.stages) << "design " << id;
  }
  const Table stages = ReadTable("designs_2009.txt");
  ASSERT_FALSE(stages.empty());
  for (const Row& r : stages)
  {
    const Dsp::BiquadStage s = filters[int(r[0])].With([&](auto& f) { return f.Stage(int(r[1])); });
    const std::string where = "design " + std::to_string(int(r[0])) + " stage " + std::to_string(int(r[1]));
    EXPECT_TRUE(Matches(s.b0, r[2])) << where << " b0";
    EXPECT_TRUE(Matches(s.b1, r[3])) << where << " b1";
    EXPECT_TRUE(Matches(s.b2, r[4])) << where << " b2";
    EXPECT_TRUE(Matches(s.a1, r[5])) << where << " a1";
    EXPECT_TRUE(Matches(s.a2, r[6])) << where << " a2";
  }
}

TEST_F(FilterReference, FreshFiltersProduceTheRecordedOutputs)
{
  for (int id = 0; id < 15; ++id)
  {
    const char* type = id < 5 ? "butter_lp2" : id < 10 ? "butter_hp2" : "cheby2_lp6";
    char file[64];
    std::snprintf(file, sizeof file, "out_2009_d%02d_%s.txt", id, type);
    AnyFilter filter;
    ASSERT_TRUE(filter.Setup(designs.at(id)));
    RunAndCompare(filter, ReadTable(file), 0, 256, 1, 3, file);
  }
}

// Three 64-frame segments with a redesign before each; the histories carry over.
TEST_F(FilterReference, ButterworthRedesignKeepsHistories)
{
  const std::pair<const char*, int> runs[] = {{"redesign_2009_butter_lp2.txt", 15},
                                              {"redesign_2009_butter_hp2.txt", 18}};
  for (const auto& [file, firstDesign] : runs)
  {
    const Table t = ReadTable(file);
    AnyFilter filter;
    for (int segment = 0; segment < 3; ++segment)
    {
      ASSERT_TRUE(filter.Setup(designs.at(firstDesign + segment)));
      RunAndCompare(filter, t, segment * 64, 64, 2, 4, std::string(file) + " segment " + std::to_string(segment));
    }
  }
}

// Switching the inverse-Chebyshev filter to a Nyquist cutoff and back while it runs: with the
// pass-through call before each design, without it, and after clearing the histories.
TEST_F(FilterReference, ChebyshevRedesignFollowsTheRecordedRun)
{
  const Table t = ReadTable("redesign_2009_cheby2_lp6.txt");
  enum Variant
  {
    kPassThroughFirst,
    kPlain,
    kCleared
  };
  for (const Variant variant : {kPassThroughFirst, kPlain, kCleared})
  {
    AnyFilter filter;
    int segment = 0;
    for (const int id : {10, 13, 11})
    {
      if (segment > 0 && variant == kPassThroughFirst)
        filter.cheby.SetPassThrough();
      if (segment > 0 && variant == kCleared)
        filter.cheby.Clear();
      ASSERT_TRUE(filter.Setup(designs.at(id)));
      RunAndCompare(filter, t, segment * 64, 64, 2, 4 + 2 * variant,
                    "variant " + std::to_string(variant) + " segment " + std::to_string(segment));
      ++segment;
    }
  }
}

TEST_F(FilterReference, PassThroughPassesInputButKeepsFeedingHistories)
{
  const Table t = ReadTable("passthrough_2009_cheby2_lp6.txt");
  AnyFilter filter;
  ASSERT_TRUE(filter.Setup(designs.at(10)));
  RunAndCompare(filter, t, 0, 64, 2, 4, "designed");
  filter.cheby.SetPassThrough();
  RunAndCompare(filter, t, 64, 32, 2, 4, "passing through");
  ASSERT_TRUE(filter.Setup(designs.at(13)));
  RunAndCompare(filter, t, 96, 64, 2, 4, "redesigned after passing through");
}

}  // namespace
