#include "toolkit/win/Window.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <unordered_map>

#include "runtime/AsciiCase.h"
#include "toolkit/win/Hook.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/WindowRecord.h"

namespace {

// Class names compare ignoring case.
std::map<std::string, std::shared_ptr<TWindowClass>>& Classes() {
  static std::map<std::string, std::shared_ptr<TWindowClass>> classes;
  return classes;
}

std::shared_ptr<TWindowClass> FindClass(const std::string& name) {
  const auto found = Classes().find(AsciiLowered(name));
  return found == Classes().end() ? nullptr : found->second;
}

// Other threads look windows up to send them messages, so the table is locked.
struct TWindowTable {
  std::mutex Lock;
  std::unordered_map<HWND, std::unique_ptr<TWindowRecord>> Records;
  uintptr_t NextHandle = 0x10000;
  std::vector<HWND> TopLevel;  // front first
};

TWindowTable& Table() {
  static TWindowTable table;
  return table;
}

TWindowRecord& AddRecord(std::unique_ptr<TWindowRecord> record) {
  std::lock_guard guard(Table().Lock);
  record->Handle = reinterpret_cast<HWND>(Table().NextHandle++);
  TWindowRecord& added = *record;
  Table().Records.emplace(added.Handle, std::move(record));
  return added;
}

std::vector<HWND>& SiblingList(const TWindowRecord& record) {
  if (TWindowRecord* parent = FindWindowRecord(record.Parent)) return parent->Children;
  return Table().TopLevel;
}

void Unlink(const TWindowRecord& record) {
  auto& siblings = SiblingList(record);
  siblings.erase(std::remove(siblings.begin(), siblings.end(), record.Handle), siblings.end());
}

// Default placement of top-level windows whose creator leaves it to the system.
void ApplyDefaultPlacement(CREATESTRUCT& create) {
  if (create.x == CW_USEDEFAULT) create.x = create.y = 100;
  if (create.cx == CW_USEDEFAULT) {
    create.cx = 640;
    create.cy = 480;
  }
}

// Sends WM_DESTROY to the window, then to its descendants, parents first.
void SendDestroy(HWND window) {
  SendMessage(window, WM_DESTROY, 0, 0);
  if (TWindowRecord* record = FindWindowRecord(window)) {
    const std::vector<HWND> children = record->Children;
    for (HWND child : children) SendDestroy(child);
  }
}

// Frees the window and its descendants, children first; each gets WM_NCDESTROY last.
void FreeWindowTree(HWND window) {
  TWindowRecord* record = FindWindowRecord(window);
  if (!record) return;
  record->Destroying = true;
  const std::vector<HWND> children = record->Children;
  for (HWND child : children) FreeWindowTree(child);
  SendMessage(window, WM_NCDESTROY, 0, 0);
  record = FindWindowRecord(window);
  if (!record) return;
  KillWindowTimers(window);
  ForgetInputWindow(window);
  ForgetCaretWindow(window);
  Unlink(*record);
  record->Host.reset();
  --record->Class->WindowCount;
  std::unique_ptr<TWindowRecord> freed;
  {
    std::lock_guard guard(Table().Lock);
    auto found = Table().Records.find(window);
    freed = std::move(found->second);
    Table().Records.erase(found);
  }
}

void NotifyParent(const TWindowRecord& record, UINT event) {
  if (!record.IsChild() || (record.ExStyle & WS_EX_NOPARENTNOTIFY)) return;
  SendMessage(record.Parent, WM_PARENTNOTIFY, MAKEWPARAM(static_cast<int>(event), static_cast<int>(record.Id)),
              HandleToParam(record.Handle));
}

void DestroyOwnedWindows(HWND owner) {
  const std::vector<HWND> topLevel = Table().TopLevel;
  for (HWND window : topLevel)
    if (TWindowRecord* record = FindWindowRecord(window); record && record->Owner == owner) DestroyWindow(window);
}

std::unique_ptr<TWindowRecord> NewRecord(const std::shared_ptr<TWindowClass>& windowClass, const CREATESTRUCT& create,
                                         bool messageOnly) {
  auto record = std::make_unique<TWindowRecord>();
  record->Class = windowClass;
  record->Thread = std::this_thread::get_id();
  record->Style = create.style & ~WS_VISIBLE;
  record->ExStyle = create.dwExStyle;
  record->Text = create.lpszName;
  record->MessageOnly = messageOnly;
  if (record->IsChild()) {
    record->Parent = create.hwndParent;
    record->Id = reinterpret_cast<LONG_PTR>(create.hMenu);
  } else {
    record->Owner = create.hwndParent;
  }
  record->Bounds = Bounds(create.x, create.y, create.cx, create.cy);
  return record;
}

// Creation after the hook has agreed: the record becomes a window that has
// had WM_NCCREATE and WM_CREATE. False when the window refused or was destroyed.
bool CompleteCreation(HWND window, CREATESTRUCT& create) {
  TWindowRecord* record = FindWindowRecord(window);
  record->Style = create.style & ~WS_VISIBLE;
  record->Bounds = Bounds(create.x, create.y, create.cx, create.cy);
  if (IWindowBackend* backend = WindowBackend(); backend && !record->MessageOnly)
    record->Host = backend->CreateHost(window, record->Parent);
  // A window made with its text shows it as its title from the start.
  if (record->Host) {
    record->Host->SetBounds(record->Bounds);
    record->Host->SetTitle(record->Text.c_str());
  }
  if (!SendMessage(window, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&create))) return false;
  RecalculateClient(window);
  if (!(record = FindWindowRecord(window))) return false;
  WindowSizeChanged(*record);
  if (SendMessage(window, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == -1) return false;
  record = FindWindowRecord(window);
  if (!record) return false;
  SendMessage(window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(record->Client.Width(), record->Client.Height()));
  SendMessage(window, WM_MOVE, 0, MAKELPARAM(record->Bounds.Left + record->Client.Left,
                                             record->Bounds.Top + record->Client.Top));
  if ((record = FindWindowRecord(window))) NotifyParent(*record, WM_CREATE);
  return IsWindow(window);
}

void SetStyle(TWindowRecord& record, int index, DWORD value) {
  DWORD& field = index == GWL_STYLE ? record.Style : record.ExStyle;
  STYLESTRUCT change{field, value};
  SendMessage(record.Handle, WM_STYLECHANGING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&change));
  TWindowRecord* current = FindWindowRecord(record.Handle);
  if (!current) return;
  DWORD& target = index == GWL_STYLE ? current->Style : current->ExStyle;
  change.styleOld = target;
  target = change.styleNew;
  if (index == GWL_STYLE && ((change.styleOld ^ target) & WS_VISIBLE))
    PlacementChanged(*current, current->Bounds, current->Client, current->Shared);
  if (index == GWL_STYLE && current->Host) current->Host->SetVisible((target & WS_VISIBLE) != 0);
  SendMessage(record.Handle, WM_STYLECHANGED, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&change));
}

}  // namespace

