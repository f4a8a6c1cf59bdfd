// Sitarel started as its own process for the tests of its lists and dialogs:
// its category file and slots set up first, its list views read from outside,
// and the pen driven through the system's own input queue.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/sitarel_ids.h"
#include "settings/protocol.h"
#include "tests/win32/test_support.h"

namespace sitarel_ui {

inline std::string ReadAll(const std::wstring& path) {
    HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return "<missing>";
    std::string out(1 << 20, '\0');
    DWORD got = 0;
    ReadFile(f, &out[0], static_cast<DWORD>(out.size()), &got, nullptr);
    CloseHandle(f);
    out.resize(got);
    return out;
}

inline void WriteBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD wrote = 0;
    WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &wrote, nullptr);
    CloseHandle(f);
}

inline std::wstring SlotKey(int slot) {
    wchar_t key[64];
    swprintf(key, 64, L"%ls\\Pos%02d", velkaro::kSettingsKey + 1, slot);
    return key;
}

// A slot holding a named place, valid or not.
inline void PutSlot(int slot, const wchar_t* name, DWORD valid) {
    HKEY k;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, SlotKey(slot).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k,
                        nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExW(k, L"Location", 0, REG_SZ, reinterpret_cast<const BYTE*>(name),
                   static_cast<DWORD>((wcslen(name) + 1) * sizeof(wchar_t)));
    RegSetValueExW(k, L"Valid", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&valid), 4);
    RegCloseKey(k);
}

inline std::wstring SlotName(int slot) {
    wchar_t buf[300] = {};
    DWORD size = sizeof buf;
    if (RegGetValueW(HKEY_CURRENT_USER, SlotKey(slot).c_str(), L"Location", RRF_RT_REG_SZ, nullptr, buf, &size) !=
        ERROR_SUCCESS)
        return L"<none>";
    return buf;
}

inline DWORD SlotValid(int slot) {
    DWORD v = 0xFFFFFFFF, size = sizeof v;
    RegGetValueW(HKEY_CURRENT_USER, SlotKey(slot).c_str(), L"Valid", RRF_RT_REG_DWORD, nullptr, &v, &size);
    return v;
}

// A window of the caption once it is shown (dialogs and message boxes), or null.
inline HWND WaitForDialog(const wchar_t* caption, int ms = 5000) {
    HWND d = nullptr;
    WaitUntil([&] {
        d = FindWindowW(L"#32770", caption);
        return d && IsWindowVisible(d);
    }, static_cast<DWORD>(ms));
    return d && IsWindowVisible(d) ? d : nullptr;
}

inline bool WaitGone(HWND w) {
    return WaitUntil([&] { return !IsWindow(w); }, 5000);
}

// The text of a message box (its static text) or of a dialog's control.
inline std::wstring Text(HWND dlg, int id = 0xFFFF) {
    wchar_t text[1000] = {};
    GetDlgItemTextW(dlg, id, text, 1000);
    return text;
}

// Waits for a message box with the caption, answers it with the button and
// returns its text; empty when none came.
inline std::wstring Answer(const wchar_t* caption, int button, int ms = 5000) {
    HWND box = WaitForDialog(caption, ms);
    if (!box) return std::wstring();
    const std::wstring text = Text(box);
    PostMessageW(box, WM_COMMAND, static_cast<WPARAM>(button), 0);
    WaitGone(box);
    return text;
}

class Editor : public ::testing::Test {
protected:
    std::wstring dir;
    PROCESS_INFORMATION process = {};
    HWND window = nullptr;

