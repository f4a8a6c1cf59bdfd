// What the editor's window procedures share: the one state block, the window
// handles and the helpers that bring the list views up to date.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "editor/editor.h"
#include "editor/exchange.h"
#include "editor/rule_zones.h"

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
    int StartFile = 0;          // how the file read at start (StockFileResult); told once the window is up
    int RefusedSections = 0;    // sections of the file read at start that made no category
    // The file at the Stock path is there but was not read: it is never
    // written over; the places go to another file only when the user says so.
    bool StockKept = false;
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
std::vector<int> SelectedRows(int list);  // in row order
void SelectAllRows(int list);
void SelectRow(int list, int row);  // the focused and only selected row, scrolled into view
void ClearSelection(int list);      // item count set again, no row selected
LRESULT ListNotify(NMHDR* hdr);

// Category controls.
void FillCategoryBox();
void ShowCurrentCategory();  // box selection, fixed check and the Stock list reset
void SelectCurrentName();    // the current category's entry selected in the box
std::wstring CategoryBoxText();  // what the box's edit field holds, up to 1023 characters
void TapFixed();
void TapAddCategory();
void TapRename();
// Enter in the box's edit field; true when the search ran and the key is used.
bool SearchFromBox();
void TakeOverBoxEdit();
void ReleaseBoxEdit();

// Asks with a string, caption "Warning", OK and Cancel with Cancel the default.
bool ConfirmWarning(unsigned stringId);
bool ConfirmWarningText(const std::wstring& text);
// Says why the last command changed nothing, when it was refused.
void TellRefusal();

// Commands on rows.
void OpenRow(int list);  // the focused row in the location dialog
void AddRow(int list);
void CopySelected(int list);
void CutSelected(int list);
void Paste(int list);
void SetFocusedToWork();
void AllSet();
void FixOrder();
void DeleteCategory();  // asks first
void UndoWrite();
void CopyWorkToNewCategory();
void SelectAll(int list);

// The category file.
// "Can't open '%s'" over the window.
void ReportOpenFailure(const std::wstring& path);
// "'%s' is not a category file." over the window.
void ReportNotCategories(const std::wstring& path);
// Tells once after a load that sections past the hundredth made no category.
void ReportRefusedSections(const std::wstring& path, int refused);
// The Stock holds something a file keeps: a category besides the reserved
// pair, or places in "_REG_BAK".
bool StockHoldsPlaces();
// Saves to the current path; shows "Can't create %s .(%d)" when it fails.
bool SaveStockWithReport();
// The platform's save dialog for a category file; false when cancelled.
bool PickSaveFile(HWND owner, std::wstring* path);
void OpenStockFile(HWND owner);

// Menus.
void ShowSoftKeyMenu(int command);
void MarkAltitudeMode();
void MarkDisplayFlags();
// True when the command was one of the menus'.
bool RunMenuCommand(int command);

// Tells the user when the category file could not be read at start; shown
// over the visible window rather than during its creation.
void ReportStartFile();

// Dialogs. Both work on g_editor.DialogBuffer; the location dialog sets
// g_editor.DialogConfirmed when it ends with OK. The rule dialog returns the
// zone chosen in its "Zone" list when it ended with OK, else no choice.
// A read-only dialog shows the place and changes nothing.
void RunLocationDialog(HWND owner, bool readOnly);
ZoneChoice RunRuleDialog(HWND owner);
// One dialog of the editor, by what sets it apart. The one procedure they
// share shows it full-screen with the Done button and the "OK"/"CANCEL" soft
// keys, and ends it on Done, "OK", "CANCEL", Escape or the close box.
struct EditorDialog {
    void* Run = nullptr;                                   // the dialog's own state, handed to each part
    void (*Init)(HWND dlg, void* run) = nullptr;           // fills the controls
    void (*Confirm)(HWND dlg, void* run) = nullptr;        // takes the controls on Done or "OK", before the end
    bool (*Command)(HWND dlg, void* run, int id, int code) = nullptr;  // any other command; true when taken
};
// Runs the dialog templateId of the editor's resources at the editor's scale
// factor. Returns the command that ended it, -1 when it could not be shown.
INT_PTR RunEditorDialog(int templateId, HWND owner, const EditorDialog& dialog);
// The Run of a dialog that RunEditorDialog shows; null before it is set up.
void* EditorDialogRun(HWND dlg);
// 1 for a command that confirms (Done, "OK"), -1 for one that cancels, else 0.
int DialogCloseKind(int command);
// The whole text of a dialog's control.
std::wstring DialogText(HWND dlg, int id);

// Saves the category file and ends the program; when the save fails the
// program stays open with its data (a second failure asks whether to end).
void RequestExit();
// Saves as the exit does, without ending; true when the program may end.
// When the session ends a failed save asks at once whether to end anyway.
bool SaveForExit(bool endingSession);

}  // namespace velkaro
