// The colour chooser dialog (template "ChoseColor").
#pragma once
#include <windows.h>

#include <cstdint>

namespace velkaro {

// Opens the chooser modally with *colour; on OK *colour is the chosen colour
// and the result is true, on cancel *colour is untouched. resources is the
// module holding the dialog template and its menu bar.
bool RunColourChooser(HINSTANCE resources, HWND owner, uint32_t* colour);

}  // namespace velkaro
