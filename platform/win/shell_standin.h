// Stand-ins for the handheld shell services the item and its dialogs use:
// tap-and-hold recognition, full-screen dialogs and soft-key menu bars.
#pragma once
#include <windows.h>

// Tap-and-hold.
typedef struct tagSHRGI {
    DWORD cbSize;
    HWND hwndClient;
    POINT ptDown;
    DWORD dwFlags;
} SHRGINFO, *PSHRGINFO;

#define SHRG_RETURNCMD 0x00000001
#define SHRG_NOTIFYPARENT 0x00000002
#define SHRG_LONGDELAY 0x00000008
#define GN_CONTEXTMENU 1000

// Holds the pen about half a second; when it stays put the window gets
// WM_CONTEXTMENU (screen coordinates) and GN_CONTEXTMENU is returned, else 0.
DWORD SHRecognizeGesture(SHRGINFO* info);
// Milliseconds a pen must stay down to count as a hold.
constexpr DWORD kHoldMilliseconds = 500;

// Full-screen dialogs.
typedef struct tagSHINITDLGINFO {
    DWORD dwMask;
    HWND hDlg;
    DWORD dwFlags;
} SHINITDLGINFO, *PSHINITDLGINFO;

#define SHIDIM_FLAGS 0x0001
#define SHIDIF_DONEBUTTON 0x0001
#define SHIDIF_SIZEDLG 0x0002
#define SHIDIF_SIPDOWN 0x0008
#define SHIDIF_FULLSCREENNOMENUBAR 0x0010
#define SHIDIF_EMPTYMENU 0x0020
#define SHIDIF_SIZEDLGFULLSCREEN 0x0004

BOOL SHInitDialog(SHINITDLGINFO* info);

// Soft-key menu bars, shown as an ordinary menu of the owner window.
typedef struct tagSHMENUBARINFO {
    DWORD cbSize;
    HWND hwndParent;
    DWORD dwFlags;
    UINT nToolBarId;
    HINSTANCE hInstRes;
    int nBmpId;
    int cBmpImages;
    HWND hwndMB;
    COLORREF clrBk;
} SHMENUBARINFO, *PSHMENUBARINFO;

#define SHCMBF_EMPTYBAR 0x0001
#define SHCMBF_HIDDEN 0x0002
#define SHCMBF_HIDESIPBUTTON 0x0004
#define SHCMBF_COLORBK 0x0008
#define SHCMBF_HMENU 0x0010

BOOL SHCreateMenuBar(SHMENUBARINFO* info);
HWND SHFindMenuBar(HWND owner);
