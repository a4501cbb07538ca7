#include <string>

#include <gtest/gtest.h>

#include "RecordingPlug.h"

namespace {
// A 0..100 mix, a switch and a curved frequency.
class ThreeParamPlug : public RecordingPlug
{
public:
  ThreeParamPlug()
  {
    ParamAt(0)->DefineDouble("Mix", 25.0, 0.0, 100.0, 1.0, 1.0, "%");
    ParamAt(1)->DefineBool("Switch", true);
    ParamAt(2)->DefineInt("Freq", 250, 50, 5000, "Hz");
    ParamAt(2)->SetCurveExponent(3.5);
  }
};
}  // namespace

TEST(IPlugBaseParams, SetParameterFromGUIQuantisesInformsRawAndApplies)
{
  ThreeParamPlug plug;
  EXPECT_EQ(nullptr, plug.ParamAt(3));
  EXPECT_EQ(nullptr, plug.ParamAt(-1));
  plug.SetParameterFromGUI(2, 0.5);
  EXPECT_EQ(488.0, plug.ParamAt(2)->Value());
  EXPECT_EQ(2, plug.lastInformedIdx);
  EXPECT_EQ(0.5, plug.lastInformedValue);  // as received, not re-normalised
  EXPECT_EQ(2, plug.lastAppliedIdx);
  EXPECT_EQ(kSourceEditor, plug.lastSource);
  plug.SetParameterFromGUI(7, 0.5);  // no such parameter: nothing happens
  EXPECT_EQ(1, plug.informCount);
  EXPECT_EQ(1, plug.applyCount);
}

TEST(IPlugBaseParams, InformApplyAndCompareAll)
{
  ThreeParamPlug plug;
  plug.InformHostOfAllParams();
  EXPECT_EQ(3, plug.informCount);
  EXPECT_DOUBLE_EQ(plug.ParamAt(2)->Normalized(), plug.lastInformedValue);
  plug.ApplyAllParamChanges(kSourceReset);
  EXPECT_EQ(3, plug.applyCount);
  EXPECT_EQ(kSourceReset, plug.lastSource);

  const double values[] = {99.0, 25.0, 1.0, 250.0000001};
  EXPECT_TRUE(plug.ValuesMatch(values, 1));
  EXPECT_FALSE(plug.ValuesMatch(values, 0));
}

TEST(IPlugBaseEditor, AttachPushesNormalisedValuesThenPreparesSurfaces)
{
  ThreeParamPlug plug;
  auto* editor = new RecordingEditor();
  plug.AttachEditor(editor);  // ownership passes to the plug-in
  ASSERT_EQ(editor, plug.Editor());
  ASSERT_EQ(3u, editor->pushes.size());
  for (int i = 0; i < 3; ++i)
  {
    EXPECT_EQ(i, editor->pushes[i].paramIdx);
    EXPECT_TRUE(editor->pushes[i].normalized);
    EXPECT_DOUBLE_EQ(plug.ParamAt(i)->Normalized(), editor->pushes[i].value);
  }
  EXPECT_EQ(3, editor->preparedAfterPushes);
  plug.AttachEditor(nullptr);
  EXPECT_EQ(editor, plug.Editor());

  editor->pushes.clear();
  plug.RefreshEditorFromParams();
  ASSERT_EQ(3u, editor->pushes.size());
  EXPECT_EQ(250.0, editor->pushes[2].value);
  EXPECT_FALSE(editor->pushes[2].normalized);
}

TEST(IPlugBaseEditor, DestroyedWithThePlugin)
{
  bool destroyed = false;
  {
    RecordingPlug plug;
    plug.RefreshEditorFromParams();  // no editor yet: nothing to do
    plug.AttachEditor(new RecordingEditor(&destroyed));
    EXPECT_FALSE(destroyed);
  }
  EXPECT_TRUE(destroyed);
}

TEST(IPlugBaseIdentity, NamesAreCutAndApiNamesLookedUp)
{
  const std::string longName(200, 'n');
  struct Plug : IPlugBase
  {
    Plug(const char* name, int api) : IPlugBase(0, "2-2", 0, name, "", "", 0x00070105, 1, 2, 0, 0, 0, 0, api) {}
  };
  Plug plug(longName.c_str(), 1);
  EXPECT_EQ(std::string(127, 'n'), plug.EffectName());
  EXPECT_STREQ("VST3", plug.ApiName());
  EXPECT_EQ(70105, plug.EffectVersion(true));
  EXPECT_STREQ("", Plug("x", 9).ApiName());
  EXPECT_STREQ("", Plug("x", -1).ApiName());
}
