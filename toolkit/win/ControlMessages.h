#pragma once
// The standard controls' protocol: the messages each control answers, the
// notifications it sends its parent (WM_COMMAND codes and WM_NOTIFY codes),
// their records and flags, with the platform's numbers. Notification codes
// of WM_NOTIFY are negative numbers carried in an unsigned field.

#include "toolkit/base/Handles.h"
#include "toolkit/base/Rect.h"
#include "toolkit/gdi/Color.h"
#include "toolkit/gdi/DeviceContext.h"
#include "toolkit/win/Messages.h"

// Reflected owner-draw messages (the control draws its own items).
constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
constexpr UINT CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM;

// WM_NOTIFY's record, first member of every notification record.
struct NMHDR {
  HWND hwndFrom = nullptr;
  UINT_PTR idFrom = 0;
  UINT code = 0;
};

// Common notifications of the common controls.
constexpr UINT NM_FIRST = 0;
constexpr UINT NM_CLICK = NM_FIRST - 2;
constexpr UINT NM_DBLCLK = NM_FIRST - 3;
constexpr UINT NM_RETURN = NM_FIRST - 4;
constexpr UINT NM_RCLICK = NM_FIRST - 5;
constexpr UINT NM_SETFOCUS = NM_FIRST - 7;
constexpr UINT NM_KILLFOCUS = NM_FIRST - 8;
constexpr UINT NM_CUSTOMDRAW = NM_FIRST - 12;

// ---------------------------------------------------------------- owner draw

constexpr UINT ODT_MENU = 1;
constexpr UINT ODT_LISTBOX = 2;
constexpr UINT ODT_COMBOBOX = 3;
constexpr UINT ODT_BUTTON = 4;
constexpr UINT ODT_STATIC = 5;
constexpr UINT ODA_DRAWENTIRE = 0x0001;
constexpr UINT ODA_SELECT = 0x0002;
constexpr UINT ODA_FOCUS = 0x0004;
constexpr UINT ODS_SELECTED = 0x0001;
constexpr UINT ODS_GRAYED = 0x0002;
constexpr UINT ODS_DISABLED = 0x0004;
constexpr UINT ODS_CHECKED = 0x0008;
constexpr UINT ODS_FOCUS = 0x0010;
constexpr UINT ODS_DEFAULT = 0x0020;
constexpr UINT ODS_HOTLIGHT = 0x0040;
constexpr UINT ODS_INACTIVE = 0x0080;
constexpr UINT ODS_NOACCEL = 0x0100;
constexpr UINT ODS_NOFOCUSRECT = 0x0200;
constexpr UINT ODS_COMBOBOXEDIT = 0x1000;

// WM_DRAWITEM's record: paint item itemID of hwndItem into hDC within rcItem.
struct DRAWITEMSTRUCT {
  UINT CtlType = 0;
  UINT CtlID = 0;
  UINT itemID = 0;
  UINT itemAction = 0;
  UINT itemState = 0;
  HWND hwndItem = nullptr;
  HDC hDC = nullptr;
  TRect rcItem;
  UINT_PTR itemData = 0;
};

// WM_MEASUREITEM's record: the handler fills in the item's size.
struct MEASUREITEMSTRUCT {
  UINT CtlType = 0;
  UINT CtlID = 0;
  UINT itemID = 0;
  UINT itemWidth = 0;
  UINT itemHeight = 0;
  UINT_PTR itemData = 0;
};

// Custom draw (NM_CUSTOMDRAW): stages, the handler's answers and item states.
constexpr DWORD CDDS_PREPAINT = 0x00000001;
constexpr DWORD CDDS_POSTPAINT = 0x00000002;
constexpr DWORD CDDS_PREERASE = 0x00000003;
constexpr DWORD CDDS_POSTERASE = 0x00000004;
constexpr DWORD CDDS_ITEM = 0x00010000;
constexpr DWORD CDDS_ITEMPREPAINT = CDDS_ITEM | CDDS_PREPAINT;
constexpr DWORD CDDS_ITEMPOSTPAINT = CDDS_ITEM | CDDS_POSTPAINT;
constexpr DWORD CDDS_SUBITEM = 0x00020000;
constexpr LRESULT CDRF_DODEFAULT = 0x00;
constexpr LRESULT CDRF_NEWFONT = 0x02;
constexpr LRESULT CDRF_SKIPDEFAULT = 0x04;
constexpr LRESULT CDRF_NOTIFYPOSTPAINT = 0x10;
constexpr LRESULT CDRF_NOTIFYITEMDRAW = 0x20;
constexpr LRESULT CDRF_NOTIFYSUBITEMDRAW = 0x20;
constexpr LRESULT CDRF_NOTIFYPOSTERASE = 0x40;
constexpr UINT CDIS_SELECTED = 0x0001;
constexpr UINT CDIS_GRAYED = 0x0002;
constexpr UINT CDIS_DISABLED = 0x0004;
constexpr UINT CDIS_CHECKED = 0x0008;
constexpr UINT CDIS_FOCUS = 0x0010;
constexpr UINT CDIS_DEFAULT = 0x0020;
constexpr UINT CDIS_HOT = 0x0040;
constexpr UINT CDIS_MARKED = 0x0080;
constexpr UINT CDIS_INDETERMINATE = 0x0100;

struct NMCUSTOMDRAW {
  NMHDR hdr;
  DWORD dwDrawStage = 0;
  HDC hdc = nullptr;
  TRect rc;
  UINT_PTR dwItemSpec = 0;
  UINT uItemState = 0;
  LPARAM lItemlParam = 0;
};

