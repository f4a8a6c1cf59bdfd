// Sitarel's start: one instance only, the class, the main window and the loop.
#include <windows.h>
#include <commctrl.h>

#include "editor/win/editor_win.h"
#include "settings/protocol.h"

namespace velkaro {

const wchar_t kEditorClass[] = L"SitarelWndClass";
EditorState g_editor;
EditorWindows g_ui;

HWND ReadPeerWindow(const std::wstring& key) {
    const uint64_t handle = ReadWindowHandle(key);
    HWND w = reinterpret_cast<HWND>(static_cast<uintptr_t>(handle));
    return handle != 0 && IsWindow(w) ? w : nullptr;
}

void AnnounceToPeer(const std::wstring& key, unsigned message) {
    HWND peer = ReadPeerWindow(key);
    if (peer) PostMessageW(peer, message, 0, 0);
}

std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring p(path, n < MAX_PATH ? n : 0);
    const size_t slash = p.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : p.substr(0, slash + 1);
}

}  // namespace velkaro

using namespace velkaro;

namespace {

// A running editor comes forward, with whatever dialog it has open.
bool BringRunningEditorForward() {
    HWND running = FindWindowW(kEditorClass, nullptr);
    if (!running) return false;
    if (IsIconic(running)) ShowWindow(running, SW_RESTORE);
    SetForegroundWindow(GetLastActivePopup(running));
    InvalidateRect(running, nullptr, TRUE);  // its paint focuses the list touched last
    return true;
}

bool RegisterEditorClass(HINSTANCE instance) {
    WNDCLASSW wc = {};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = EditorWindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = kEditorClass;
    return RegisterClassW(&wc) != 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    if (BringRunningEditorForward()) return 0;
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    g_ui.Instance = instance;
    RegisterEditorClass(instance);
    HWND main = CreateWindowExW(0, kEditorClass, L"Sitarel", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                instance, nullptr);
    if (!main) {
        MessageBoxW(nullptr, L"Can't get Handle of Main Window.", L"error", MB_OK);
        return 0;
    }
    ReportStartFile();
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
