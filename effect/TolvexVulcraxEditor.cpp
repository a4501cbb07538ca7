// The editor of TolvexVulcrax: a 1024 x 480 background with 15 switches, 29 knobs with
// read-outs and the version caption, bound to the parameters by index.
#include "effect/TolvexVulcrax.h"

#include <memory>

#include "effect/ParamIndex.h"
#include "effect/PluginIdentity.h"
#include "graphics/controls/IKnobMultiControlText.h"
#include "graphics/controls/ISwitchControl.h"
#include "graphics/controls/ITextControl.h"
#include "graphics/linux/IGraphicsLinux.h"

namespace {
constexpr int kBackgroundId = 102;
constexpr char kBackgroundImage[] = "resources/img/bkg.png";
constexpr int kSwitchId = 103;
constexpr char kSwitchImage[] = "resources/img/switch.png";
constexpr int kSwitchFrames = 2;
constexpr int kKnobId = 101;
constexpr char kKnobImage[] = "resources/img/knob.png";
constexpr int kKnobFrames = 101;
// Zero asks the graphics core for its default of 25 redraws per second.
constexpr int kEditorFps = 0;
constexpr int kTextSize = 12;
const IRECT kCaptionRect(422, 460, 505, 471);

enum class ControlKind
{
  Switch,
  Knob
};

struct ControlPlacement
{
  ControlKind kind;
  int x;
  int y;
  int paramIdx;
};

// In the order the controls are added, which is also the drawing order. The three band rows
// share their columns: saturation gain, DC offset, saturation mix and bypass, odd and even
// harmonics, exciter mix and bypass, bit resolution, bit-reduction mix and bypass.
constexpr ControlPlacement kPlacements[] = {
  {ControlKind::Switch, 35, 42, kMultiband},         {ControlKind::Switch, 35, 381, kOversample},
  {ControlKind::Knob, 24, 129, kFreqHigh},           {ControlKind::Knob, 24, 278, kFreqLow},

  {ControlKind::Knob, 127, 53, kHighSatGain},        {ControlKind::Knob, 199, 53, kHighDcOffset},
  {ControlKind::Knob, 272, 53, kHighSatMix},         {ControlKind::Switch, 345, 65, kHighSatBypass},
  {ControlKind::Knob, 422, 53, kHighOddHarm},        {ControlKind::Knob, 494, 53, kHighEvenHarm},
  {ControlKind::Knob, 567, 53, kHighExcMix},         {ControlKind::Switch, 644, 65, kHighExcBypass},
  {ControlKind::Knob, 722, 53, kHighBitRes},         {ControlKind::Knob, 795, 53, kHighBitRedMix},
  {ControlKind::Switch, 872, 65, kHighBitRedBypass},

  {ControlKind::Knob, 127, 203, kMidSatGain},        {ControlKind::Knob, 199, 203, kMidDcOffset},
  {ControlKind::Knob, 272, 203, kMidSatMix},         {ControlKind::Switch, 345, 215, kMidSatBypass},
  {ControlKind::Knob, 422, 203, kMidOddHarm},        {ControlKind::Knob, 494, 203, kMidEvenHarm},
  {ControlKind::Knob, 567, 203, kMidExcMix},         {ControlKind::Switch, 644, 215, kMidExcBypass},
  {ControlKind::Knob, 722, 203, kMidBitRes},         {ControlKind::Knob, 795, 203, kMidBitRedMix},
  {ControlKind::Switch, 872, 215, kMidBitRedBypass},

  {ControlKind::Knob, 127, 352, kLowSatGain},        {ControlKind::Knob, 199, 352, kLowDcOffset},
  {ControlKind::Knob, 272, 352, kLowSatMix},         {ControlKind::Switch, 345, 364, kLowSatBypass},
  {ControlKind::Knob, 422, 352, kLowOddHarm},        {ControlKind::Knob, 494, 352, kLowEvenHarm},
  {ControlKind::Knob, 567, 352, kLowExcMix},         {ControlKind::Switch, 644, 364, kLowExcBypass},
  {ControlKind::Knob, 722, 352, kLowBitRes},         {ControlKind::Knob, 795, 352, kLowBitRedMix},
  {ControlKind::Switch, 872, 364, kLowBitRedBypass},

  {ControlKind::Knob, 949, 37, kHighLevel},          {ControlKind::Knob, 949, 185, kMidLevel},
  {ControlKind::Knob, 949, 336, kLowLevel},          {ControlKind::Switch, 975, 119, kHighMute},
  {ControlKind::Switch, 975, 267, kMidMute},         {ControlKind::Switch, 975, 417, kLowMute},
};
// Below "Oversample", on for "Clean". It is added after the controls above, which so keep
// their places in the list.
constexpr ControlPlacement kQualityPlacement = {ControlKind::Switch, 35, 431, kOversampleQuality};
}  // namespace

void TolvexVulcrax::BuildEditor()
{
  auto graphics = std::make_unique<IGraphicsLinux>(this, kEditorWidth, kEditorHeight, kEditorFps);
  graphics->SetBundleId(PluginIdentity::kBundleId);
  // Each control's tooltip names its parameter in full and shows its value.
  graphics->EnableTooltips(true);
  graphics->AttachBackdrop(kBackgroundId, kBackgroundImage);
  const IFrameStrip switchStrip = graphics->LoadStripBitmap(kSwitchId, kSwitchImage, kSwitchFrames);
  const IFrameStrip knobStrip = graphics->LoadStripBitmap(kKnobId, kKnobImage, kKnobFrames);
  const IText text(kTextSize, IColor(255, 128, 128, 128), "Arial", IText::kStyleNormal, IText::kAlignCenter, 0,
                   IText::kQualityDefault, ColourWhite, ColourBlack);

  const auto addControl = [&](const ControlPlacement& placement) {
    if (placement.kind == ControlKind::Switch)
      graphics->AddControl(new ISwitchControl(this, placement.x, placement.y, placement.paramIdx, switchStrip));
    else
      graphics->AddControl(
        new IKnobMultiControlText(this, placement.x, placement.y, placement.paramIdx, knobStrip, text));
  };
  for (const ControlPlacement& placement : kPlacements)
    addControl(placement);
  addControl(kQualityPlacement);
  graphics->AddControl(new ITextControl(this, kCaptionRect, text, PluginIdentity::kVersionCaption));
  // From here the base owns the editor; attaching sets every control to its parameter's
  // value, which each control keeps as its double-click default.
  AttachEditor(graphics.release());
  UpdateEditorFor(kOversample);
}

// The quality only says how to oversample: its switch is greyed while oversampling is off.
void TolvexVulcrax::UpdateEditorFor(int paramIdx)
{
  IEditor* editor = Editor();
  if (paramIdx == kOversample && editor)
    editor->GreyParamControls(kOversampleQuality, !ParamAt(kOversample)->BoolValue());
}