TWindowRecord* FindWindowRecord(HWND window) {
  if (!window) return nullptr;
  std::lock_guard guard(Table().Lock);
  const auto found = Table().Records.find(window);
  return found == Table().Records.end() ? nullptr : found->second.get();
}

std::vector<HWND> ThreadWindows() {
  std::vector<HWND> windows;
  std::lock_guard guard(Table().Lock);
  for (const auto& [handle, record] : Table().Records)
    if (record->Thread == std::this_thread::get_id()) windows.push_back(handle);
  std::sort(windows.begin(), windows.end());
  return windows;
}

bool RegisterClass(const WNDCLASS& windowClass) {
  if (windowClass.lpszClassName.empty() || !windowClass.lpfnWndProc) return false;
  auto& entry = Classes()[AsciiLowered(windowClass.lpszClassName)];
  if (entry) return false;
  entry = std::make_shared<TWindowClass>();
  entry->Definition = windowClass;
  return true;
}

bool UnregisterClass(const std::string& className) {
  const auto found = Classes().find(AsciiLowered(className));
  if (found == Classes().end() || found->second->WindowCount > 0) return false;
  Classes().erase(found);
  return true;
}

bool GetClassInfo(const std::string& className, WNDCLASS& windowClass) {
  const auto found = FindClass(className);
  if (found) windowClass = found->Definition;
  return found != nullptr;
}

