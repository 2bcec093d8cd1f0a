// A 30-item pop-up menu of 300 x 700 under the test skin, opened as the
// menu loop opens one: its window made, the menu image built at the first
// item paint (and the window shaped), then every item painted through its
// window's DC (target: 8 ms).

#include <benchmark/benchmark.h>

#include <string>

#include "skin/menus/SkinableMenus.h"
#include "skin/skins/SkinManager.h"
#include "tests/skin/TestSkinWriter.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Menus.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/Styles.h"
#include "toolkit/win/Window.h"

namespace {

constexpr const char* BenchMenuClass = "BenchMenuWindow";
constexpr int ItemCount = 30;
constexpr int ItemHeight = 23;

void BM_SkinnedPopupMenuOpened(benchmark::State& state) {
  ReadOSVersion();
  TTestSkinFolder folder;
  TSkinManager manager(nullptr);
  manager.SetSkinDirectory(folder.Path());
  manager.SetSkinName("TestSkin");
  WNDCLASS windowClass;
  windowClass.lpfnWndProc = &DefWindowProc;
  windowClass.lpszClassName = BenchMenuClass;
  RegisterClass(windowClass);
  TPopupMenu popup(nullptr);
  for (int i = 0; i < ItemCount; ++i) {
    auto* item = new TMenuItem(nullptr);
    item->SetCaption(i % 10 == 5 ? "-" : "Item " + std::to_string(i));
    if (i % 7 == 0) item->SetShortCut(TShortCut(scCtrl | ('A' + i % 26)));
    item->SetChecked(i % 9 == 0);
    popup.Items().Add(item);
  }
  manager.SkinableMenus().HookPopupMenu(&popup, true);
  for (auto _ : state) {
    const HWND window = CreateWindowEx(0, BenchMenuClass, "", WS_POPUP | WS_DLGFRAME | WS_VISIBLE, 10, 10, 300, 700,
                                       nullptr, nullptr, nullptr);
    const HDC dc = GetDC(window);
    TCanvas canvas;
    canvas.SetHandle(dc);
    for (int i = 0; i < ItemCount; ++i)
      manager.SkinableMenus().DrawItem(popup.Items().Items(i), canvas, {0, i * ItemHeight, 294, (i + 1) * ItemHeight},
                                       i == 3 ? odSelected : 0);
    canvas.SetHandle(nullptr);
    ReleaseDC(window, dc);
    DestroyWindow(window);
    ClearMenuImages();
  }
}
BENCHMARK(BM_SkinnedPopupMenuOpened)->Unit(benchmark::kMillisecond);

}  // namespace