// ---------------------------------------------------------------- buttons

constexpr DWORD BS_PUSHBUTTON = 0x0000;
constexpr DWORD BS_DEFPUSHBUTTON = 0x0001;
constexpr DWORD BS_CHECKBOX = 0x0002;
constexpr DWORD BS_AUTOCHECKBOX = 0x0003;
constexpr DWORD BS_RADIOBUTTON = 0x0004;
constexpr DWORD BS_3STATE = 0x0005;
constexpr DWORD BS_AUTO3STATE = 0x0006;
constexpr DWORD BS_GROUPBOX = 0x0007;
constexpr DWORD BS_AUTORADIOBUTTON = 0x0009;
constexpr DWORD BS_OWNERDRAW = 0x000B;
constexpr DWORD BS_TYPEMASK = 0x000F;
constexpr DWORD BS_RIGHTBUTTON = 0x0020;  // the check glyph at the right, the caption at the left
constexpr DWORD BS_MULTILINE = 0x2000;

constexpr UINT BM_GETCHECK = 0x00F0;
constexpr UINT BM_SETCHECK = 0x00F1;
constexpr UINT BM_GETSTATE = 0x00F2;
constexpr UINT BM_SETSTATE = 0x00F3;
constexpr UINT BM_CLICK = 0x00F5;
constexpr UINT BM_GETIMAGE = 0x00F6;
constexpr UINT BM_SETIMAGE = 0x00F7;
constexpr WPARAM BST_UNCHECKED = 0x0000;
constexpr WPARAM BST_CHECKED = 0x0001;
constexpr WPARAM BST_INDETERMINATE = 0x0002;
constexpr WPARAM BST_PUSHED = 0x0004;
constexpr WPARAM BST_FOCUS = 0x0008;
constexpr WPARAM IMAGE_BITMAP = 0;
constexpr WPARAM IMAGE_ICON = 1;

constexpr WORD BN_CLICKED = 0;

// What buttons answer to WM_GETDLGCODE.
constexpr LRESULT DLGC_DEFPUSHBUTTON = 0x0010;
constexpr LRESULT DLGC_UNDEFPUSHBUTTON = 0x0020;
constexpr LRESULT DLGC_RADIOBUTTON = 0x0040;
constexpr LRESULT DLGC_BUTTON = 0x2000;

// ---------------------------------------------------------------- edits

constexpr DWORD ES_LEFT = 0x0000;
constexpr DWORD ES_CENTER = 0x0001;
constexpr DWORD ES_RIGHT = 0x0002;
constexpr DWORD ES_MULTILINE = 0x0004;
constexpr DWORD ES_UPPERCASE = 0x0008;
constexpr DWORD ES_LOWERCASE = 0x0010;
constexpr DWORD ES_PASSWORD = 0x0020;
constexpr DWORD ES_AUTOVSCROLL = 0x0040;
constexpr DWORD ES_AUTOHSCROLL = 0x0080;
constexpr DWORD ES_NOHIDESEL = 0x0100;
constexpr DWORD ES_READONLY = 0x0800;
constexpr DWORD ES_WANTRETURN = 0x1000;
constexpr DWORD ES_NUMBER = 0x2000;

// EM_GETSEL answers MAKELONG(start, end) and fills *WParam, *LParam (DWORD*) when given.
constexpr UINT EM_GETSEL = 0x00B0;
// EM_SETSEL (start, end): end -1 selects to the end; start -1 removes the selection.
constexpr UINT EM_SETSEL = 0x00B1;
// EM_GETRECT / EM_SETRECTNP: LParam points to the formatting rectangle (client coordinates).
constexpr UINT EM_GETRECT = 0x00B2;
constexpr UINT EM_SETRECT = 0x00B3;
constexpr UINT EM_SETRECTNP = 0x00B4;
constexpr UINT EM_GETMODIFY = 0x00B8;
constexpr UINT EM_SETMODIFY = 0x00B9;
constexpr UINT EM_GETLINECOUNT = 0x00BA;
// EM_REPLACESEL: LParam points to the UTF-8 text (const char*), WParam: can undo.
constexpr UINT EM_REPLACESEL = 0x00C2;
// EM_LIMITTEXT: WParam the most characters, 0 for no limit.
constexpr UINT EM_LIMITTEXT = 0x00C5;
constexpr UINT EM_SETREADONLY = 0x00CF;

constexpr WORD EN_SETFOCUS = 0x0100;
constexpr WORD EN_KILLFOCUS = 0x0200;
constexpr WORD EN_CHANGE = 0x0300;
constexpr WORD EN_UPDATE = 0x0400;
constexpr WORD EN_MAXTEXT = 0x0501;

