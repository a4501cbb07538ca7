#include "graphics/headless/IGraphicsHeadless.h"

#include "graphics/TextEntryFilter.h"
#include "graphics/controls/IControl.h"
#include "graphics/ResourceImage.h"

IGraphicsHeadless::IGraphicsHeadless(IPlugBase* plug, int width, int height, int fps, const char* resourceFolder)
  : IGraphics(plug, width, height, fps), mResourceFolder(resourceFolder ? resourceFolder : ".")
{
}

void IGraphicsHeadless::BlitToScreen(const IRECT& rect)
{
  ++mBlitCount;
  mLastBlit = rect;
}

void IGraphicsHeadless::DismissTextEntry()
{
  mTextEntryOpen = false;
  mTextEntry = TextEntryRequest();
}

int IGraphicsHeadless::ShowAlert(const char* text, const char*, int)
{
  mAlerts.emplace_back(text ? text : "");
  return mAlertAnswer;
}

IPopupMenu* IGraphicsHeadless::RunPopupMenu(IPopupMenu* menu, const IRECT& anchor)
{
  if (!menu)
    return nullptr;
  ReleaseCapture();
  MenuRecord record{anchor, {}, {}};
  for (int i = 0; i < menu->ItemCount(); ++i)
  {
    record.items.push_back(menu->ItemText(i));
    record.flags.push_back(menu->ItemAt(i)->Flags());
  }
  mMenus.push_back(std::move(record));

  const int choice = NextMenuChoice(*menu);
  if (choice < 0 || choice >= menu->ItemCount())
    return nullptr;
  menu->SetChosenItemIndex(choice);
  return menu;
}

int IGraphicsHeadless::NextMenuChoice(const IPopupMenu& menu)
{
  if (!mMenuChoices.empty())
  {
    const int choice = mMenuChoices.front();
    mMenuChoices.pop_front();
    return choice;
  }
  return mMenuAnswer ? mMenuAnswer(menu) : -1;
}

void IGraphicsHeadless::BeginTextEntry(IControl* control, const IText& text, const IRECT& rect, const char* initial,
                                       IPlugParam* param)
{
  // A second request while a field is open is ignored, as a window system would.
  if (!control || mTextEntryOpen)
    return;
  mTextEntryOpen = true;
  mTextEntry = TextEntryRequest{control, text, rect, initial ? initial : "", param};
}

bool IGraphicsHeadless::FinishTextEntry(const char* text)
{
  if (!mTextEntryOpen)
    return false;
  const TextEntryRequest request = mTextEntry;
  if (request.param && !TextEntryFilter(request.param->Kind(), request.control->TextEntryLength()).Accepts(text))
    return false;
  DismissTextEntry();
  if (request.param)
    ApplyTextEntryResult(request.control, request.param, text);
  else
    request.control->TextEntered(text);
  return true;
}

void IGraphicsHeadless::AskForFile(std::string& file, int, std::string& folder, const char*)
{
  file.clear();
  if (!mViewOpen || mFileAnswer.empty())
    return;
  file = mFileAnswer;
  const size_t slash = file.rfind('/');
  folder = slash == std::string::npos ? std::string() : file.substr(0, slash + 1);
}

bool IGraphicsHeadless::OpenLink(const char* url)
{
  mLinks.emplace_back(url ? url : "");
  return mLinkOpens;
}

void* IGraphicsHeadless::AttachToParentView(void*)
{
  mViewOpen = true;
  ApplyPendingChanges();
  RefreshTooltips();
  return this;
}

bool IGraphicsHeadless::ReadClipboardText(std::string& text)
{
  text = mClipboard;
  return !text.empty();
}

void IGraphicsHeadless::RefreshTooltips()
{
  mTooltipRects.clear();
  if (!TooltipsEnabled() || !mViewOpen)
    return;
  for (int i = 0; i < ControlCount(); ++i)
  {
    const IControl* control = ControlAt(i);
    if (control->Tooltip() && !control->IsHidden() && !control->TargetRect().Empty())
      mTooltipRects.push_back(control->TargetRect());
  }
}

LICE_IBitmap* IGraphicsHeadless::LoadPlatformBitmap(int, const char* name)
{
  return LoadResourceImage(mResourceFolder, name);
}

bool IGraphicsHeadless::TimerTick()
{
  IRECT dirty;
  if (!NeedsRedraw(&dirty))
    return false;
  Render(dirty);
  return true;
}

void IGraphicsHeadless::RenderAll()
{
  ApplyPendingChanges();
  Render(IRECT(0, 0, Width(), Height()));
}
