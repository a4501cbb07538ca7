#pragma once

// Xlib kept out of the tests that also include the editor: its macros collide with the
// editor's names.
struct _XDisplay;

namespace EditorTest {

// A mapped top-level window on a connection of the test's own, as a host's parent window.
class TestParentWindow
{
public:
  TestParentWindow(int width, int height);
  ~TestParentWindow();
  TestParentWindow(const TestParentWindow&) = delete;
  TestParentWindow& operator=(const TestParentWindow&) = delete;

  bool Valid() const { return mWindow != 0; }
  void* Handle() const { return reinterpret_cast<void*>(mWindow); }

private:
  _XDisplay* mDisplay;
  unsigned long mWindow = 0;
};

// The number the connection's next request will carry: unchanged means nothing was sent.
unsigned long NextRequestNumber(_XDisplay* display);

}  // namespace EditorTest