// Rich edits answer the edit messages and these. EM_SETCHARFORMAT: WParam
// SCF_SELECTION (the selection) or SCF_ALL, LParam a CHARFORMAT*; it
// notifies no change and leaves the caret and the selection alone.
// EM_GETCHARFORMAT: the format of the selection's first character (of the
// character before the caret without a selection).
constexpr UINT EM_GETCHARFORMAT = WM_USER + 58;
constexpr UINT EM_SETCHARFORMAT = WM_USER + 68;
constexpr WPARAM SCF_DEFAULT = 0x0000;
constexpr WPARAM SCF_SELECTION = 0x0001;
constexpr WPARAM SCF_ALL = 0x0004;
constexpr DWORD CFM_BOLD = 0x00000001;
constexpr DWORD CFM_ITALIC = 0x00000002;
constexpr DWORD CFM_UNDERLINE = 0x00000004;
constexpr DWORD CFM_STRIKEOUT = 0x00000008;
constexpr DWORD CFM_COLOR = 0x40000000;
constexpr DWORD CFE_BOLD = 0x00000001;
constexpr DWORD CFE_ITALIC = 0x00000002;
constexpr DWORD CFE_UNDERLINE = 0x00000004;
constexpr DWORD CFE_STRIKEOUT = 0x00000008;
constexpr DWORD CFE_AUTOCOLOR = 0x40000000;

struct CHARFORMAT {
  UINT cbSize = sizeof(CHARFORMAT);
  DWORD dwMask = 0;
  DWORD dwEffects = 0;
  TColor crTextColor = 0;
};

// ---------------------------------------------------------------- list boxes

constexpr DWORD LBS_NOTIFY = 0x0001;
constexpr DWORD LBS_SORT = 0x0002;
constexpr DWORD LBS_MULTIPLESEL = 0x0008;
constexpr DWORD LBS_OWNERDRAWFIXED = 0x0010;
constexpr DWORD LBS_OWNERDRAWVARIABLE = 0x0020;
constexpr DWORD LBS_HASSTRINGS = 0x0040;
constexpr DWORD LBS_NOINTEGRALHEIGHT = 0x0100;
constexpr DWORD LBS_EXTENDEDSEL = 0x0800;

// Strings travel as UTF-8: LB_ADDSTRING/LB_INSERTSTRING take a const char* in
// LParam; LB_GETTEXT fills the char buffer LParam points to (LB_GETTEXTLEN
// bytes and a terminating zero) and answers the length.
constexpr UINT LB_ADDSTRING = 0x0180;
constexpr UINT LB_INSERTSTRING = 0x0181;
constexpr UINT LB_DELETESTRING = 0x0182;
constexpr UINT LB_RESETCONTENT = 0x0184;
constexpr UINT LB_SETCURSEL = 0x0186;
constexpr UINT LB_GETCURSEL = 0x0188;
constexpr UINT LB_GETTEXT = 0x0189;
constexpr UINT LB_GETTEXTLEN = 0x018A;
constexpr UINT LB_GETCOUNT = 0x018B;
constexpr UINT LB_GETTOPINDEX = 0x018E;
constexpr UINT LB_SETTOPINDEX = 0x0197;
// LB_GETITEMRECT: WParam the index, LParam a TRect* in client coordinates.
constexpr UINT LB_GETITEMRECT = 0x0198;
constexpr UINT LB_GETITEMDATA = 0x0199;
constexpr UINT LB_SETITEMDATA = 0x019A;
constexpr UINT LB_GETCARETINDEX = 0x019F;
constexpr UINT LB_SETITEMHEIGHT = 0x01A0;
constexpr UINT LB_GETITEMHEIGHT = 0x01A1;
// LB_ITEMFROMPOINT: LParam the client point; answers MAKELONG(index, outside ? 1 : 0).
constexpr UINT LB_ITEMFROMPOINT = 0x01A9;
constexpr LRESULT LB_OKAY = 0;
constexpr LRESULT LB_ERR = -1;

constexpr WORD LBN_SELCHANGE = 1;
constexpr WORD LBN_DBLCLK = 2;
constexpr WORD LBN_SELCANCEL = 3;
constexpr WORD LBN_SETFOCUS = 4;
constexpr WORD LBN_KILLFOCUS = 5;

// ---------------------------------------------------------------- combo boxes

constexpr DWORD CBS_SIMPLE = 0x0001;
constexpr DWORD CBS_DROPDOWN = 0x0002;
constexpr DWORD CBS_DROPDOWNLIST = 0x0003;
constexpr DWORD CBS_OWNERDRAWFIXED = 0x0010;
constexpr DWORD CBS_OWNERDRAWVARIABLE = 0x0020;
constexpr DWORD CBS_AUTOHSCROLL = 0x0040;
constexpr DWORD CBS_SORT = 0x0100;
constexpr DWORD CBS_HASSTRINGS = 0x0200;

// Strings as for list boxes: CB_ADDSTRING takes a const char*, CB_GETLBTEXT fills a char buffer.
constexpr UINT CB_ADDSTRING = 0x0143;
constexpr UINT CB_DELETESTRING = 0x0144;
constexpr UINT CB_GETCOUNT = 0x0146;
constexpr UINT CB_GETCURSEL = 0x0147;
constexpr UINT CB_GETLBTEXT = 0x0148;
constexpr UINT CB_GETLBTEXTLEN = 0x0149;
constexpr UINT CB_INSERTSTRING = 0x014A;
constexpr UINT CB_RESETCONTENT = 0x014B;
constexpr UINT CB_SETCURSEL = 0x014E;
constexpr UINT CB_SHOWDROPDOWN = 0x014F;
constexpr UINT CB_GETITEMDATA = 0x0150;
constexpr UINT CB_SETITEMDATA = 0x0151;
// CB_GETDROPPEDCONTROLRECT: LParam a TRect*, the drop-down list in screen coordinates.
constexpr UINT CB_GETDROPPEDCONTROLRECT = 0x0152;
constexpr UINT CB_GETITEMHEIGHT = 0x0154;
constexpr UINT CB_GETDROPPEDSTATE = 0x0157;
// CB_SETMINVISIBLE: WParam the most items the drop-down list shows without scrolling.
constexpr UINT CB_SETMINVISIBLE = 0x1701;
constexpr LRESULT CB_OKAY = 0;
constexpr LRESULT CB_ERR = -1;

