// Values typed or chosen by the user for a parameter: text fields, value menus and the
// items of a parameter's context menu.
#include "graphics/IGraphics.h"

#include "framework/IPlugParam.h"
#include "graphics/IPopupMenu.h"
#include "graphics/ParamMenu.h"
#include "graphics/controls/IControl.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

namespace {
// The decimal number the text starts with (after blanks), 0 when it starts with none.
// strtod alone would also read hexadecimal, infinities and NaN.
double LeadingDecimal(const char* text)
{
  const char* p = text;
  while (std::isspace(static_cast<unsigned char>(*p)))
    ++p;
  const char* digits = p + (*p == '+' || *p == '-' ? 1 : 0);
  auto isDigit = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; };
  if (!isDigit(digits[0]) && !(digits[0] == '.' && isDigit(digits[1])))
    return 0.0;
  if (digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X'))
    return 0.0;  // "0x.." reads as 0
  return std::strtod(p, nullptr);
}
}  // namespace

// ---- User input requests ---------------------------------------------------------------

void IGraphics::PromptForParamInput(IControl* control, IPlugParam* param, const IRECT* rect)
{
  if (!control || !param || !rect)
    return;
  const bool isList = param->Kind() == KindEnum || (param->Kind() == KindBool && param->ValueTextCount() > 0);
  char current[IPlugParam::kDisplaySize];
  if (!isList)
  {
    param->FormatValue(param->Value(), false, current, false);
    BeginTextEntry(control, control->Text(), *rect, current, param);
    return;
  }

  param->FormatValue(param->Value(), false, current, true);
  IPopupMenu menu;
  for (int i = 0; i < param->ValueTextCount(); ++i)
  {
    const char* text = param->ValueTextFor(i);
    menu.AddItem(text, std::strcmp(text, current) == 0 ? IPopupMenu::kChecked : 0);
  }
  if (IPopupMenu* chosen = RunPopupMenu(&menu, *rect))
    control->SetValueFromUser(param->ToNormalized(chosen->ChosenItemIndex()));
}

void IGraphics::ApplyTextEntryResult(IControl* control, IPlugParam* param, const char* text)
{
  if (!control || !param)
    return;
  const char* typed = text ? text : "";
  double value = 0.0;
  if (param->Kind() == KindBool || param->Kind() == KindEnum)
  {
    if (!param->ValueForText(typed, &value))
      value = 0.0;
  }
  else
  {
    value = LeadingDecimal(typed);
    if (param->NegateDisplay())
      value = -value;
  }
  control->SetValueFromUser(param->ToNormalized(value));
}

void IGraphics::RunParamMenuItem(int paramIdx, ParamMenuItem item)
{
  for (auto& control : mControls)
  {
    if (control->ParamIdx() == paramIdx && !control->IsHidden())
    {
      ParamMenu(*this, *control).Run(item);
      return;
    }
  }
}
