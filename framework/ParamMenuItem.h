#pragma once

// The editor's own entries in a parameter's context menu. They appear in the host's menu
// when the host offers one and in the editor's own menu otherwise; the value of an entry is
// its tag in the host's menu.
enum class ParamMenuItem
{
  SetToDefault = 1,
  TypeValue = 2
};

constexpr ParamMenuItem kParamMenuItems[] = {ParamMenuItem::SetToDefault, ParamMenuItem::TypeValue};

// The entry's text in UTF-8.
constexpr const char* ParamMenuItemText(ParamMenuItem item)
{
  return item == ParamMenuItem::SetToDefault ? "Set to Default" : "Type a Value\u2026";
}

// The entry with that tag; false for a tag that names none.
inline bool ParamMenuItemForTag(int tag, ParamMenuItem& item)
{
  for (ParamMenuItem candidate : kParamMenuItems)
  {
    if (static_cast<int>(candidate) == tag)
    {
      item = candidate;
      return true;
    }
  }
  return false;
}