std::string GetClassName(HWND window) {
  const TWindowRecord* record = FindWindowRecord(window);
  return record ? record->Class->Definition.lpszClassName : std::string();
}

HWND CreateWindowEx(DWORD exStyle, const std::string& className, const std::string& windowName, DWORD style,
                    int x, int y, int width, int height, HWND parent, HMENU menuOrId, void* param) {
  const auto windowClass = FindClass(className);
  if (!windowClass) return nullptr;
  const bool messageOnly = parent == HWND_MESSAGE;
  if (messageOnly) parent = nullptr;
  if ((style & WS_CHILD) && !FindWindowRecord(parent)) return nullptr;
  const std::string& registeredName = windowClass->Definition.lpszClassName;
  CREATESTRUCT create{param, menuOrId, parent, height, width, y, x, style, windowName.c_str(),
                      registeredName.c_str(), exStyle};
  if (!(style & WS_CHILD)) ApplyDefaultPlacement(create);

  TWindowRecord& record = AddRecord(NewRecord(windowClass, create, messageOnly));
  const HWND window = record.Handle;
  ++windowClass->WindowCount;
  SiblingList(record).insert(SiblingList(record).begin(), window);

  CBT_CREATEWND hookData{&create, HWND_TOP};
  if (CallCbtHooks(HCBT_CREATEWND, reinterpret_cast<WPARAM>(window), reinterpret_cast<LPARAM>(&hookData)) != 0) {
    FreeWindowTree(window);
    return nullptr;
  }
  if (!CompleteCreation(window, create)) {
    DestroyWindow(window);
    return nullptr;
  }
  if (style & WS_VISIBLE) ShowWindow(window, SW_SHOW);
  return IsWindow(window) ? window : nullptr;
}

bool DestroyWindow(HWND window) {
  TWindowRecord* record = FindWindowRecord(window);
  if (!record || record->Destroying) return false;
  if (CallCbtHooks(HCBT_DESTROYWND, reinterpret_cast<WPARAM>(window), 0) != 0) return false;
  record->Destroying = true;
  DestroyOwnedWindows(window);
  if (IsWindowVisible(window))
    SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  if ((record = FindWindowRecord(window))) NotifyParent(*record, WM_DESTROY);
  SendDestroy(window);
  FreeWindowTree(window);
  return true;
}

bool IsWindow(HWND window) { return FindWindowRecord(window) != nullptr; }

LONG_PTR GetWindowLongPtr(HWND window, int index) {
  const TWindowRecord* record = FindWindowRecord(window);
  if (!record) return 0;
  switch (index) {
    case GWL_STYLE: return record->Style;
    case GWL_EXSTYLE: return record->ExStyle;
    case GWL_ID: return record->Id;
    case GWL_USERDATA: return record->UserData;
    case GWL_WNDPROC: return reinterpret_cast<LONG_PTR>(record->Procedure());
    case GWL_HWNDPARENT: return HandleToParam(record->IsChild() ? record->Parent : record->Owner);
    default: return 0;
  }
}

LONG_PTR SetWindowLongPtr(HWND window, int index, LONG_PTR value) {
  TWindowRecord* record = FindWindowRecord(window);
  if (!record) return 0;
  const LONG_PTR old = GetWindowLongPtr(window, index);
  switch (index) {
    case GWL_STYLE:
    case GWL_EXSTYLE: SetStyle(*record, index, static_cast<DWORD>(value)); break;
    case GWL_ID: record->Id = value; break;
    case GWL_USERDATA: record->UserData = value; break;
    case GWL_WNDPROC: ReplaceWindowProcedure(*record, reinterpret_cast<WNDPROC>(value)); break;
    case GWL_HWNDPARENT:
      if (!record->IsChild()) record->Owner = ParamToHandle<HWND>(value);
      break;
    default: return 0;
  }
  return old;
}

bool SetWindowText(HWND window, const std::string& text) {
  return SendMessage(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())) != 0;
}

std::string GetWindowText(HWND window) {
  const auto length = SendMessage(window, WM_GETTEXTLENGTH, 0, 0);
  if (length <= 0) return {};
  std::string text(static_cast<size_t>(length) + 1, '\0');
  const auto copied = SendMessage(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(std::max<LRESULT>(copied, 0)));
  return text;
}

