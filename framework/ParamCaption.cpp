#include "framework/ParamCaption.h"

#include "framework/IPlugParam.h"

std::string ParamCaption(const IPlugParam& param)
{
  char value[IPlugParam::kDisplaySize] = "";
  param.FormatValue(param.Value(), false, value, true);
  std::string caption = std::string(param.Name()) + ": " + value;
  const char* unit = param.UnitLabelForHost();
  if (unit[0] != '\0')
  {
    caption += ' ';
    caption += unit;
  }
  return caption;
}
