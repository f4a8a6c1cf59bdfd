// The editor's whole run-time state and the list operations on it: showing a
// category, sorting, the check mark, dragging and swiping.
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "editor/record.h"

namespace velkaro {

enum EditorList { kWorkList = 0, kStockList = 1 };

enum SortKey { kSortValid = 1, kSortLocation = 2, kSortMargin = 3, kSortMemo = 4, kSortLat = 5, kSortLng = 6 };
constexpr int kSortKeyCount = 7;  // entry 0 is never used

enum LayoutMode { kLayoutNormal = 0, kLayoutWorkWide = 1, kLayoutStockWide = 2 };

enum AltitudeMode { kAltitudeZero = 0, kAltitudeProminence = 1, kAltitudeAltitude = 2 };

// "MenuTime", "Title" and "Clock" of the item, as the "Reg" menu switches them.
struct DisplayFlags {
    int32_t MenuTime = 1;
    int32_t Title = 3;
    int32_t Clock = 6;
};

// A pen gesture in one of the lists.
struct PenGesture {
    bool Active = false;
    int StartX = 0;
    int StartY = 0;
    int Row = -1;       // the drag row; -1 when the gesture started off the rows
    int StartRow = -1;  // the row under the pen when it went down
    bool Tap = false;   // still a tap: the pen has not strayed and nothing moved
    bool Refused = false;  // a drag was refused: the category is read-only
};

// How far the pen may stray, in pixels at scale 1, and still tap.
constexpr int kTapTolerance = 4;

// Why a command changed nothing; the window tells the user.
enum Refusal {
    kRefusedNone = 0,
    kRefusedReadOnly,     // the shown category is "_REG_BAK" or fixed
    kRefusedHitReadOnly,  // a search hit whose category is read-only
    kRefusedHitChanged,   // a search hit whose place changed, moved or went since the search
    kRefusedSearchList,   // adding, cutting or pasting in "_SEARCH"
    kRefusedReserved,     // fixing, renaming or deleting "_REG_BAK" or "_SEARCH"
};

struct EditorState {
    RecordList Work;
    Categories Stock;
    RecordList StockView;  // the current category as shown; keeps each record's Number
    RecordList Clipboard;
    // 0 not sorted since the last reset, then 1 and 2 by turns; by list and key.
    std::array<std::array<int32_t, kSortKeyCount>, 2> SortFlags = {};
    int Layout = kLayoutNormal;
    int Scale = 1;
    std::wstring StockPath;
    int Altitude = kAltitudeProminence;
    DisplayFlags Flags;
    int LastTouched = kStockList;
    PenGesture Pen[2];
    EditorRecord DialogBuffer;
    bool DialogConfirmed = false;
    int Refused = kRefusedNone;  // why the last command changed nothing
    int RefusedCategory = -1;    // the category the refusal names
    // Puts "_REG_BAK" on disk before the first slot is written over; false
    // stops the write. The window layer saves the category file; none: no disk.
    std::function<bool(EditorState*)> KeepBackup;
};

// What to tell the user about s.Refused; empty when nothing was refused.
std::wstring RefusalText(const EditorState& s);

RecordList& ListOf(EditorState* s, int list);
// Notes why a command changed nothing (a Refusal, and the category it names)
// and returns false.
bool Refuse(EditorState* s, int refusal, int category);

// The list's sort flags become 0; the view resets focus and selection itself.
void ResetSortFlags(EditorState* s, int list);

// Makes a category current and shows its store, resetting the Stock flags.
// An index that names no category shows category 0.
void ShowCategory(EditorState* s, int index);
// After a load at start: with three or more categories index 0 becomes 2;
// an index that names no category becomes 0. Shows the result.
void ChooseStartCategory(EditorState* s);

// Stable sort of a list by a key; reads and advances the list's flag. Key 1
// puts checked rows first on the first sort, the others sort ascending first.
void SortRecords(RecordList* list, int key, int32_t* flag);
// Sorting by header or menu. The Stock list sorts only in an editable
// category (else s->Refused says so) and only its view. Returns whether
// anything was sorted.
bool SortList(EditorState* s, int list, int key);
// Header 0 of the Stock list: the view again in store order, flags reset.
// Nothing on the Work list or a category that is not editable.
bool RestoreStockOrder(EditorState* s, int list);
// Flips the check mark of a row (and in the Stock, of its store record; in
// "_SEARCH", of the place it was found). Returns whether it changed; when a
// read-only category refused it, says why in s->Refused.
bool ToggleCheck(EditorState* s, int list, int row);
// A changed search hit (row of the shown "_SEARCH") goes back to the place it
// was found, and into "_SEARCH". False, with s->Refused set, when that place
// is read-only or no longer as found.
bool WriteHitBack(EditorState* s, int row, const EditorRecord& changed);
// Whether a row opens for viewing only: a Stock row of a read-only category,
// or a search hit found in one.
bool RowReadOnly(const EditorState& s, int list, int row);

// Moves one record within a list; false when either row is out of range.
bool MoveRecord(RecordList* list, int from, int to);

// Pen down on a list at a point over a row (-1 for none); makes it the list
// touched last.
void PenDown(EditorState* s, int list, int x, int y, int row);

struct PenStep {
    bool Moved = false;    // a record moved; NewRow is now focused and only selected
    int NewRow = -1;
    bool Swiped = false;   // the Stock switched category
    bool Ended = false;    // the gesture is over
};
// Pen moved to a point over a row (-1 for none) with or without the button.
PenStep PenMove(EditorState* s, int list, int x, int y, int row, bool button);
// Pen up, or a move over the window outside the lists.
void PenEnd(EditorState* s, int list);
// Pen up over the list at a point, over a row and column (-1 for none). Ends
// the gesture; only a tap, down and up on the same row without a drag, in
// column 1 flips that row's check mark. Returns whether it flipped; a drag
// or check mark that a read-only category refused is told in s->Refused.
bool PenUp(EditorState* s, int list, int x, int y, int row, int column);

}  // namespace velkaro