constexpr WORD CBN_SELCHANGE = 1;
constexpr WORD CBN_DBLCLK = 2;
constexpr WORD CBN_SETFOCUS = 3;
constexpr WORD CBN_KILLFOCUS = 4;
constexpr WORD CBN_EDITCHANGE = 5;
constexpr WORD CBN_EDITUPDATE = 6;
constexpr WORD CBN_DROPDOWN = 7;
constexpr WORD CBN_CLOSEUP = 8;

// A dropped combo box sends its list these around tracking the mouse in it.
constexpr UINT CBLM_BEGINTRACKING = 0x01AE;
constexpr UINT CBLM_ENDTRACKING = 0x01AF;

// ---------------------------------------------------------------- statics

constexpr DWORD SS_LEFT = 0x0000;
constexpr DWORD SS_CENTER = 0x0001;
constexpr DWORD SS_RIGHT = 0x0002;
constexpr DWORD SS_ICON = 0x0003;
constexpr DWORD SS_BLACKRECT = 0x0004;
constexpr DWORD SS_GRAYRECT = 0x0005;
constexpr DWORD SS_WHITERECT = 0x0006;
constexpr DWORD SS_BLACKFRAME = 0x0007;
constexpr DWORD SS_GRAYFRAME = 0x0008;
constexpr DWORD SS_WHITEFRAME = 0x0009;
constexpr DWORD SS_SIMPLE = 0x000B;
constexpr DWORD SS_LEFTNOWORDWRAP = 0x000C;
constexpr DWORD SS_OWNERDRAW = 0x000D;
constexpr DWORD SS_BITMAP = 0x000E;
constexpr DWORD SS_ETCHEDHORZ = 0x0010;
constexpr DWORD SS_ETCHEDVERT = 0x0011;
constexpr DWORD SS_ETCHEDFRAME = 0x0012;
constexpr DWORD SS_TYPEMASK = 0x001F;
// STM_GETICON answers the icon (HICON) the static shows, 0 without one.
constexpr UINT STM_GETICON = 0x0171;

// ---------------------------------------------------------------- list views

constexpr DWORD LVS_ICON = 0x0000;
constexpr DWORD LVS_REPORT = 0x0001;
constexpr DWORD LVS_SMALLICON = 0x0002;
constexpr DWORD LVS_LIST = 0x0003;
constexpr DWORD LVS_TYPEMASK = 0x0003;
constexpr DWORD LVS_SINGLESEL = 0x0004;
constexpr DWORD LVS_SHOWSELALWAYS = 0x0008;
constexpr DWORD LVS_SORTASCENDING = 0x0010;
constexpr DWORD LVS_EDITLABELS = 0x0200;
constexpr DWORD LVS_NOCOLUMNHEADER = 0x4000;

