// The editor's side of the registry: the twenty slots, the write with its
// backup in "_REG_BAK", the item's display flags, the height that goes into a
// slot, and the one place handed to Dayrune.
#pragma once
#include <functional>
#include <string>

#include "editor/editor.h"

namespace velkaro {

// Tells the program whose "HWND" is under `key` that its data changed: posts
// `message` to it when that names a live window. The window layer supplies it;
// tests record the calls.
using Announce = std::function<void(const std::wstring& key, unsigned message)>;

// Fills the list from the slots: one record per existing slot key, whatever
// its "Valid", numbered by slot; missing slot keys are created empty. False,
// with the list unchanged, when the settings key is missing.
bool ReadRegistrySlots(RecordList* work);
// Writes the first twenty records into slots 0 on, the height chosen by the
// altitude mode; the slots after them keep only "Valid" = 0.
void WriteRegistrySlots(const RecordList& work, int altitudeMode);

// The "Write" flow: the registry's present slots go to "_REG_BAK", which
// the state's KeepBackup puts on disk, the Work list is written and announced.
// With `exitAfter` it stops there and returns true (the program is to end);
// otherwise the "_REG_BAK" view is refreshed when shown, the Work list is read
// back and its flags reset, and it returns false. When KeepBackup refuses,
// nothing is written, "_REG_BAK" is as it was, and it returns false.
bool WriteWorkWithBackup(EditorState* s, bool exitAfter, const Announce& announce);
// The apply button: the Work list becomes the shown Stock list and is written
// with exit. False (nothing done) when the Stock list is empty.
bool ApplyStockView(EditorState* s, const Announce& announce);
// After a write whose exit did not happen (the category file could not be
// saved and the user stays): the Work list shows what the slots now hold,
// its flags reset, and a shown "_REG_BAK" its new contents.
void ShowWrittenSlots(EditorState* s);

// Places whose "Valid" is set among the records that the slots take.
int ValidInSlots(const RecordList& records);
// What to ask before the records are written into the slots: that the rows
// after the twentieth are not written, and, with `askFewer`, that the slots
// would hold fewer valid places than they do now (read from the registry),
// which "_REG_BAK" keeps. Empty when there is nothing to ask.
std::wstring SlotWriteQuestion(const RecordList& toWrite, bool askFewer);

// Which bit of which flag a "Reg" entry shows.
enum DisplayEntry { kRegMenuTime, kRegLocation, kRegLatLng, kRegAltitude, kRegUtc, kRegLocalTime, kRegMargin };
constexpr int kDisplayEntryCount = 7;
bool DisplayEntryChecked(const DisplayFlags& f, int entry);
// Reads the three flags, each only when present; defaults stay otherwise.
void LoadDisplayFlags(DisplayFlags* f);
// Writes "MenuTime", "Title", "Clock"; false when the key cannot be made.
bool SaveDisplayFlags(const DisplayFlags& f);
// Flips an entry's bit ("UTC" and "LocalTime" switch each other off), saves
// the flags and announces them to the item.
void ToggleDisplayFlag(DisplayFlags* f, int entry, const Announce& announce);

// The height a slot receives under an altitude mode.
int32_t SlotAltitude(const EditorRecord& r, int altitudeMode);
void SetAltitudeMode(EditorState* s, int mode);

enum DayruneResult { kDayruneNotWritten = -1, kDayruneNotInstalled = 0, kDayruneWritten = 1 };
// After the user confirmed: writes "Lat", "Lng" and "Altitude" into Dayrune's
// key when it exists (it is never created) and announces the change either
// way. Returns a DayruneResult: written, not installed (no key), or the key
// is there but could not be written.
int SendToDayrune(const EditorRecord& r, const Announce& announce);
// What the user is told when the place did not reach Dayrune; empty when it did.
std::wstring DayruneResultText(int result);

}  // namespace velkaro