HWND GetParent(HWND window) {
  const TWindowRecord* record = FindWindowRecord(window);
  if (!record) return nullptr;
  return record->IsChild() ? record->Parent : record->Owner;
}

HWND SetParent(HWND window, HWND newParent) {
  TWindowRecord* record = FindWindowRecord(window);
  if (!record || (newParent && !FindWindowRecord(newParent)) || newParent == window || IsChild(window, newParent))
    return nullptr;
  const HWND old = GetParent(window);
  const bool wasShared = record->Shared;
  Unlink(*record);
  if (newParent) {
    record->Style = (record->Style & ~WS_POPUP) | WS_CHILD;
    record->Parent = newParent;
  } else {
    record->Style &= ~WS_CHILD;
    record->Parent = nullptr;
  }
  SiblingList(*record).insert(SiblingList(*record).begin(), window);
  if (record->Host) {
    record->Host->Reparent(record->Parent);
    record->Host->SetBounds(record->Bounds);
    record->Host->SetVisible((record->Style & WS_VISIBLE) != 0);
    InvalidateWholeWindow(*record);
  }
  ParentChanged(*record, old, wasShared);
  return old;
}

HWND GetWindow(HWND window, UINT relation) {
  const TWindowRecord* record = FindWindowRecord(window);
  if (!record) return nullptr;
  if (relation == GW_CHILD) return record->Children.empty() ? nullptr : record->Children.front();
  if (relation == GW_OWNER) return record->Owner;
  const auto& siblings = SiblingList(*record);
  const auto position = std::find(siblings.begin(), siblings.end(), window);
  switch (relation) {
    case GW_HWNDFIRST: return siblings.front();
    case GW_HWNDLAST: return siblings.back();
    case GW_HWNDNEXT: return std::next(position) == siblings.end() ? nullptr : *std::next(position);
    case GW_HWNDPREV: return position == siblings.begin() ? nullptr : *std::prev(position);
    default: return nullptr;
  }
}

HWND GetAncestor(HWND window, UINT flags) {
  const TWindowRecord* record = FindWindowRecord(window);
  if (!record) return nullptr;
  if (flags == GA_PARENT) return record->Parent;
  while (record->IsChild()) record = FindWindowRecord(record->Parent);
  if (flags == GA_ROOTOWNER)
    while (const TWindowRecord* owner = FindWindowRecord(record->Owner)) record = owner;
  return record->Handle;
}

HWND GetTopWindow(HWND parent) {
  if (!parent) return Table().TopLevel.empty() ? nullptr : Table().TopLevel.front();
  return GetWindow(parent, GW_CHILD);
}

HWND FindWindowEx(HWND parent, HWND childAfter, const std::string& className, const std::string* windowName) {
  HWND child = childAfter ? GetWindow(childAfter, GW_HWNDNEXT) : GetWindow(parent, GW_CHILD);
  for (; child; child = GetWindow(child, GW_HWNDNEXT))
    if (SameAsciiText(GetClassName(child), className) && (!windowName || GetWindowText(child) == *windowName))
      return child;
  return nullptr;
}

bool IsChild(HWND parent, HWND window) {
  for (const TWindowRecord* record = FindWindowRecord(window); record && record->IsChild();
       record = FindWindowRecord(record->Parent))
    if (record->Parent == parent) return true;
  return false;
}

void EnumChildWindows(HWND parent, const std::function<bool(HWND)>& callback) {
  std::function<bool(HWND)> visit = [&](HWND window) {
    const TWindowRecord* record = FindWindowRecord(window);
    if (!record) return true;
    const std::vector<HWND> children = record->Children;
    for (HWND child : children)
      if (!callback(child) || !visit(child)) return false;
    return true;
  };
  visit(parent);
}

std::vector<HWND> TopLevelWindows() {
  std::vector<HWND> windows;
  for (HWND window : Table().TopLevel)
    if (const TWindowRecord* record = FindWindowRecord(window);
        record && record->Thread == std::this_thread::get_id() && !record->MessageOnly)
      windows.push_back(window);
  return windows;
}