constexpr UINT LVM_FIRST = 0x1000;
constexpr UINT LVM_GETBKCOLOR = LVM_FIRST + 0;
constexpr UINT LVM_SETBKCOLOR = LVM_FIRST + 1;
constexpr UINT LVM_GETITEMCOUNT = LVM_FIRST + 4;
// LVM_INSERTITEM: LParam an LVITEM* (iItem the place, pszText the caption, lParam); answers the index.
constexpr UINT LVM_INSERTITEM = LVM_FIRST + 7;
constexpr UINT LVM_DELETEITEM = LVM_FIRST + 8;
constexpr UINT LVM_DELETEALLITEMS = LVM_FIRST + 9;
// LVM_GETNEXTITEM: WParam the item to start after (-1: from the first), LParam LVNI_* flags.
constexpr UINT LVM_GETNEXTITEM = LVM_FIRST + 12;
// LVM_GETITEMRECT: WParam the item, LParam a TRect* (client coordinates).
constexpr UINT LVM_GETITEMRECT = LVM_FIRST + 14;
// LVM_HITTEST: LParam an LVHITTESTINFO* with the client point; answers the item there or -1.
constexpr UINT LVM_HITTEST = LVM_FIRST + 18;
// LVM_INSERTCOLUMN: WParam the place, LParam an LVCOLUMN* (pszText, cx).
constexpr UINT LVM_INSERTCOLUMN = LVM_FIRST + 27;
constexpr UINT LVM_DELETECOLUMN = LVM_FIRST + 28;
constexpr UINT LVM_GETCOLUMNWIDTH = LVM_FIRST + 29;
// LVM_SETCOLUMNWIDTH: WParam the column, LParam the width.
constexpr UINT LVM_SETCOLUMNWIDTH = LVM_FIRST + 30;
constexpr UINT LVM_GETHEADER = LVM_FIRST + 31;
constexpr UINT LVM_GETTEXTCOLOR = LVM_FIRST + 35;
constexpr UINT LVM_SETTEXTCOLOR = LVM_FIRST + 36;
constexpr UINT LVM_SETTEXTBKCOLOR = LVM_FIRST + 38;
constexpr UINT LVM_GETTOPINDEX = LVM_FIRST + 39;
// LVM_SETIMAGELIST: WParam LVSIL_STATE, LParam the TImageList* (null: none).
constexpr UINT LVM_SETIMAGELIST = LVM_FIRST + 3;
constexpr WPARAM LVSIL_STATE = 2;
// LVM_SETITEMSTATE: WParam the item (-1: every item), LParam an LVITEM* (state, stateMask); notifies as the user's change does.
constexpr UINT LVM_SETITEMSTATE = LVM_FIRST + 43;
// LVM_GETITEMSTATE: WParam the item, LParam the LVIS_* bits asked for.
constexpr UINT LVM_GETITEMSTATE = LVM_FIRST + 44;
// LVM_SETITEMTEXT: WParam the item, LParam an LVITEM* (iSubItem, pszText).
constexpr UINT LVM_SETITEMTEXT = LVM_FIRST + 46;
// LVM_SETEXTENDEDLISTVIEWSTYLE: WParam the LVS_EX_* bits that change (0: all), LParam their values.
constexpr UINT LVM_SETEXTENDEDLISTVIEWSTYLE = LVM_FIRST + 54;
constexpr UINT LVM_GETEXTENDEDLISTVIEWSTYLE = LVM_FIRST + 55;
constexpr DWORD LVS_EX_FULLROWSELECT = 0x0020;
constexpr UINT LVM_GETVIEW = LVM_FIRST + 143;
constexpr LPARAM LVNI_ALL = 0x0000;
constexpr LPARAM LVNI_FOCUSED = 0x0001;
constexpr LPARAM LVNI_SELECTED = 0x0002;
constexpr LRESULT LV_VIEW_ICON = 0;
constexpr LRESULT LV_VIEW_DETAILS = 1;
constexpr LRESULT LV_VIEW_SMALLICON = 2;
constexpr LRESULT LV_VIEW_LIST = 3;
// LVM_SCROLL: WParam dx, LParam dy in pixels (in list view dx counts columns' pixels).
constexpr UINT LVM_SCROLL = LVM_FIRST + 20;
constexpr UINT LVM_ARRANGE = LVM_FIRST + 22;
// LVM_GETITEMRECT's LParam holds the part asked for on the way in.
constexpr int LVIR_BOUNDS = 0;
constexpr int LVIR_ICON = 1;
constexpr int LVIR_LABEL = 2;
constexpr UINT LVIS_FOCUSED = 0x0001;
constexpr UINT LVIS_SELECTED = 0x0002;
constexpr UINT LVIS_STATEIMAGEMASK = 0xF000;
constexpr UINT LVIF_TEXT = 0x0001;
constexpr UINT LVIF_IMAGE = 0x0002;
constexpr UINT LVIF_PARAM = 0x0004;
constexpr UINT LVIF_STATE = 0x0008;

constexpr UINT LVN_FIRST = 0u - 100;
constexpr UINT LVN_ITEMCHANGING = LVN_FIRST - 0;
constexpr UINT LVN_ITEMCHANGED = LVN_FIRST - 1;
constexpr UINT LVN_BEGINLABELEDIT = LVN_FIRST - 5;
constexpr UINT LVN_ENDLABELEDIT = LVN_FIRST - 6;

struct LVITEM {
  UINT mask = 0;
  int iItem = 0;
  int iSubItem = 0;
  UINT state = 0;
  UINT stateMask = 0;
  char* pszText = nullptr;
  int cchTextMax = 0;
  int iImage = -1;
  LPARAM lParam = 0;
};

struct LVCOLUMN {
  UINT mask = 0;
  int fmt = 0;
  int cx = 0;
  char* pszText = nullptr;
  int cchTextMax = 0;
  int iSubItem = 0;
};

struct LVHITTESTINFO {
  TPoint pt;
  UINT flags = 0;
  int iItem = -1;
  int iSubItem = 0;
};

struct NMLISTVIEW {
  NMHDR hdr;
  int iItem = -1;
  int iSubItem = 0;
  UINT uNewState = 0;
  UINT uOldState = 0;
  UINT uChanged = 0;
  TPoint ptAction;
  LPARAM lParam = 0;
};

struct NMLVCUSTOMDRAW {
  NMCUSTOMDRAW nmcd;
  TColor clrText = 0;
  TColor clrTextBk = 0;
  int iSubItem = 0;
};

// LVN_BEGINLABELEDIT (nonzero: no editing) and LVN_ENDLABELEDIT (item.pszText the new text; nonzero: it stays).
struct NMLVDISPINFO {
  NMHDR hdr;
  LVITEM item;
};

// ---------------------------------------------------------------- headers

constexpr DWORD HDS_BUTTONS = 0x0004;   // items act as buttons (pressed look)
constexpr DWORD HDS_FULLDRAG = 0x0080;  // items are laid out in display order while dragged

constexpr UINT HDM_FIRST = 0x1200;
constexpr UINT HDM_GETITEMCOUNT = HDM_FIRST + 0;
// HDM_GETITEM: WParam the index, LParam an HDITEM* whose mask says what to fill.
constexpr UINT HDM_GETITEM = HDM_FIRST + 3;
// HDM_HITTEST: LParam an HDHITTESTINFO* with the client point; answers the item or -1.
constexpr UINT HDM_HITTEST = HDM_FIRST + 6;
// HDM_GETITEMRECT: WParam the index, LParam a TRect* (client coordinates).
constexpr UINT HDM_GETITEMRECT = HDM_FIRST + 7;
// HDM_GETORDERARRAY: WParam the count, LParam an int array filled with the indexes in display order.
constexpr UINT HDM_GETORDERARRAY = HDM_FIRST + 17;

