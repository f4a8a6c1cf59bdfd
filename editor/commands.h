// The editor's commands on its lists and categories: opening and adding rows
// through the dialog buffer, the record clipboard, the one-step transfers,
// categories made, renamed, fixed and deleted, the search, and the registry
// undo. The window layer supplies rows, selections and confirmations.
#pragma once
#include <string>
#include <vector>

#include "editor/editor.h"
#include "editor/exchange.h"

namespace velkaro {

// Opening a row: copies it into the dialog buffer and clears DialogConfirmed.
// False, with nothing to open, when there is no such row.
bool BeginEditRow(EditorState* s, int list, int row);
// After the dialog: a confirmed buffer replaces the row; in the Stock also the
// store record with its Number, and only in an editable category; in
// "_SEARCH" also the place where the hit was found. Returns whether a list
// changed; a refusal is said in s->Refused.
bool FinishEditRow(EditorState* s, int list, int row);

// Adding: clears the buffer with Valid 1 and DialogConfirmed. False, and no
// dialog is to be shown, for the Stock of a category that is not editable or
// of "_SEARCH" (s->Refused says which).
bool BeginAdd(EditorState* s, int list);
// After the dialog: a confirmed record goes in at the row (the end for -1); in
// the Stock it is also appended to the store, numbered by its place there.
// Returns whether it was added; the list is then to be reset.
bool FinishAdd(EditorState* s, int list, int at);

// The record clipboard. Rows are positions in the list, in row order; rows
// outside the list are ignored. Copy always works; the Stock's cut needs an
// editable category other than "_SEARCH" (else s->Refused says why) and
// renumbers the store so that the records left keep pointing at their store
// records. Paste inserts before the row (appends for
// -1) and in the Stock appends to the store too. Each returns whether the
// list changed (copy: whether the clipboard did).
bool CopyRows(EditorState* s, int list, const std::vector<int>& rows);
bool CutRows(EditorState* s, int list, const std::vector<int>& rows);
bool PasteRows(EditorState* s, int list, int before);

// "Set": the Stock row becomes the first Work row. "AllSet": the Work list
// becomes the shown Stock list when that is not empty.
bool SetToWork(EditorState* s, int stockRow);
bool AllSetToWork(EditorState* s);
// "Fix": the shown order, renumbered, becomes the store (editable category).
bool FixStockOrder(EditorState* s);

// A tap on the fixed check box of a category from index 2 on: an open
// category becomes fixed with its shown order committed as by "Fix"; a fixed
// one opens again. Returns the flag now, or -1 when nothing changed (for the
// reserved pair, with s->Refused saying why).
int TapFixedBox(EditorState* s);

enum CategoryResult { kCategoryDone = 0, kCategoryUnchanged = -1, kCategoryFull = -2 };
// "+": a new, empty category named by the typed text (cut to a record's text,
// tabs and line breaks made blanks) becomes current. Nothing for an empty text, a reserved or existing name;
// kCategoryFull when all hundred exist.
int AddCategoryFromText(EditorState* s, const std::wstring& text);
// "R": the current category takes the typed text as its name; nothing for the
// reserved categories (s->Refused says so), an empty text or a name already
// there.
int RenameCurrentCategory(EditorState* s, const std::wstring& text);
// "Categ.Del" may run: an editable category, and never "_SEARCH".
bool CanDeleteCategory(const EditorState& s);
// The same, saying why not in s->Refused.
bool MayDeleteCategory(EditorState* s);
// Deletes the current category (after the user confirmed); the stores after
// it move down one index. The entry at its place in the box order (or the
// last one) becomes current. False when it may not be deleted.
bool DeleteCurrentCategory(EditorState* s);
// "WorkCopy": a category "_REG_BAK<n>" with the first n (0 to 999) not taken
// holds a renumbered copy of the Work list and becomes current.
int CopyWorkToCategory(EditorState* s);

// Upper case for the search, by code unit: Latin, Greek, Cyrillic and the
// full-width Latin letters, the same on every platform.
std::wstring SearchUpper(const std::wstring& text);
// The search from the category box: runs when the shown list is not empty
// and the text was typed (`textIsEntry` false), is not empty and names
// neither reserved category. Every shown record whose name or memo contains
// the text, whatever its case, goes renumbered into "_SEARCH", which becomes
// current. Returns whether it ran.
bool SearchStock(EditorState* s, const std::wstring& text, bool textIsEntry);

// "RegUndo": with records in "_REG_BAK", that category is shown and written
// back to the registry by the "Write" flow. Returns whether it ran.
bool UndoRegistryWrite(EditorState* s, const Announce& announce);

// After "Open" loaded a file: with two or more categories index 0 becomes 1;
// an index that names no category becomes 0. Shows the result.
void ChooseOpenedCategory(EditorState* s);

}  // namespace velkaro
