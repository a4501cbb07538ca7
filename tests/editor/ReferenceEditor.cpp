// Apart from the X11 code of the test host: Xlib's macros collide with the editor's names.
#include "tests/editor/ReferenceEditor.h"

#include "effect/TolvexVulcrax.h"
#include "graphics/IGraphics.h"
#include "graphics/controls/IKnobMultiControlText.h"
#include "graphics/controls/ITextControl.h"
#include "graphics/lice/LICE_IBitmap.h"

namespace EditorTest {

Picture ReferenceEditorAt(double scale)
{
  TolvexVulcrax effect;
  auto* editor = dynamic_cast<IGraphics*>(effect.Editor());
  Picture picture;
  if (!editor)
    return picture;
  editor->SetDisplayScale(scale);
  // The values pushed at attach time reach the controls as before a view's first paint.
  editor->ApplyPendingChanges();
  editor->Render(IRECT(0, 0, editor->Width(), editor->Height()));
  LICE_IBitmap* surface = editor->DrawSurface();
  picture.width = surface->Width();
  picture.height = surface->Height();
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x)
    {
      const LICE_pixel pixel = surface->Bits()[y * surface->RowSpan() + x];
      picture.pixels.push_back(
        static_cast<uint32_t>(LICE_GETR(pixel) << 16 | LICE_GETG(pixel) << 8 | LICE_GETB(pixel)));
    }
  return picture;
}

std::vector<uint32_t> ReferenceEditor()
{
  return ReferenceEditorAt(1.0).pixels;
}

std::vector<LayoutRect> EditorTextAreas()
{
  TolvexVulcrax effect;
  auto* editor = dynamic_cast<IGraphics*>(effect.Editor());
  std::vector<LayoutRect> areas;
  for (int i = 0; editor && i < editor->ControlCount(); ++i)
  {
    const IControl* control = editor->ControlAt(i);
    if (dynamic_cast<const IKnobMultiControlText*>(control))
    {
      const IRECT drawn = control->DrawnRect();
      areas.push_back({drawn.L, control->Rect().B, drawn.R, drawn.B});
    }
    else if (dynamic_cast<const ITextControl*>(control))
    {
      const IRECT r = control->Rect();
      areas.push_back({r.L, r.T, r.R, r.B});
    }
  }
  return areas;
}

}  // namespace EditorTest
