#pragma once
// The skin demo's page "scroll": emulated scroll bars under the test skin
// on a raw window and on a scroll box, both with two bars, on a raw window
// with its vertical bar at the left, and on one whose bars are inactive.

class TForm;

TForm* CreateScrollPage();
