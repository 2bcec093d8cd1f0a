#pragma once
// The MDI client: the window of class "MDIClient" that fills an MDI frame's
// client area and holds its MDI children (child windows with
// WS_EX_MDICHILD). It keeps the active child and answers the WM_MDI*
// messages: activation, destruction, maximising and restoring, tiling and
// cascading. The class is registered by RegisterMdiClientClass.

#include "toolkit/win/Window.h"

constexpr const char* MdiClientClass = "MDIClient";
constexpr DWORD WS_EX_MDICHILD = 0x00000040;

constexpr UINT WM_MDICREATE = 0x0220;
// WParam: the child.
constexpr UINT WM_MDIDESTROY = 0x0221;
// To the client: WParam the child to activate. To the children it tells:
// WParam the child losing the activation, LParam the one gaining it.
constexpr UINT WM_MDIACTIVATE = 0x0222;
constexpr UINT WM_MDIRESTORE = 0x0223;
// WParam: the child after which to go on (null: the active one); LParam non-zero: backwards.
constexpr UINT WM_MDINEXT = 0x0224;
constexpr UINT WM_MDIMAXIMIZE = 0x0225;
constexpr UINT WM_MDITILE = 0x0226;
constexpr UINT WM_MDICASCADE = 0x0227;
// Answers the active child; LParam, when set, points to a bool told whether it is maximised.
constexpr UINT WM_MDIGETACTIVE = 0x0229;
// Answers the frame's menu.
constexpr UINT WM_MDIREFRESHMENU = 0x0234;
constexpr WPARAM MDITILE_VERTICAL = 0x0000;
constexpr WPARAM MDITILE_HORIZONTAL = 0x0001;

void RegisterMdiClientClass();
