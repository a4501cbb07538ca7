#pragma once

#include "RecordingPlug.h"
#include "TestStrips.h"
#include "graphics/controls/IBitmapControl.h"
#include "graphics/headless/IGraphicsHeadless.h"

#include <gtest/gtest.h>

// A headless editor of 200 x 100 pixels over a recording plug-in. Controls are added by
// the test; Attach() hands the editor to the plug-in as an effect does, which pushes every
// parameter's value and prepares the drawing surfaces, then lets the controls take the
// values over as an open view's first tick does.
class EditorFixture : public ::testing::Test
{
protected:
  static constexpr int kWidth = 200;
  static constexpr int kHeight = 100;

  EditorFixture() : graphics(new IGraphicsHeadless(&plug, kWidth, kHeight, 0, "/nonexistent")) {}

  ~EditorFixture() override
  {
    if (!attached)
      delete graphics;
  }

  // An opaque one-frame background covering the editor, at index 0.
  void AddBackground()
  {
    graphics->AddControl(
      new IBitmapControl(&plug, 0, 0, -1, MakeStrip(*graphics, kWidth, kHeight, 1), IBlend::BlendCopy));
  }

  void Attach()
  {
    plug.AttachEditor(graphics);
    attached = true;
    graphics->ApplyPendingChanges();
    plug.calls.clear();
  }

  RecordingPlug plug;
  IGraphicsHeadless* graphics;
  bool attached = false;
  const IPointerMods left{true, false};
  const IPointerMods right{false, true};
  const IPointerMods leftShift{true, false, true};
};