constexpr UINT HDI_WIDTH = 0x0001;
constexpr UINT HDI_TEXT = 0x0002;
constexpr UINT HDI_FORMAT = 0x0004;
constexpr UINT HDI_LPARAM = 0x0008;
constexpr UINT HDI_IMAGE = 0x0020;
constexpr UINT HDI_ORDER = 0x0080;

constexpr int HDF_LEFT = 0x0000;
constexpr int HDF_RIGHT = 0x0001;
constexpr int HDF_CENTER = 0x0002;
constexpr int HDF_JUSTIFYMASK = 0x0003;
constexpr int HDF_SORTDOWN = 0x0200;
constexpr int HDF_SORTUP = 0x0400;
constexpr int HDF_IMAGE = 0x0800;
constexpr int HDF_OWNERDRAW = 0x8000;
constexpr int HDF_STRING = 0x4000;

constexpr UINT HHT_NOWHERE = 0x0001;
constexpr UINT HHT_ONHEADER = 0x0002;
constexpr UINT HHT_ONDIVIDER = 0x0004;
constexpr UINT HHT_ONDIVOPEN = 0x0008;

// HDM_GETITEM's record: pszText points to a buffer of cchTextMax bytes.
struct HDITEM {
  UINT mask = 0;
  int cxy = 0;
  char* pszText = nullptr;
  int cchTextMax = 0;
  int fmt = 0;
  LPARAM lParam = 0;
  int iImage = -1;
  int iOrder = 0;
};

struct HDHITTESTINFO {
  TPoint pt;
  UINT flags = 0;
  int iItem = -1;
};

// ---------------------------------------------------------------- tree views

struct TREEITEM__;
using HTREEITEM = TREEITEM__*;

constexpr DWORD TVS_HASBUTTONS = 0x0001;
constexpr DWORD TVS_HASLINES = 0x0002;
constexpr DWORD TVS_LINESATROOT = 0x0004;
constexpr DWORD TVS_EDITLABELS = 0x0008;
constexpr DWORD TVS_SHOWSELALWAYS = 0x0020;
constexpr DWORD TVS_CHECKBOXES = 0x0100;
constexpr DWORD TVS_TRACKSELECT = 0x0200;
constexpr DWORD TVS_FULLROWSELECT = 0x1000;
constexpr DWORD TVS_NOSCROLL = 0x2000;

constexpr UINT TV_FIRST = 0x1100;
// TVM_INSERTITEM: LParam a TVINSERTSTRUCT*; answers the new item.
constexpr UINT TVM_INSERTITEM = TV_FIRST + 0;
// TVM_DELETEITEM: LParam the item, TVI_ROOT for all.
constexpr UINT TVM_DELETEITEM = TV_FIRST + 1;
// TVM_EXPAND: WParam TVE_*, LParam the item; notifies nothing.
constexpr UINT TVM_EXPAND = TV_FIRST + 2;
// TVM_GETITEMRECT: WParam true for the text only, LParam a TRect* holding the item (HTREEITEM) on the way in.
constexpr UINT TVM_GETITEMRECT = TV_FIRST + 4;
constexpr UINT TVM_GETCOUNT = TV_FIRST + 5;
constexpr UINT TVM_GETINDENT = TV_FIRST + 6;
constexpr UINT TVM_SETINDENT = TV_FIRST + 7;
// TVM_SETIMAGELIST: WParam TVSIL_NORMAL or TVSIL_STATE, LParam the TImageList* (null: none).
constexpr UINT TVM_SETIMAGELIST = TV_FIRST + 9;
constexpr WPARAM TVSIL_NORMAL = 0;
constexpr WPARAM TVSIL_STATE = 2;
// TVM_GETNEXTITEM: WParam TVGN_*, LParam the item it starts from.
constexpr UINT TVM_GETNEXTITEM = TV_FIRST + 10;
// TVM_SELECTITEM: WParam TVGN_CARET, LParam the item (null: none); notifies as the user's choice does.
constexpr UINT TVM_SELECTITEM = TV_FIRST + 11;
constexpr UINT TVM_GETITEM = TV_FIRST + 12;
// TVM_SETITEM: LParam a TVITEM* naming its item and what changes (mask).
constexpr UINT TVM_SETITEM = TV_FIRST + 13;
// TVM_HITTEST: LParam a TVHITTESTINFO* with the client point; answers the item there.
constexpr UINT TVM_HITTEST = TV_FIRST + 17;
// TVM_SORTCHILDREN: LParam the parent item (TVI_ROOT for the top level).
constexpr UINT TVM_SORTCHILDREN = TV_FIRST + 19;
constexpr UINT TVM_SETBKCOLOR = TV_FIRST + 29;
constexpr UINT TVM_SETTEXTCOLOR = TV_FIRST + 30;
constexpr UINT TVM_GETBKCOLOR = TV_FIRST + 31;
constexpr UINT TVM_GETTEXTCOLOR = TV_FIRST + 32;

