// The open-file dialog of both programs: the optional replacement library
// "gsgetfile.dll" (its "gsGetOpenFileName") when it is there, else the
// system's own. Both get the same record.
#pragma once
#include <windows.h>

#include <string>

namespace velkaro {

constexpr DWORD kOpenFilePathChars = 260;  // the record's file buffer, terminator included

// What the dialog starts with.
struct OpenFileStart {
    const wchar_t* Filter = nullptr;  // label and pattern pairs, each ended by a NUL, the list by one more
    std::wstring File;                // the name shown at first; cut to the buffer
    std::wstring Folder;              // the folder shown at first; empty: the dialog's own choice
    DWORD Flags = 0;                  // OFN_ flags
};

// Shows the dialog over owner. The library is looked for at each call and
// freed after it. True, with *chosen set to the file's path, when a file was
// chosen; *chosen is untouched when the dialog was cancelled.
bool ChooseFileToOpen(HWND owner, const OpenFileStart& start, std::wstring* chosen);

}  // namespace velkaro
