// What the options sheet works on, handed in by the program that opens it.
#pragma once
#include <windows.h>

#include "settings/store.h"

namespace velkaro {

struct OptionsContext {
    HINSTANCE Module = nullptr;      // holds the sheet's templates, strings and menu bars
    SettingsStore* Store = nullptr;  // loaded when the sheet opens, edited by the pages
    int ShownSlot = 0;               // the location page opens on it
    int HiResFactor = 1;
    bool StoreWasReset = false;      // the base page's reset: the sheet then saves nothing
    // Called once the sheet has closed and the store is saved (or reset).
    void (*SettingsChanged)(OptionsContext* context) = nullptr;
};

// The options dialog's messages: on its first one the store is loaded, the
// eighteen-page sheet "VelkaroSetting" runs over it, the store is saved unless
// it was reset, SettingsChanged is called and the dialog ends.
INT_PTR OptionsDialogMessage(OptionsContext* context, HWND dlg, UINT msg, WPARAM wp);

}  // namespace velkaro
