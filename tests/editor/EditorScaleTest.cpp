// The editor at other scales than 1, as a Linux host shows it: the bundle's view at a host
// content scale or resized by the host, compared with pictures made from the artwork.
#include "tests/editor/EditorHost.h"

#include "framework/EditorScale.h"
#include "tools/host/MemoryStream.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace EditorTest {
namespace {

constexpr ParamID kMidSatBypass = 12;
// The top-left corner of the Mid Sat Bypass switch, in layout pixels.
constexpr int kMidBypassX = 345, kMidBypassY = 215;
// Glyphs are anti-aliased differently by every renderer and size: their areas are left out
// of the comparisons, with this margin in layout pixels.
constexpr int kTextMargin = 2;

int ToWindow(int v, double scale)
{
  return EditorScale::LayoutToWindow(v, scale);
}

int Channel(uint32_t pixel, int shift)
{
  return static_cast<int>((pixel >> shift) & 0xFF);
}

// The picture resized by an independent filter: shrinking averages the covered source area,
// enlarging interpolates bilinearly between pixel centres.
Picture Resized(const Picture& from, int width, int height)
{
  Picture to{width, height, std::vector<uint32_t>(static_cast<size_t>(width) * height)};
  const double fx = static_cast<double>(from.width) / width;
  const double fy = static_cast<double>(from.height) / height;
  auto at = [&from](int x, int y) {
    return from.pixels[std::clamp(y, 0, from.height - 1) * from.width + std::clamp(x, 0, from.width - 1)];
  };
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
    {
      double sum[3] = {0, 0, 0};
      double total = 0;
      if (fx > 1.0)
      {
        const double x0 = x * fx, x1 = x0 + fx, y0 = y * fy, y1 = y0 + fy;
        for (int sy = static_cast<int>(y0); sy < std::ceil(y1); ++sy)
          for (int sx = static_cast<int>(x0); sx < std::ceil(x1); ++sx)
          {
            const double w = (std::min<double>(sx + 1, x1) - std::max<double>(sx, x0)) *
                             (std::min<double>(sy + 1, y1) - std::max<double>(sy, y0));
            for (int c = 0; c < 3; ++c)
              sum[c] += w * Channel(at(sx, sy), 8 * c);
            total += w;
          }
      }
      else
      {
        const double u = (x + 0.5) * fx - 0.5, v = (y + 0.5) * fy - 0.5;
        const int ix = static_cast<int>(std::floor(u)), iy = static_cast<int>(std::floor(v));
        const double ax = u - ix, ay = v - iy;
        for (int k = 0; k < 4; ++k)
        {
          const int dx = k & 1, dy = k >> 1;
          const double w = (dx ? ax : 1 - ax) * (dy ? ay : 1 - ay);
          for (int c = 0; c < 3; ++c)
            sum[c] += w * Channel(at(ix + dx, iy + dy), 8 * c);
          total += w;
        }
      }
      uint32_t pixel = 0;
      for (int c = 0; c < 3; ++c)
        pixel |= static_cast<uint32_t>(std::lround(sum[c] / total)) << (8 * c);
      to.pixels[static_cast<size_t>(y) * width + x] = pixel;
    }
  return to;
}

struct Difference
{
  double meanError = 0;  // per channel, over the compared pixels
  double farShare = 0;   // share of compared pixels with a channel off by more than kFar
  static constexpr int kFar = 48;
};

Difference Compare(const std::vector<uint32_t>& shown, const Picture& expected, double scale)
{
  std::vector<char> masked(expected.pixels.size(), 0);
  for (const LayoutRect& area : EditorTextAreas())
    for (int y = ToWindow(area.t - kTextMargin, scale); y < ToWindow(area.b + kTextMargin, scale); ++y)
      for (int x = ToWindow(area.l - kTextMargin, scale); x < ToWindow(area.r + kTextMargin, scale); ++x)
        if (x >= 0 && y >= 0 && x < expected.width && y < expected.height)
          masked[static_cast<size_t>(y) * expected.width + x] = 1;
  Difference difference;
  long compared = 0, far = 0;
  double error = 0;
  for (size_t i = 0; i < expected.pixels.size(); ++i)
  {
    if (masked[i])
      continue;
    int worst = 0;
    for (int c = 0; c < 3; ++c)
    {
      const int d = std::abs(Channel(shown[i], 8 * c) - Channel(expected.pixels[i], 8 * c));
      error += d;
      worst = std::max(worst, d);
    }
    far += worst > Difference::kFar;
    ++compared;
  }
  difference.meanError = error / (3.0 * compared);
  difference.farShare = static_cast<double>(far) / compared;
  return difference;
}

class EditorScaleTest : public EditorHostTest
{
protected:
  // The whole editor at the largest scale fits into the test's parent window.
  void SetUp() override
  {
    EditorHostTest::SetUp();
    XResizeWindow(display, parent, ToWindow(kWidth, EditorScale::kLargest), ToWindow(kHeight, EditorScale::kLargest));
    XSync(display, False);
  }