constexpr UINT TVN_FIRST = 0u - 400;
constexpr UINT TVN_SELCHANGING = TVN_FIRST - 1;
constexpr UINT TVN_SELCHANGED = TVN_FIRST - 2;
constexpr UINT TVN_ITEMEXPANDING = TVN_FIRST - 5;
constexpr UINT TVN_ITEMEXPANDED = TVN_FIRST - 6;
constexpr UINT TVN_BEGINLABELEDIT = TVN_FIRST - 10;
constexpr UINT TVN_ENDLABELEDIT = TVN_FIRST - 11;
constexpr UINT TVE_COLLAPSE = 0x0001;
constexpr UINT TVE_EXPAND = 0x0002;
constexpr UINT TVE_TOGGLE = 0x0003;
constexpr UINT TVC_UNKNOWN = 0x0000;
constexpr UINT TVC_BYMOUSE = 0x0001;
constexpr UINT TVC_BYKEYBOARD = 0x0002;
constexpr UINT TVGN_ROOT = 0x0000;
constexpr UINT TVGN_NEXT = 0x0001;
constexpr UINT TVGN_CHILD = 0x0004;
constexpr UINT TVGN_CARET = 0x0009;
constexpr UINT TVIF_TEXT = 0x0001;
constexpr UINT TVIF_IMAGE = 0x0002;
constexpr UINT TVIF_PARAM = 0x0004;
constexpr UINT TVIF_STATE = 0x0008;
constexpr UINT TVIF_SELECTEDIMAGE = 0x0020;
constexpr UINT TVIF_CHILDREN = 0x0040;
constexpr UINT TVIF_HANDLE = 0x0010;
inline const HTREEITEM TVI_ROOT = reinterpret_cast<HTREEITEM>(static_cast<intptr_t>(-0x10000));
inline const HTREEITEM TVI_FIRST = reinterpret_cast<HTREEITEM>(static_cast<intptr_t>(-0x0FFFF));
inline const HTREEITEM TVI_LAST = reinterpret_cast<HTREEITEM>(static_cast<intptr_t>(-0x0FFFE));
constexpr UINT TVHT_NOWHERE = 0x0001;
constexpr UINT TVHT_ONITEM = 0x0046;
constexpr UINT TVIS_SELECTED = 0x0002;
constexpr UINT TVIS_EXPANDED = 0x0020;
constexpr UINT TVIS_STATEIMAGEMASK = 0xF000;
// The state image index (from 1; 0: none) as the bits of an item's state.
constexpr UINT INDEXTOSTATEIMAGEMASK(int index) { return static_cast<UINT>(index) << 12; }

struct TVITEM {
  UINT mask = 0;
  HTREEITEM hItem = nullptr;
  UINT state = 0;
  UINT stateMask = 0;
  // UTF-8; TVM_GETITEM fills a buffer of cchTextMax bytes.
  char* pszText = nullptr;
  int cchTextMax = 0;
  int iImage = 0;
  int iSelectedImage = 0;
  int cChildren = 0;
  LPARAM lParam = 0;
};

struct TVINSERTSTRUCT {
  HTREEITEM hParent = nullptr;
  HTREEITEM hInsertAfter = nullptr;
  TVITEM item;
};

struct TVHITTESTINFO {
  TPoint pt;
  UINT flags = 0;
  HTREEITEM hItem = nullptr;
};

// TVN_SELCHANGING, TVN_SELCHANGED, TVN_ITEMEXPANDING: a nonzero answer to a
// -ING notification vetoes the change.
struct NMTREEVIEW {
  NMHDR hdr;
  UINT action = 0;
  TVITEM itemOld;
  TVITEM itemNew;
  TPoint ptDrag;
};

// TVN_BEGINLABELEDIT (nonzero: no editing) and TVN_ENDLABELEDIT (item.pszText the new text; nonzero: it stays).
struct NMTVDISPINFO {
  NMHDR hdr;
  TVITEM item;
};

struct NMTVCUSTOMDRAW {
  NMCUSTOMDRAW nmcd;
  TColor clrText = 0;
  TColor clrTextBk = 0;
  int iLevel = 0;
};

// ---------------------------------------------------------------- tab controls

constexpr UINT TCM_FIRST = 0x1300;
constexpr UINT TCM_GETIMAGELIST = TCM_FIRST + 2;
constexpr UINT TCM_GETITEMCOUNT = TCM_FIRST + 4;
constexpr UINT TCM_GETITEM = TCM_FIRST + 5;
constexpr UINT TCM_SETITEM = TCM_FIRST + 6;
// TCM_INSERTITEM: WParam the index, LParam a TCITEM* (its text, pszText); answers the index.
constexpr UINT TCM_INSERTITEM = TCM_FIRST + 7;
constexpr UINT TCM_DELETEITEM = TCM_FIRST + 8;
constexpr UINT TCM_DELETEALLITEMS = TCM_FIRST + 9;
constexpr UINT TCM_GETITEMRECT = TCM_FIRST + 10;
constexpr UINT TCM_GETCURSEL = TCM_FIRST + 11;
constexpr UINT TCM_SETCURSEL = TCM_FIRST + 12;
constexpr UINT TCM_GETROWCOUNT = TCM_FIRST + 44;
// TCM_ADJUSTRECT: WParam true: display rectangle to window rectangle; false: the reverse.
constexpr UINT TCM_ADJUSTRECT = TCM_FIRST + 40;
constexpr UINT TCIF_TEXT = 0x0001;
constexpr UINT TCIF_IMAGE = 0x0002;
constexpr UINT TCIF_PARAM = 0x0008;
constexpr UINT TCIF_STATE = 0x0010;
// Tab control styles. TCS_RIGHT shares TCS_BOTTOM's bit: it is read with TCS_VERTICAL.
constexpr DWORD TCS_BOTTOM = 0x0002;
constexpr DWORD TCS_RIGHT = 0x0002;
constexpr DWORD TCS_FLATBUTTONS = 0x0008;
constexpr DWORD TCS_VERTICAL = 0x0080;
constexpr DWORD TCS_BUTTONS = 0x0100;

