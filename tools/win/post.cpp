// Posts an application message to the running item, found through its "HWND"
// value, as the location editor does: `velkaro-post 2` reloads the places,
// `velkaro-post 3` the editor's settings, `velkaro-post 10+a X Y` runs action a
// at (X, Y).
#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/int_text.h"
#include "settings/protocol.h"

using namespace velkaro;

namespace {

// The messages the item answers: the two reloads and one per posted action.
bool ItemAnswers(long long n) {
    const unsigned msg = kAppMessage + static_cast<unsigned>(n);
    return msg == kMsgLocationsChanged || msg == kMsgEditorSettingsChanged || ActionOfMessage(msg) >= 0;
}

int Usage() {
    std::fprintf(stderr,
                 "usage: velkaro-post N [X Y]\n"
                 "  posts WM_APP + N to the item: 2 reloads the places, 3 the editor's settings,\n"
                 "  10 + a (10 to 25) runs action a at the item point X, Y (0 to 65535)\n");
    return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    long long n = 0, x = 0, y = 0;
    if (argc != 2 && argc != 4) return Usage();
    if (!WholeInt(argv[1], 0, 0x3FFF, &n) || !ItemAnswers(n)) return Usage();
    if (argc == 4 && (!WholeInt(argv[2], 0, 0xFFFF, &x) || !WholeInt(argv[3], 0, 0xFFFF, &y))) return Usage();
    const uint64_t handle = ReadWindowHandle(kSettingsKey);
    HWND item = reinterpret_cast<HWND>(static_cast<uintptr_t>(handle));
    if (handle == 0 || !IsWindow(item)) {
        std::fprintf(stderr, "velkaro-post: no running item (the \"HWND\" value names no window)\n");
        return 1;
    }
    if (!PostMessageW(item, kAppMessage + static_cast<unsigned>(n), 0, MAKELPARAM(x, y))) {
        std::fprintf(stderr, "velkaro-post: the message could not be posted\n");
        return 1;
    }
    return 0;
}