namespace {

TAnimationObserver AnimationObserver;

bool OwnedBy(HWND window, HWND owner) {
  for (const TWindowRecord* record = FindWindowRecord(window); record && record->Owner;
       record = FindWindowRecord(record->Owner))
    if (record->Owner == owner) return true;
  return false;
}

}  // namespace

void BringTopLevelToFront(HWND window, bool raise) {
  std::vector<HWND>& order = Table().TopLevel;
  if (std::find(order.begin(), order.end(), window) == order.end()) return;
  std::stable_partition(order.begin(), order.end(), [window](HWND other) { return other == window; });
  std::stable_partition(order.begin(), order.end(), [window](HWND other) { return OwnedBy(other, window); });
  std::stable_partition(order.begin(), order.end(), [](HWND other) {
    const TWindowRecord* record = FindWindowRecord(other);
    return record && (record->ExStyle & WS_EX_TOPMOST);
  });
  if (!raise) return;
  // Back to front, from the window on: each raised goes in front of the ones before.
  for (auto front = std::find(order.rbegin(), order.rend(), window); front != order.rend(); ++front)
    if (const TWindowRecord* record = FindWindowRecord(*front); record && record->Host && (record->Style & WS_VISIBLE))
      record->Host->PlaceBehind(nullptr);
}

void SetAnimationObserver(TAnimationObserver observer) { AnimationObserver = std::move(observer); }

bool AnimateWindow(HWND window, DWORD time, DWORD flags) {
  if (!IsWindow(window)) return false;
  if (AnimationObserver) AnimationObserver(window, time, flags);
  ShowWindow(window, (flags & AW_HIDE) ? SW_HIDE : (flags & AW_ACTIVATE) ? SW_SHOW : SW_SHOWNOACTIVATE);
  return true;
}

bool IsWindowVisible(HWND window) {
  const TWindowRecord* record = FindWindowRecord(window);
  for (; record; record = FindWindowRecord(record->Parent)) {
    if (!(record->Style & WS_VISIBLE)) return false;
    if (!record->IsChild()) return true;
  }
  return false;
}

bool IsZoomed(HWND window) {
  const TWindowRecord* record = FindWindowRecord(window);
  return record && record->Maximized;
}

bool IsIconic(HWND window) {
  const TWindowRecord* record = FindWindowRecord(window);
  return record && record->Minimized;
}

bool EnableWindow(HWND window, bool enable) {
  TWindowRecord* record = FindWindowRecord(window);
  if (!record) return false;
  const bool wasDisabled = (record->Style & WS_DISABLED) != 0;
  if (wasDisabled == !enable) return wasDisabled;
  if (!enable) {
    record->Style |= WS_DISABLED;
    if (GetFocus() == window || IsChild(window, GetFocus())) SetFocus(nullptr);
    if (GetCapture() == window) ReleaseCapture();
  } else {
    record->Style &= ~WS_DISABLED;
  }
  SendMessage(window, WM_ENABLE, enable, 0);
  return wasDisabled;
}

bool IsWindowEnabled(HWND window) {
  const TWindowRecord* record = FindWindowRecord(window);
  return record && !(record->Style & WS_DISABLED);
}

bool SetProp(HWND window, const std::string& name, void* value) {
  TWindowRecord* record = FindWindowRecord(window);
  if (!record) return false;
  const std::string key = AsciiLowered(name);
  for (auto& [propName, propValue] : record->Properties)
    if (propName == key) {
      propValue = value;
      return true;
    }
  record->Properties.emplace_back(key, value);
  return true;
}

void* GetProp(HWND window, const std::string& name) {
  const TWindowRecord* record = FindWindowRecord(window);
  if (!record) return nullptr;
  const std::string key = AsciiLowered(name);
  for (const auto& [propName, propValue] : record->Properties)
    if (propName == key) return propValue;
  return nullptr;
}

void* RemoveProp(HWND window, const std::string& name) {
  TWindowRecord* record = FindWindowRecord(window);
  if (!record) return nullptr;
  const std::string key = AsciiLowered(name);
  auto& properties = record->Properties;
  const auto found = std::find_if(properties.begin(), properties.end(),
                                  [&key](const auto& property) { return property.first == key; });
  if (found == properties.end()) return nullptr;
  void* value = found->second;
  properties.erase(found);
  return value;
}
