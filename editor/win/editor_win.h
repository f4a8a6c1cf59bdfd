// What the editor's window procedures share: the one state block, the window
// handles and the helpers that bring the list views up to date.
#pragma once
#include <windows.h>

#include <string>

#include "editor/editor.h"
#include "editor/exchange.h"

namespace velkaro {

extern const wchar_t kEditorClass[];  // "SitarelWndClass"

struct EditorWindows {
    HINSTANCE Instance = nullptr;
    HWND Main = nullptr;
    HWND Lists[2] = {};  // by EditorList
    HWND Apply = nullptr, Fixed = nullptr, Box = nullptr, AddCategory = nullptr, Rename = nullptr;
    HWND BoxEdit = nullptr;
    HBRUSH Orange = nullptr, Green = nullptr, Yellow = nullptr;
    HFONT Font = nullptr;
    HMENU Menus = nullptr;  // popup 0 Work, popup 1 Stock
    WNDPROC ListProcs[2] = {};
    int Width = 0, Height = 0;  // W and H of the layout
    int SaveFailures = 0;       // failed saves at exit so far
    bool Saved = false;         // the file was written for this exit
    bool StartFileMissing = false;  // told once the window is up
};

extern EditorState g_editor;
extern EditorWindows g_ui;

LRESULT CALLBACK EditorWindowProc(HWND w, UINT msg, WPARAM wp, LPARAM lp);

// The window named by "HWND" under a key, when it still exists; else null.
HWND ReadPeerWindow(const std::wstring& key);
// Posts a message to that window; the Announce the portable flows call.
void AnnounceToPeer(const std::wstring& key, unsigned message);

// Folder of the program, with its trailing backslash.
std::wstring ProgramFolder();

// List views.
void CreateListViews(HWND main);
void SetUpListViews();
void ReleaseListViews();
void RefreshList(int list);  // item count set again and redrawn
void ResetList(int list);    // also focus on row 0 and nothing selected
void ResizeColumns();
int FocusedRow(int list);
LRESULT ListNotify(NMHDR* hdr);

// Category controls.
void FillCategoryBox();
void ShowCurrentCategory();  // box selection, fixed check and the Stock list reset

// Menus.
void ShowSoftKeyMenu(int command);
void MarkAltitudeMode();
void MarkDisplayFlags();
// True when the command was one of the menus'.
bool RunMenuCommand(int command);

// Tells the user when the category file could not be read at start; shown
// over the visible window rather than during its creation.
void ReportStartFile();

// Saves the category file and ends the program; when the save fails the
// program stays open with its data (a second failure asks whether to end).
void RequestExit();

}  // namespace velkaro
