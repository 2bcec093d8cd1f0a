#pragma once
// The skin demo's page "menus": a pop-up menu under the test skin (with an
// extra line and an icon strip of its own sections), opened over the page
// and held open: a caption item, a separator, checked radio and check
// items, a disabled item, a default item, shortcuts and a submenu. Above
// it a tool bar that is not flat (a drop-down button shown dropped, a
// checked button, a disabled one) and below it a status bar of three
// panels, both taken over by their adapters.

class TForm;

TForm* CreateMenusPage();
// Shows the page, opens its menu and saves the screen under the form while
// the menu is open; the menu then closes.
bool SaveMenusPage(TForm* form, const char* fileName);
// Opens the page's menu (until it is dismissed).
void OpenPageMenu(TForm* form);
