// Apart from the X11 code of the test host: Xlib's macros collide with the editor's names.
#include "tests/editor/ReferenceEditor.h"

#include "effect/TolvexVulcrax.h"
#include "graphics/IGraphics.h"
#include "graphics/lice/LICE_IBitmap.h"

namespace EditorTest {

std::vector<uint32_t> ReferenceEditor()
{
  TolvexVulcrax effect;
  auto* editor = dynamic_cast<IGraphics*>(effect.Editor());
  std::vector<uint32_t> pixels;
  if (!editor)
    return pixels;
  // The values pushed at attach time reach the controls as before a view's first paint.
  editor->ApplyPendingChanges();
  editor->Render(IRECT(0, 0, editor->Width(), editor->Height()));
  LICE_IBitmap* surface = editor->DrawSurface();
  for (int y = 0; y < editor->Height(); ++y)
    for (int x = 0; x < editor->Width(); ++x)
    {
      const LICE_pixel pixel = surface->Bits()[y * surface->RowSpan() + x];
      pixels.push_back(static_cast<uint32_t>(LICE_GETR(pixel) << 16 | LICE_GETG(pixel) << 8 | LICE_GETB(pixel)));
    }
  return pixels;
}

}  // namespace EditorTest
