#include "dsp/StageRealisation.h"

#include <cmath>

namespace Dsp {

namespace {

using Complex = std::complex<double>;

// Roots this close to the real axis are taken as real, so that conjugate pairs that
// rounding pulled apart do not end up in two stages.
constexpr double kRealAxisTolerance = 1e-6;

Complex SnapToRealAxis(const Complex& root)
{
  return std::fabs(root.imag()) < kRealAxisTolerance ? Complex(root.real(), 0.0) : root;
}

double SquaredMagnitude(const Complex& root)
{
  return root.real() * root.real() + root.imag() * root.imag();
}

// Complex roots are placed from the last stage backwards; real roots are multiplied into
// stage 0 and moved to the next free stage from the back once stage 0 holds a pair.
// Each conjugate pair is represented by its upper-half-plane member.
class StagePlacer
{
public:
  StagePlacer(BiquadStage* stages, int stageCount) : stages(stages), stageCount(stageCount) {}

  void PlacePole(const Complex& root)
  {
    const Complex p = SnapToRealAxis(root);
    if (p.imag() > 0.0)
    {
      BiquadStage& stage = NextFromBack();
      stage.a1 = 2.0 * p.real();
      stage.a2 = -SquaredMagnitude(p);
    }
    else if (p.imag() == 0.0)
    {
      BiquadStage& first = stages[0];
      first.a2 = -first.a1 * p.real();
      first.a1 = first.a1 + p.real();
      if (first.a2 != 0.0 && HasFreeStageBehindFirst())
        MoveDenominatorFromFirst(NextFromBack());
    }
  }

  void PlaceZero(const Complex& root)
  {
    const Complex z = SnapToRealAxis(root);
    if (z.imag() > 0.0)
    {
      BiquadStage& stage = NextFromBack();
      stage.b0 = SquaredMagnitude(z);
      stage.b1 = -2.0 * z.real();
      stage.b2 = 1.0;
    }
    else if (z.imag() == 0.0)
    {
      BiquadStage& first = stages[0];
      const double x = z.real();
      first.b2 = first.b1;
      first.b1 = first.b1 * (-x) + first.b0;
      first.b0 = first.b0 * (-x);
      if (first.b2 != 0.0 && HasFreeStageBehindFirst())
        MoveNumeratorFromFirst(NextFromBack());
    }
  }

private:
  bool HasFreeStageBehindFirst() const { return stageCount - 1 - placed > 0; }

  BiquadStage& NextFromBack() { return stages[stageCount - 1 - placed++]; }

  void MoveDenominatorFromFirst(BiquadStage& target)
  {
    target.a1 = stages[0].a1;
    target.a2 = stages[0].a2;
    stages[0].a1 = 0.0;
    stages[0].a2 = 0.0;
  }

  void MoveNumeratorFromFirst(BiquadStage& target)
  {
    target.b0 = stages[0].b0;
    target.b1 = stages[0].b1;
    target.b2 = stages[0].b2;
    stages[0].b0 = 1.0;
    stages[0].b1 = 0.0;
    stages[0].b2 = 0.0;
  }

  BiquadStage* stages;
  int stageCount;
  int placed = 0;
};

Complex CascadeResponse(const BiquadStage* stages, int stageCount, double w)
{
  const Complex e1 = std::polar(1.0, -w);
  const Complex e2 = std::polar(1.0, -2.0 * w);
  Complex numerator(1.0);
  Complex denominator(1.0);
  for (int i = 0; i < stageCount; ++i)
  {
    const BiquadStage& s = stages[i];
    numerator *= s.b0 + s.b1 * e1 + s.b2 * e2;
    denominator *= 1.0 - s.a1 * e1 - s.a2 * e2;
  }
  return numerator / denominator;
}

}  // namespace

void RealiseStages(const PoleZeroLayout& digital, double normW, BiquadStage* stages)
{
  const int stageCount = StageCountForOrder(digital.count);
  for (int i = 0; i < stageCount; ++i)
    stages[i].SetPassThrough();

  StagePlacer poles(stages, stageCount);
  for (int i = 0; i < digital.count; ++i)
    poles.PlacePole(digital.poles[i]);
  StagePlacer zeros(stages, stageCount);
  for (int i = 0; i < digital.count; ++i)
    zeros.PlaceZero(digital.zeros[i]);

  const double scale = 1.0 / std::abs(CascadeResponse(stages, stageCount, normW));
  stages[0].b0 *= scale;
  stages[0].b1 *= scale;
  stages[0].b2 *= scale;
}

}  // namespace Dsp
