#include "components/MessageNames.h"

#include <cstdio>
#include <iterator>

namespace {

// Control messages run up from 0xB000 in table order; a control notification is 0xBC00
// plus the number of the window message it comes from.
constexpr int32_t kControlBase = 0xB000;
constexpr int32_t kNotifyBase = 0xBC00;

// Numbers are unique. A few window messages keep the numbers older systems gave them
// (wm_SystemError, wm_CtlColor, wm_QueueSync, wm_Compacting, wm_CommNotify, wm_Power,
// wm_tCard); three rows name a number two messages share.
constexpr TMessageName kMessageNames[] = {
    // Window messages.
    {"wm_Null", 0}, {"wm_Create", 1}, {"wm_Destroy", 2}, {"wm_Move", 3}, {"wm_Size", 5}, {"wm_Activate", 6},
    {"wm_SetFocus", 7}, {"wm_KillFocus", 8}, {"wm_Enable", 0xA}, {"wm_SetRedraw", 0xB}, {"wm_SetText", 0xC},
    {"wm_GetText", 0xD}, {"wm_GetTextLength", 0xE}, {"wm_Paint", 0xF}, {"wm_Close", 0x10},
    {"wm_QueryEndSession", 0x11}, {"wm_Quit", 0x12}, {"wm_QueryOpen", 0x13}, {"wm_EraseBkGnd", 0x14},
    {"wm_SysColorChange", 0x15}, {"wm_EndSession", 0x16}, {"wm_SystemError", 0x17}, {"wm_ShowWindow", 0x18},
    {"wm_CtlColor", 0x19}, {"wm_WinIniChange", 0x1A}, {"wm_DevModeChange", 0x1B}, {"wm_ActivateApp", 0x1C},
    {"wm_FontChange", 0x1D}, {"wm_TimeChange", 0x1E}, {"wm_CancelMode", 0x1F}, {"wm_SetCursor", 0x20},
    {"wm_MouseActivate", 0x21}, {"wm_ChildActivate", 0x22}, {"wm_QueueSync", 0x23}, {"wm_GetMinMaxInfo", 0x24},
    {"wm_PaintIcon", 0x26}, {"wm_IconEraseBkGnd", 0x27}, {"wm_NextDlgCtl", 0x28}, {"wm_SpoolerStatus", 0x2A},
    {"wm_DrawItem", 0x2B}, {"wm_MeasureItem", 0x2C}, {"wm_DeleteItem", 0x2D}, {"wm_VKeyToItem", 0x2E},
    {"wm_CharToItem", 0x2F}, {"wm_SetFont", 0x30}, {"wm_GetFont", 0x31}, {"wm_SetHotKey", 0x32},
    {"wm_GetHotKey", 0x33}, {"wm_QueryDragIcon", 0x37}, {"wm_CompareItem", 0x39}, {"wm_Compacting", 0x41},
    {"wm_CommNotify", 0x44}, {"wm_WindowPosChanging", 0x46}, {"wm_WindowPosChanged", 0x47}, {"wm_Power", 0x48},
    {"wm_CopyData", 0x4A}, {"wm_CancelJournal", 0x4B}, {"wm_Notify", 0x4E}, {"wm_InputLangChangeRequest", 0x50},
    {"wm_InputLangChange", 0x51}, {"wm_tCard", 0x52}, {"wm_Help", 0x53}, {"wm_UserChanged", 0x54},
    {"wm_NotifyFormat", 0x55}, {"wm_ContextMenu", 0x7B}, {"wm_StyleChanging", 0x7C}, {"wm_StyleChanged", 0x7D},
    {"wm_DisplayChange", 0x7E}, {"wm_GetIcon", 0x7F}, {"wm_SetIcon", 0x80}, {"wm_NCCreate", 0x81},
    {"wm_NCDestroy", 0x82}, {"wm_NCCalcSize", 0x83}, {"wm_NCHitTest", 0x84}, {"wm_NCPaint", 0x85},
    {"wm_NCActivate", 0x86}, {"wm_GetDlgCode", 0x87}, {"wm_NCMouseMove", 0xA0}, {"wm_NCLButtonDown", 0xA1},
    {"wm_NCLButtonUp", 0xA2}, {"wm_NCLButtonDblClk", 0xA3}, {"wm_NCRButtonDown", 0xA4}, {"wm_NCRButtonUp", 0xA5},
    {"wm_NCRButtonDblClk", 0xA6}, {"wm_NCMButtonDown", 0xA7}, {"wm_NCMButtonUp", 0xA8},
    {"wm_NCMButtonDblClk", 0xA9}, {"wm_KeyDown", 0x100}, {"wm_KeyUp", 0x101}, {"wm_Char", 0x102},
    {"wm_DeadChar", 0x103}, {"wm_SysKeyDown", 0x104}, {"wm_SysKeyUp", 0x105}, {"wm_SysChar", 0x106},
    {"wm_SysDeadChar", 0x107}, {"wm_KeyLast", 0x108}, {"wm_IME_StartComposition", 0x10D},
    {"wm_IME_EndComposition", 0x10E}, {"wm_IME_Composition/KeyLast", 0x10F}, {"wm_InitDialog", 0x110},
    {"wm_Command", 0x111}, {"wm_SysCommand", 0x112}, {"wm_Timer", 0x113}, {"wm_HScroll", 0x114},
    {"wm_VScroll", 0x115}, {"wm_InitMenu", 0x116}, {"wm_InitMenuPopup", 0x117}, {"wm_MenuSelect", 0x11F},
    {"wm_MenuChar", 0x120}, {"wm_EnterIdle", 0x121}, {"wm_CtlColorMsgbox", 0x132}, {"wm_CtlColorEdit", 0x133},
    {"wm_CtlColorListbox", 0x134}, {"wm_CtlColorBtn", 0x135}, {"wm_CtlColorDlg", 0x136},
    {"wm_CtlColorScrollbar", 0x137}, {"wm_CtlColorStatic", 0x138}, {"wm_MouseMove", 0x200},
    {"wm_LButtonDown", 0x201}, {"wm_LButtonUp", 0x202}, {"wm_LButtonDblClk", 0x203}, {"wm_RButtonDown", 0x204},
    {"wm_RButtonUp", 0x205}, {"wm_RButtonDblClk", 0x206}, {"wm_MButtonDown", 0x207}, {"wm_MButtonUp", 0x208},
    {"wm_MButtonDblClk", 0x209}, {"wm_MouseLast/Wheel", 0x20A}, {"wm_ParentNotify", 0x210},
    {"wm_EnterMenuLoop", 0x211}, {"wm_ExitMenuLoop", 0x212}, {"wm_NextMenu", 0x213}, {"wm_Sizing", 0x214},
    {"wm_CaptureChanged", 0x215}, {"wm_Moving", 0x216}, {"wm_PowerBroadcast", 0x218}, {"wm_DeviceChange", 0x219},
    {"wm_MDICreate", 0x220}, {"wm_MDIDestroy", 0x221}, {"wm_MDIActivate", 0x222}, {"wm_MDIRestore", 0x223},
    {"wm_MDINext", 0x224}, {"wm_MDIMaximize", 0x225}, {"wm_MDITile", 0x226}, {"wm_MDICascade", 0x227},
    {"wm_MDIIconArrange", 0x228}, {"wm_MDIGetActive", 0x229}, {"wm_MDISetMenu", 0x230}, {"wm_EnterSizeMove", 0x231},
    {"wm_ExitSizeMove", 0x232}, {"wm_DropFiles", 0x233}, {"wm_MDIRefreshMenu", 0x234}, {"wm_IME_Setcontext", 0x281},
    {"wm_IME_Notify", 0x282}, {"wm_IME_Control", 0x283}, {"wm_IME_Compositionfull", 0x284},
    {"wm_IME_Select", 0x285}, {"wm_IME_Char", 0x286}, {"wm_IME_Keydown", 0x290}, {"wm_IME_Keyup", 0x291},
    {"wm_MouseHover", 0x2A1}, {"wm_MouseLeave", 0x2A3}, {"wm_Cut", 0x300}, {"wm_Copy", 0x301}, {"wm_Paste", 0x302},
    {"wm_Clear", 0x303}, {"wm_Undo", 0x304}, {"wm_RenderFormat", 0x305}, {"wm_RenderAllFormats", 0x306},
    {"wm_DestroyClipboard", 0x307}, {"wm_DrawClipboard", 0x308}, {"wm_PaintClipboard", 0x309},
    {"wm_VScrollClipboard", 0x30A}, {"wm_SizeClipboard", 0x30B}, {"wm_AskCBFormatName", 0x30C},
    {"wm_ChangeCBChain", 0x30D}, {"wm_HScrollClipboard", 0x30E}, {"wm_QueryNewPalette", 0x30F},
    {"wm_PaletteIsChanging", 0x310}, {"wm_PaletteChanged", 0x311}, {"wm_HotKey", 0x312}, {"wm_Print", 0x317},
    {"wm_PrintClient", 0x318},
    // Control messages of the class library.
    {"CM_ACTIVATE", kControlBase + 0}, {"CM_DEACTIVATE", kControlBase + 1}, {"CM_GOTFOCUS", kControlBase + 2},
    {"CM_LOSTFOCUS", kControlBase + 3}, {"CM_CANCELMODE", kControlBase + 4}, {"CM_DIALOGKEY", kControlBase + 5},
    {"CM_DIALOGCHAR", kControlBase + 6}, {"CM_FOCUSCHANGED", kControlBase + 7},
    {"CM_PARENTFONTCHANGED", kControlBase + 8}, {"CM_PARENTCOLORCHANGED", kControlBase + 9},
    {"CM_HITTEST", kControlBase + 10}, {"CM_VISIBLECHANGED", kControlBase + 11},
    {"CM_ENABLEDCHANGED", kControlBase + 12}, {"CM_COLORCHANGED", kControlBase + 13},
    {"CM_FONTCHANGED", kControlBase + 14}, {"CM_CURSORCHANGED", kControlBase + 15},
    {"CM_CTL3DCHANGED", kControlBase + 16}, {"CM_PARENTCTL3DCHANGED", kControlBase + 17},
    {"CM_TEXTCHANGED", kControlBase + 18}, {"CM_MOUSEENTER", kControlBase + 19},
    {"CM_MOUSELEAVE", kControlBase + 20}, {"CM_MENUCHANGED", kControlBase + 21},
    {"CM_APPKEYDOWN", kControlBase + 22}, {"CM_APPSYSCOMMAND", kControlBase + 23},
    {"CM_BUTTONPRESSED", kControlBase + 24}, {"CM_SHOWINGCHANGED", kControlBase + 25},
    {"CM_ENTER", kControlBase + 26}, {"CM_EXIT", kControlBase + 27}, {"CM_DESIGNHITTEST", kControlBase + 28},
    {"CM_ICONCHANGED", kControlBase + 29}, {"CM_WANTSPECIALKEY", kControlBase + 30},
    {"CM_INVOKEHELP", kControlBase + 31}, {"CM_WINDOWHOOK", kControlBase + 32}, {"CM_RELEASE", kControlBase + 33},
    {"CM_SHOWHINTCHANGED", kControlBase + 34}, {"CM_PARENTSHOWHINTCHANGED", kControlBase + 35},
    {"CM_SYSCOLORCHANGE", kControlBase + 36}, {"CM_WININICHANGE", kControlBase + 37},
    {"CM_FONTCHANGE", kControlBase + 38}, {"CM_TIMECHANGE", kControlBase + 39},
    {"CM_TABSTOPCHANGED", kControlBase + 40}, {"CM_UIACTIVATE", kControlBase + 41},
    {"CM_UIDEACTIVATE", kControlBase + 42}, {"CM_DOCWINDOWACTIVATE", kControlBase + 43},
    {"CM_CONTROLLISTCHANGE", kControlBase + 44}, {"CM_GETDATALINK", kControlBase + 45},
    {"CM_CHILDKEY", kControlBase + 46}, {"CM_DRAG", kControlBase + 47}, {"CM_HINTSHOW", kControlBase + 48},
    {"CM_DIALOGHANDLE", kControlBase + 49}, {"CM_ISTOOLCONTROL", kControlBase + 50},
    {"CM_RECREATEWND", kControlBase + 51}, {"CM_INVALIDATE", kControlBase + 52},
    {"CM_SYSFONTCHANGED", kControlBase + 53}, {"CM_CONTROLCHANGE", kControlBase + 54},
    {"CM_CHANGED", kControlBase + 55}, {"CM_DOCKCLIENT", kControlBase + 56}, {"CM_UNDOCKCLIENT", kControlBase + 57},
    {"CM_FLOAT", kControlBase + 58}, {"CM_BORDERCHANGED", kControlBase + 59},
    {"CM_BIDIMODECHANGED", kControlBase + 60}, {"CM_PARENTBIDIMODECHANGED", kControlBase + 61},
    {"CM_ALLCHILDRENFLIPPED", kControlBase + 62}, {"CM_ACTIONUPDATE", kControlBase + 63},
    {"CM_ACTIONEXECUTE", kControlBase + 64}, {"CM_HINTSHOWPAUSE", kControlBase + 65},
    {"CM_DOCKNOTIFICATION", kControlBase + 66}, {"CM_MOUSEWHEEL", kControlBase + 67},
    // Control notifications.
    {"CN_CHARTOITEM", kNotifyBase + 0x2F}, {"CN_COMMAND", kNotifyBase + 0x111},
    {"CN_COMPAREITEM", kNotifyBase + 0x39}, {"CN_CTLCOLORBTN", kNotifyBase + 0x135},
    {"CN_CTLCOLORDLG", kNotifyBase + 0x136}, {"CN_CTLCOLOREDIT", kNotifyBase + 0x133},
    {"CN_CTLCOLORLISTBOX", kNotifyBase + 0x134}, {"CN_CTLCOLORMSGBOX", kNotifyBase + 0x132},
    {"CN_CTLCOLORSCROLLBAR", kNotifyBase + 0x137}, {"CN_CTLCOLORSTATIC", kNotifyBase + 0x138},
    {"CN_DELETEITEM", kNotifyBase + 0x2D}, {"CN_DRAWITEM", kNotifyBase + 0x2B}, {"CN_HSCROLL", kNotifyBase + 0x114},
    {"CN_MEASUREITEM", kNotifyBase + 0x2C}, {"CN_PARENTNOTIFY", kNotifyBase + 0x210},
    {"CN_VKEYTOITEM", kNotifyBase + 0x2E}, {"CN_VSCROLL", kNotifyBase + 0x115}, {"CN_KEYDOWN", kNotifyBase + 0x100},
    {"CN_KEYUP", kNotifyBase + 0x101}, {"CN_CHAR", kNotifyBase + 0x102}, {"CN_SYSKEYDOWN", kNotifyBase + 0x104},
    {"CN_SYSKEYUP", kNotifyBase + 0x105}, {"CN_SYSCHAR", kNotifyBase + 0x106}, {"CN_NOTIFY", kNotifyBase + 0x4E},
    // Tree-view messages.
    {"TVM_INSERTITEMA", 0x1100}, {"TVM_INSERTITEMW", 0x1132}, {"TVM_DELETEITEM", 0x1101}, {"TVM_EXPAND", 0x1102},
    {"TVM_GETITEMRECT", 0x1104}, {"TVM_GETCOUNT", 0x1105}, {"TVM_GETINDENT", 0x1106}, {"TVM_SETINDENT", 0x1107},
    {"TVM_GETIMAGELIST", 0x1108}, {"TVM_SETIMAGELIST", 0x1109}, {"TVM_GETNEXTITEM", 0x110A},
    {"TVM_SELECTITEM", 0x110B}, {"TVM_GETITEMA", 0x110C}, {"TVM_GETITEMW", 0x113E}, {"TVM_SETITEMA", 0x110D},
    {"TVM_SETITEMW", 0x113F}, {"TVM_EDITLABELA", 0x110E}, {"TVM_EDITLABELW", 0x1141},
    {"TVM_GETEDITCONTROL", 0x110F}, {"TVM_GETVISIBLECOUNT", 0x1110}, {"TVM_HITTEST", 0x1111},
    {"TVM_CREATEDRAGIMAGE", 0x1112}, {"TVM_SORTCHILDREN", 0x1113}, {"TVM_ENSUREVISIBLE", 0x1114},
    {"TVM_SORTCHILDRENCB", 0x1115}, {"TVM_ENDEDITLABELNOW", 0x1116}, {"TVM_GETISEARCHSTRINGA", 0x1117},
    {"TVM_GETISEARCHSTRINGW", 0x1140}, {"TVM_SETTOOLTIPS", 0x1118}, {"TVM_GETTOOLTIPS", 0x1119},
    {"TVM_SETINSERTMARK", 0x111A}, {"TVM_SETITEMHEIGHT", 0x111B}, {"TVM_GETITEMHEIGHT", 0x111C},
    {"TVM_SETBKCOLOR", 0x111D}, {"TVM_SETTEXTCOLOR", 0x111E}, {"TVM_GETBKCOLOR", 0x111F},
    {"TVM_GETTEXTCOLOR", 0x1120}, {"TVM_SETSCROLLTIME", 0x1121}, {"TVM_GETSCROLLTIME", 0x1122},
    {"Unknown (TVM-$1123)", 0x1123}, {"Unknown (TVM-$1124)", 0x1124}, {"TVM_SETINSERTMARKCOLOR", 0x1125},
    {"TVM_GETINSERTMARKCOLOR", 0x1126},
};

// The unnamed range that window classes keep for their own messages.
constexpr int32_t kFirstUserMessage = 0x400;
constexpr int32_t kLastUserMessage = 0x7FFF;

} // namespace

const TMessageName* MessageNames()
{
    return kMessageNames;
}

int32_t MessageNameCount()
{
    return int32_t(std::size(kMessageNames));
}

std::string GetMessageName(int32_t Msg)
{
    for (const TMessageName& entry : kMessageNames)
        if (entry.Msg == Msg)
            return entry.Name;
    const char* format =
        Msg >= kFirstUserMessage && Msg <= kLastUserMessage ? "wm_User message (%d)" : "Undocumented (%d)";
    char text[40];
    std::snprintf(text, sizeof text, format, int(Msg));
    return text;
}
