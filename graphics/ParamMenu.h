#pragma once

#include "framework/ParamMenuItem.h"

class IControl;
class IGraphics;

// The context menu of a control bound to a parameter, and what its items do. The editor
// shows it itself when the host has no menu to offer: the parameter's name and value as a
// disabled title, then "Set to Default" and "Type a Value". The same items chosen in a
// host's menu arrive through Run. User-interface thread, mutex not held.
class ParamMenu
{
public:
  ParamMenu(IGraphics& graphics, IControl& control);

  // Opens the menu at editor pixel (x, y) and carries out the item chosen, if any.
  void Popup(int x, int y);
  // "Set to Default" sends the parameter's default as one edit (begin, perform, end), also
  // when the value is already there; "Type a Value" opens the control's value field (or, for
  // a list parameter, the menu of its values).
  void Run(ParamMenuItem item);

private:
  void SetToDefault();
  void TypeValue();

  IGraphics& mGraphics;
  IControl& mControl;
};