constexpr UINT TCN_FIRST = 0u - 550;
constexpr UINT TCN_SELCHANGE = TCN_FIRST - 1;
constexpr UINT TCN_SELCHANGING = TCN_FIRST - 2;

// TCM_GETITEM's record: pszText points to a buffer of cchTextMax bytes.
struct TCITEM {
  UINT mask = 0;
  DWORD dwState = 0;
  DWORD dwStateMask = 0;
  char* pszText = nullptr;
  int cchTextMax = 0;
  int iImage = -1;
  LPARAM lParam = 0;
};

// ---------------------------------------------------------------- up-down controls

// The arrows lie side by side instead of one above the other.
constexpr DWORD UDS_HORZ = 0x0040;

// ---------------------------------------------------------------- tool bars

constexpr DWORD TBSTYLE_TOOLTIPS = 0x0100;
constexpr DWORD TBSTYLE_WRAPABLE = 0x0200;
constexpr DWORD TBSTYLE_FLAT = 0x0800;
constexpr DWORD TBSTYLE_LIST = 0x1000;
constexpr DWORD TBSTYLE_TRANSPARENT = 0x8000;

constexpr UINT TB_GETBUTTON = WM_USER + 23;
constexpr UINT TB_BUTTONCOUNT = WM_USER + 24;
// TB_GETITEMRECT: WParam the index, LParam a TRect* in client coordinates.
constexpr UINT TB_GETITEMRECT = WM_USER + 29;
constexpr UINT TB_GETBUTTONTEXT = WM_USER + 45;
constexpr UINT TB_GETIMAGELIST = WM_USER + 49;
constexpr UINT TB_GETHOTIMAGELIST = WM_USER + 53;
constexpr UINT TB_GETDISABLEDIMAGELIST = WM_USER + 55;
// Posted by a tool bar to itself once a button's drop-down menu has closed.
constexpr UINT CN_DROPDOWNCLOSED = WM_USER + 0x1000;

constexpr BYTE TBSTATE_CHECKED = 0x01;
constexpr BYTE TBSTATE_PRESSED = 0x02;
constexpr BYTE TBSTATE_ENABLED = 0x04;
constexpr BYTE TBSTATE_HIDDEN = 0x08;
constexpr BYTE TBSTATE_INDETERMINATE = 0x10;
constexpr BYTE TBSTATE_WRAP = 0x20;
constexpr BYTE BTNS_BUTTON = 0x00;
constexpr BYTE BTNS_SEP = 0x01;
constexpr BYTE BTNS_CHECK = 0x02;
constexpr BYTE BTNS_GROUP = 0x04;
constexpr BYTE BTNS_CHECKGROUP = BTNS_GROUP | BTNS_CHECK;
constexpr BYTE BTNS_DROPDOWN = 0x08;
constexpr BYTE BTNS_AUTOSIZE = 0x10;
constexpr BYTE BTNS_SHOWTEXT = 0x40;
constexpr BYTE BTNS_WHOLEDROPDOWN = 0x80;

// TB_GETBUTTON fills this record; dwData is the TToolButton.
struct TBBUTTON {
  int iBitmap = 0;
  int idCommand = 0;
  BYTE fsState = 0;
  BYTE fsStyle = 0;
  UINT_PTR dwData = 0;
  intptr_t iString = 0;
};

constexpr UINT TBN_FIRST = 0u - 700;
constexpr UINT TBN_DROPDOWN = TBN_FIRST - 10;
constexpr UINT TBN_DELETINGBUTTON = TBN_FIRST - 15;
constexpr LRESULT TBDDRET_DEFAULT = 0;
constexpr LRESULT TBDDRET_NODEFAULT = 1;

struct NMTOOLBAR {
  NMHDR hdr;
  int iItem = 0;
  TBBUTTON tbButton;
  int cchText = 0;
  char* pszText = nullptr;
  TRect rcButton;
};

struct NMTBCUSTOMDRAW {
  NMCUSTOMDRAW nmcd;
  TColor clrText = 0;
  TColor clrBtnFace = 0;
  TColor clrHighlightHotTrack = 0;
  TRect rcText;
};

// ---------------------------------------------------------------- status bars

constexpr DWORD SBARS_SIZEGRIP = 0x0100;

// SB_SETTEXT: WParam the part (low byte) and SBT_* drawing flags, LParam a
// const char*. SB_GETTEXT: WParam the part, LParam a char buffer; answers
// MAKELONG(length, flags). SB_GETPARTS: WParam how many, LParam an int array
// of right edges (-1: to the end); answers the number of parts.
constexpr UINT SB_SETTEXT = WM_USER + 1;
constexpr UINT SB_GETTEXT = WM_USER + 2;
constexpr UINT SB_GETTEXTLENGTH = WM_USER + 3;
constexpr UINT SB_SETPARTS = WM_USER + 4;
constexpr UINT SB_GETPARTS = WM_USER + 6;
constexpr UINT SB_SIMPLE = WM_USER + 9;
// SB_GETRECT: WParam the part, LParam a TRect*.
constexpr UINT SB_GETRECT = WM_USER + 10;
constexpr UINT SB_ISSIMPLE = WM_USER + 14;
constexpr WPARAM SBT_NOBORDERS = 0x0100;
constexpr WPARAM SBT_POPOUT = 0x0200;
constexpr WPARAM SBT_OWNERDRAW = 0x1000;
