#include "graphics/linux/IGraphicsLinux.h"

#include "graphics/lice/LICE_IBitmap.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

// A host may create many instances without ever opening an editor, and tests run without a
// display: nothing before attaching may need an X server.
TEST(LinuxPlatform, LivesWithoutADisplayAndReadsTheImagesOfTheSourceTree)
{
  unsetenv("DISPLAY");
  IGraphicsLinux graphics(nullptr, 1024, 480, 25);
  EXPECT_FALSE(graphics.HasOpenView());
  EXPECT_EQ(graphics.NativeView(), nullptr);

  struct Case
  {
    const char* name;
    bool found;
  };
  const Case cases[] = {
    {"resources/img/bkg.png", true},    {"resources/img/knob", false},     {"knob.png", true},
    {"resources/img/switch.png", true}, {"resources/img/knob.jpg", false}, {"resources/img/missing.png", false},
  };
  for (const Case& c : cases)
  {
    std::unique_ptr<LICE_IBitmap> bitmap(graphics.LoadPlatformBitmap(0, c.name));
    EXPECT_EQ(bitmap != nullptr, c.found) << c.name;
    if (bitmap)
    {
      EXPECT_GT(bitmap->Width(), 0) << c.name;
    }
  }
}
