#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "RecordingPlug.h"

namespace
{
// Three parameters: a 0..100 mix, a bool, and a curved frequency.
void DefineParams(IPlugBase& plug)
{
  plug.ParamAt(0)->DefineDouble("Mix", 25.0, 0.0, 100.0, 1.0, 1.0, "%");
  plug.ParamAt(1)->DefineBool("Switch", true);
  plug.ParamAt(2)->DefineInt("Freq", 250, 50, 5000, "Hz");
  plug.ParamAt(2)->SetCurveExponent(3.5);
}
}  // namespace

TEST(IPlugBaseParams, ParamAtIsNullOutsideTheList)
{
  RecordingPlug plug;
  EXPECT_EQ(3, plug.NParams());
  EXPECT_NE(nullptr, plug.ParamAt(2));
  EXPECT_EQ(nullptr, plug.ParamAt(3));
  EXPECT_EQ(nullptr, plug.ParamAt(-1));
  EXPECT_EQ(KindUnset, plug.ParamAt(0)->Kind());
}

TEST(IPlugBaseParams, SetParameterFromGUIQuantisesInformsRawAndApplies)
{
  RecordingPlug plug;
  DefineParams(plug);
  plug.SetParameterFromGUI(2, 0.5);
  EXPECT_EQ(488.0, plug.ParamAt(2)->Value());
  EXPECT_EQ(1, plug.informCount);
  EXPECT_EQ(2, plug.lastInformedIdx);
  EXPECT_EQ(0.5, plug.lastInformedValue);
  EXPECT_EQ(1, plug.applyCount);
  EXPECT_EQ(2, plug.lastAppliedIdx);
  EXPECT_EQ(kSourceEditor, plug.lastSource);

  plug.SetParameterFromGUI(7, 0.5);  // no such parameter: nothing happens
  EXPECT_EQ(1, plug.informCount);
  EXPECT_EQ(1, plug.applyCount);
}

TEST(IPlugBaseParams, InformAndApplyAll)
{
  RecordingPlug plug;
  DefineParams(plug);
  plug.InformHostOfAllParams();
  EXPECT_EQ(3, plug.informCount);
  EXPECT_EQ(2, plug.lastInformedIdx);
  EXPECT_DOUBLE_EQ(plug.ParamAt(2)->Normalized(), plug.lastInformedValue);
  plug.ApplyAllParamChanges(kSourceReset);
  EXPECT_EQ(3, plug.applyCount);
  EXPECT_EQ(kSourceReset, plug.lastSource);
}

TEST(IPlugBaseParams, ValuesMatchComparesAsFloats)
{
  RecordingPlug plug;
  DefineParams(plug);
  const double same[] = {99.0, 25.0, 1.0, 250.0000001};
  EXPECT_TRUE(plug.ValuesMatch(same, 1));
  const double different[] = {25.0, 1.0, 251.0};
  EXPECT_FALSE(plug.ValuesMatch(different, 0));
  EXPECT_FALSE(plug.ValuesMatch(nullptr, 0));
}

TEST(IPlugBaseEditor, AttachPushesNormalisedValuesThenPreparesSurfaces)
{
  RecordingPlug plug;
  DefineParams(plug);
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
}

TEST(IPlugBaseEditor, RefreshPushesPlainValues)
{
  RecordingPlug plug;
  DefineParams(plug);
  plug.RefreshEditorFromParams();  // no editor: nothing to do, no crash
  auto* editor = new RecordingEditor();
  plug.AttachEditor(editor);
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
    plug.AttachEditor(new RecordingEditor(&destroyed));
    EXPECT_FALSE(destroyed);
  }
  EXPECT_TRUE(destroyed);
}

TEST(IPlugBaseIdentity, NamesVersionsAndApi)
{
  const std::string longName(200, 'n');
  struct Plug : IPlugBase
  {
    explicit Plug(const char* name, int api)
      : IPlugBase(0, "2-2", 0, name, "Product", "Maker", 0x00070105, 1, 2, 0, true, true, false, api)
    {
    }
  };
  Plug plug(longName.c_str(), 1);
  EXPECT_EQ(std::string(127, 'n'), plug.EffectName());
  EXPECT_STREQ("Product", plug.ProductName());
  EXPECT_STREQ("VST3", plug.ApiName());
  EXPECT_EQ(1, plug.ApiCode());
  EXPECT_STREQ("x64", plug.ArchName());
  EXPECT_EQ(70105, plug.EffectVersion(true));
  EXPECT_EQ(0x00070105, plug.EffectVersion(false));
  char text[IPlugBase::kVersionTextSize];
  plug.EffectVersionText(text);
  EXPECT_STREQ("v7.1.5", text);
  EXPECT_STREQ("", Plug("x", 9).ApiName());
  EXPECT_STREQ("", Plug("x", -1).ApiName());
  EXPECT_EQ(-1, plug.HostCode());
}