  std::pair<int, int> WindowSize(Window window) const
  {
    XWindowAttributes attributes{};
    XGetWindowAttributes(display, window, &attributes);
    return {attributes.width, attributes.height};
  }
};

// At 1 the editor is the 1x artwork as ever, at 2 the 2x artwork untouched; between and
// beyond, the 2x artwork resampled must look like the 2x picture resized by a plain filter.
TEST_F(EditorScaleTest, PicturesAtEveryScaleMatchTheArtwork)
{
  const Picture detailed = ReferenceEditorAt(2.0);
  ASSERT_EQ(detailed.width, 2 * kWidth);
  const struct
  {
    double scale;
    bool exact;
  } cases[] = {{1.0, true}, {1.5, false}, {2.0, true}, {2.5, false}};
  for (const auto& c : cases)
  {
    SCOPED_TRACE(c.scale);
    view = OpenView(static_cast<float>(c.scale));
    ASSERT_TRUE(view);
    const int width = ToWindow(kWidth, c.scale), height = ToWindow(kHeight, c.scale);
    ViewRect size;
    ASSERT_EQ(view->getSize(&size), kResultOk);
    EXPECT_EQ(size.getWidth(), width);
    EXPECT_EQ(size.getHeight(), height);
    const Window window = Children(parent).at(0);
    EXPECT_EQ(WindowSize(window), std::make_pair(width, height));
    const std::vector<uint32_t> shown = WindowPixels(window);
    ASSERT_EQ(shown.size(), static_cast<size_t>(width) * height);
    if (c.exact)
    {
      const Picture expected = c.scale == 1.0 ? Picture{kWidth, kHeight, ReferenceEditor()} : detailed;
      EXPECT_TRUE(shown == expected.pixels);
    }
    else
    {
      // The 1x picture enlarged smoothly instead, blurred, is off by a mean of 2.7 with 1.9 %
      // of pixels far off; the resampled 2x artwork by about 1 and 0.3 to 0.5 %.
      const Difference difference = Compare(shown, Resized(detailed, width, height), c.scale);
      EXPECT_LT(difference.meanError, 1.8);
      EXPECT_LT(difference.farShare, 0.01);
    }
    view->removed();
    view = nullptr;
  }
}

// Whatever size the host proposes, the editor keeps its aspect ratio within 0.75x and 3x.
TEST_F(EditorScaleTest, SizeConstraintsKeepTheAspectRatioWithinTheRange)
{
  IPtr<IPlugView> sizing(Controller()->createView(ViewType::kEditor), false);
  ASSERT_EQ(sizing->canResize(), kResultTrue);
  const struct
  {
    ViewRect proposed;
    ViewRect kept;
  } cases[] = {
    {{0, 0, 1024, 480}, {0, 0, 1024, 480}},   {{0, 0, 2048, 960}, {0, 0, 2048, 960}},
    {{0, 0, 1536, 480}, {0, 0, 1536, 720}},   {{0, 0, 1024, 720}, {0, 0, 1536, 720}},
    {{0, 0, 1100, 500}, {0, 0, 1100, 516}},   {{0, 0, 300, 100}, {0, 0, 768, 360}},
    {{0, 0, 5000, 4000}, {0, 0, 3072, 1440}}, {{20, 10, 1300, 490}, {20, 10, 1300, 610}},
    {{0, 0, 1024, 600}, {0, 0, 1280, 600}},
  };
  for (const auto& c : cases)
  {
    ViewRect rect = c.proposed;
    ASSERT_EQ(sizing->checkSizeConstraint(&rect), kResultTrue);
    EXPECT_EQ(rect.left, c.kept.left);
    EXPECT_EQ(rect.top, c.kept.top);
    EXPECT_EQ(rect.right, c.kept.right) << c.proposed.getWidth() << " x " << c.proposed.getHeight();
    EXPECT_EQ(rect.bottom, c.kept.bottom) << c.proposed.getWidth() << " x " << c.proposed.getHeight();
  }

  // Content scales that are no size are refused; the others are limited to the range.
  FUnknownPtr<IPlugViewContentScaleSupport> scaling(sizing);
  ASSERT_TRUE(scaling);
  for (float refused : {0.0f, -1.0f, std::nanf(""), std::numeric_limits<float>::infinity()})
    EXPECT_EQ(scaling->setContentScaleFactor(refused), kInvalidArgument) << refused;
  const struct
  {
    float factor;
    int width;
  } limited[] = {{0.5f, 768}, {1.25f, 1280}, {10.0f, 3072}};
  for (const auto& c : limited)
  {
    ASSERT_EQ(scaling->setContentScaleFactor(c.factor), kResultOk);
    ViewRect size;
    ASSERT_EQ(sizing->getSize(&size), kResultOk);
    EXPECT_EQ(size.getWidth(), c.width) << c.factor;
  }
}

// A size set by the host resizes the open editor; a click on the switch's top-left window
// pixel toggles it at every scale, one pixel up and to the left does not.
TEST_F(EditorScaleTest, AResizeKeepsTheAspectRatioAndThePointerMapping)
{
  view = OpenView();
  ASSERT_TRUE(view);
  for (double scale : {1.25, 0.75, 1.5, 2.0, 2.5, 3.0, 1.0})
  {
    SCOPED_TRACE(scale);
    ViewRect rect;
    ASSERT_EQ(view->getSize(&rect), kResultOk);
    rect.right = ToWindow(kWidth, scale);
    ASSERT_EQ(view->checkSizeConstraint(&rect), kResultTrue);
    ASSERT_EQ(view->onSize(&rect), kResultOk);
    Pump(60);
    ViewRect size;
    ASSERT_EQ(view->getSize(&size), kResultOk);
    EXPECT_EQ(size.getWidth(), ToWindow(kWidth, scale));
    EXPECT_EQ(size.getHeight(), ToWindow(kHeight, scale));
    EXPECT_EQ(WindowSize(Children(parent).at(0)), std::make_pair(size.getWidth(), size.getHeight()));

    const double before = PlainValue(kMidSatBypass);
    handler.calls.clear();
    WaitOutDoubleClick();
    Click(ToWindow(kMidBypassX, scale) - 1, ToWindow(kMidBypassY, scale) - 1);
    EXPECT_EQ(handler.calls, "");
    WaitOutDoubleClick();
    Click(ToWindow(kMidBypassX, scale), ToWindow(kMidBypassY, scale));
    EXPECT_EQ(handler.calls, "begin:12 perform:12 end:12 ");
    EXPECT_NE(PlainValue(kMidSatBypass), before);
  }

  // The host's content scale multiplies the chosen size; the open editor takes it at once and
  // asks the host for its new size.
  FUnknownPtr<IPlugViewContentScaleSupport> scaling(view);
  ASSERT_TRUE(scaling);
  ASSERT_EQ(scaling->setContentScaleFactor(1.5f), kResultOk);
  ASSERT_FALSE(frame.resizes.empty());
  EXPECT_EQ(frame.resizes.back().getWidth(), 1536);
  EXPECT_EQ(frame.resizes.back().getHeight(), 720);
  XSync(display, False);
  const Window window = Children(parent).at(0);
  EXPECT_EQ(WindowSize(window), std::make_pair(1536, 720));

  // A host that makes the window larger than the editor sees black beyond it.
  XResizeWindow(display, window, 1700, 800);
  Pump();
  const std::vector<uint32_t> shown = WindowPixels(window);
  ASSERT_EQ(shown.size(), 1700u * 800u);
  EXPECT_EQ(shown[100 * 1700 + 1600], 0u);
  EXPECT_EQ(shown[760 * 1700 + 100], 0u);
  EXPECT_NE(shown[100 * 1700 + 100], 0u);
}

// Two views show the one editor: resizing one asks the other's host for the new size too.
TEST_F(EditorScaleTest, AnotherViewOfTheEditorFollowsAResize)
{
  view = OpenView();
  ASSERT_TRUE(view);
  const Window firstParent = parent;
  parent = CreateParent(kWidth, kHeight);
  IPtr<IPlugView> second = OpenView();
  ASSERT_TRUE(second);
  frame.resizes.clear();
  ViewRect larger(0, 0, 1536, 720);
  ASSERT_EQ(view->onSize(&larger), kResultOk);
  ASSERT_EQ(frame.resizes.size(), 1u);
  EXPECT_EQ(frame.resizedView, second.get());
  EXPECT_EQ(frame.resizes.back().getWidth(), 1536);
  EXPECT_EQ(frame.resizes.back().getHeight(), 720);
  XSync(display, False);
  EXPECT_EQ(WindowSize(Children(firstParent).at(0)), std::make_pair(1536, 720));
  EXPECT_EQ(WindowSize(Children(parent).at(0)), std::make_pair(1536, 720));
  EXPECT_EQ(second->removed(), kResultOk);
}

// A host that refuses a view's request for a new size leaves that view waiting for no
// answer: the next size the host gives it is the user's, and the editor takes it.
TEST_F(EditorScaleTest, AViewWhoseHostRefusedAResizeStillFollowsTheNextOne)
{
  struct RefusingFrame : TvHost::EditorFrame
  {
    tresult PLUGIN_API resizeView(IPlugView*, ViewRect* rect) override
    {
      resizes.push_back(*rect);
      return kResultFalse;
    }
  } refusing;
  view = OpenView();
  ASSERT_TRUE(view);
  IPtr<IPlugView> second(Controller()->createView(ViewType::kEditor), false);
  ASSERT_TRUE(second);
  second->setFrame(&refusing);
  ASSERT_EQ(second->attached(reinterpret_cast<void*>(CreateParent(kWidth, kHeight)), kPlatformTypeX11EmbedWindowID),
            kResultOk);

  ViewRect larger(0, 0, 1536, 720);
  ASSERT_EQ(view->onSize(&larger), kResultOk);
  ASSERT_EQ(refusing.resizes.size(), 1u);
  ViewRect largest(0, 0, 2048, 960);
  ASSERT_EQ(second->onSize(&largest), kResultOk);
  ViewRect size;
  ASSERT_EQ(second->getSize(&size), kResultOk);
  EXPECT_EQ(size.getWidth(), 2048);
  EXPECT_EQ(size.getHeight(), 960);
  EXPECT_EQ(second->removed(), kResultOk);
}

// The size chosen for the editor, even while no window shows it, is saved with the state; an
// instance that loads the state opens its editor at that size.
TEST_F(EditorScaleTest, TheChosenSizeComesBackWithTheStateWhenTheEditorReopens)
{
  {
    IPtr<IPlugView> closed(Controller()->createView(ViewType::kEditor), false);
    ViewRect chosen(0, 0, 1536, 720);
    ASSERT_EQ(closed->onSize(&chosen), kResultOk);
  }
  TvHost::MemoryStream saved;
  ASSERT_EQ(Component()->getState(&saved), kResultOk);

  std::string error;
  auto other = TvHost::PluginInstance::Create(module, &host, error);
  ASSERT_TRUE(other) << error;
  TvHost::MemoryStream loaded(saved.Bytes());
  ASSERT_EQ(other->Component()->setState(&loaded), kResultOk);
  IPtr<IPlugView> reopened(other->Controller()->createView(ViewType::kEditor), false);
  ViewRect size;
  ASSERT_EQ(reopened->getSize(&size), kResultOk);
  EXPECT_EQ(size.getWidth(), 1536);
  EXPECT_EQ(size.getHeight(), 720);
  reopened->setFrame(&frame);
  ASSERT_EQ(reopened->attached(reinterpret_cast<void*>(parent), kPlatformTypeX11EmbedWindowID), kResultOk);
  Pump();
  EXPECT_EQ(WindowSize(Children(parent).at(0)), std::make_pair(1536, 720));
  EXPECT_EQ(reopened->removed(), kResultOk);
}

}  // namespace
}  // namespace EditorTest