    void SetUp() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, velkaro::kSettingsKey + 1);
        wchar_t tmp[MAX_PATH];
        GetTempPathW(MAX_PATH, tmp);
        dir = std::wstring(tmp) + L"sitarel_ui_" + std::to_wstring(GetCurrentProcessId()) + L"\\";
        CreateDirectoryW(dir.c_str(), nullptr);
        ASSERT_TRUE(CopyFileW((ExeDir() + L"Sitarel.exe").c_str(), (dir + L"Sitarel.exe").c_str(), FALSE));
    }

    void TearDown() override {
        if (process.hProcess) {
            if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process.hProcess, 1);
            CloseHandle(process.hThread);
            CloseHandle(process.hProcess);
        }
        DeleteFileW((dir + L"Sitarel.exe").c_str());
        DeleteFileW((dir + L"Sitarel.ini").c_str());
        RemoveDirectoryW((dir + L"Sitarel.ini.new").c_str());
        RemoveDirectoryW(dir.c_str());
        RegDeleteTreeW(HKEY_CURRENT_USER, velkaro::kSettingsKey + 1);
    }

    // Starts the editor on a category file and waits for its window.
    bool Start(const std::string& ini) {
        WriteBytes(dir + L"Sitarel.ini", ini);
        std::wstring cmd = L"\"" + dir + L"Sitarel.exe\"";
        STARTUPINFOW si = {sizeof si};
        if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si, &process))
            return false;
        WaitUntil([&] {
            HWND w = FindWindowW(L"SitarelWndClass", nullptr);
            if (w && IsWindowVisible(w)) window = w;
            return window != nullptr;
        });
        if (window) Settle(window);
        return window != nullptr;
    }

    // Runs a menu or button command that opens no box; returns once it has run.
    void Command(int id) {
        HWND from = id < 100 ? GetDlgItem(window, id) : nullptr;
        DWORD_PTR result = 0;
        SendMessageTimeoutW(window, WM_COMMAND, MAKEWPARAM(id, from ? BN_CLICKED : 0), reinterpret_cast<LPARAM>(from),
                            SMTO_NORMAL, 15000, &result);
    }

    // Exit from the Work menu; true when the program ended with 0.
    bool Exit() {
        PostMessageW(window, WM_COMMAND, IDM_WORK_EXIT, 0);
        return WaitForExit(process.hProcess) == 0;
    }

    bool Ended(int ms = 15000) { return WaitForExit(process.hProcess, static_cast<DWORD>(ms)) != -1; }

    HWND List(int id) { return GetDlgItem(window, id); }

    int RowCount(int id) { return static_cast<int>(SendMessageW(List(id), LVM_GETITEMCOUNT, 0, 0)); }

    // A message to the editor's list view whose argument lives in the
    // editor's memory: `size` bytes go there from `in` and come back to `out`.
    LRESULT Remote(HWND list, UINT msg, WPARAM wp, const void* in, void* out, size_t size) {
        void* there = VirtualAllocEx(process.hProcess, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
        if (!there) return -1;
        SIZE_T moved = 0;
        WriteProcessMemory(process.hProcess, there, in, size, &moved);
        const LRESULT r = SendMessageW(list, msg, wp, reinterpret_cast<LPARAM>(there));
        ReadProcessMemory(process.hProcess, there, out, size, &moved);
        VirtualFreeEx(process.hProcess, there, 0, MEM_RELEASE);
        return r;
    }

    // The text a row shows in a column.
    std::wstring RowText(int id, int row, int column) {
        struct Block {
            LVITEMW item;
            wchar_t text[300];
        } b = {};
        b.item.iSubItem = column;
        b.item.cchTextMax = 300;
        // The text pointer must point into the editor's block: find it first.
        void* there = VirtualAllocEx(process.hProcess, nullptr, sizeof b, MEM_COMMIT, PAGE_READWRITE);
        if (!there) return L"<no memory>";
        b.item.pszText = reinterpret_cast<Block*>(there)->text;
        SIZE_T moved = 0;
        WriteProcessMemory(process.hProcess, there, &b, sizeof b, &moved);
        SendMessageW(List(id), LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(there));
        ReadProcessMemory(process.hProcess, there, &b, sizeof b, &moved);
        VirtualFreeEx(process.hProcess, there, 0, MEM_RELEASE);
        b.text[299] = 0;
        return b.text;
    }

    // Column texts of every row, rows joined by "|", e.g. "x Kathmandu|x Delhi".
    std::wstring Rows(int id) {
        std::wstring out;
        for (int row = 0; row < RowCount(id); ++row) {
            if (row) out += L"|";
            const std::wstring x = RowText(id, row, 1);
            out += (x.empty() ? L"-" : x) + L" " + RowText(id, row, 2);
        }
        return out;
    }

    // The middle of a row's cell in a column, in screen coordinates.
    POINT CellPoint(int id, int row, int column) {
        RECT r = {};
        r.top = column;
        r.left = LVIR_BOUNDS;
        Remote(List(id), LVM_GETSUBITEMRECT, row, &r, &r, sizeof r);
        if (column == 0) r.right = r.left + static_cast<LONG>(SendMessageW(List(id), LVM_GETCOLUMNWIDTH, 0, 0));
        POINT p = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ClientToScreen(List(id), &p);
        return p;
    }
};

// The pen through the system's input queue, as a user's mouse: down at the
// first point, moved through the others in small steps, up at the last.
inline void PenGesture(const std::vector<POINT>& points) {
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    auto send = [&](POINT p, DWORD flags) {
        INPUT in = {};
        in.type = INPUT_MOUSE;
        in.mi.dx = MulDiv(p.x, 65535, cx - 1);
        in.mi.dy = MulDiv(p.y, 65535, cy - 1);
        in.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
        SendInput(1, &in, sizeof in);
        Pace(25);
    };
    send(points.front(), 0);
    Pace(100);
    send(points.front(), MOUSEEVENTF_LEFTDOWN);
    for (size_t i = 1; i < points.size(); ++i) {
        const POINT a = points[i - 1], b = points[i];
        for (int step = 1; step <= 8; ++step)
            send({a.x + (b.x - a.x) * step / 8, a.y + (b.y - a.y) * step / 8}, 0);
    }
    send(points.back(), MOUSEEVENTF_LEFTUP);
    Pace(300);  // input has no message to wait for: the editor's list takes it meanwhile
}

}  // namespace sitarel_ui
