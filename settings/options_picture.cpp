#include "settings/options_picture.h"

#include <cwctype>

namespace velkaro {

PictureChooserStart PictureChooserStartFor(const std::wstring& diskPath) {
    PictureChooserStart s;
    const size_t slash = diskPath.find_last_of(L"\\/");
    if (slash == std::wstring::npos) {
        s.File = diskPath;
        return s;
    }
    // "C:\x.png" opens in "C:\", not in the drive's current folder.
    s.Folder = diskPath.substr(0, slash == 0 || (slash == 2 && diskPath[1] == L':') ? slash + 1 : slash);
    s.File = diskPath.substr(slash + 1);
    return s;
}

std::wstring PicturePathAfterChoice(const std::wstring& shown, const std::wstring& shownOnDisk,
                                    const std::wstring& chosen) {
    // File names on the device and here are compared without case.
    bool same = shownOnDisk.size() == chosen.size();
    for (size_t i = 0; same && i < chosen.size(); ++i) {
        const wchar_t a = shownOnDisk[i] == L'/' ? L'\\' : shownOnDisk[i];
        const wchar_t b = chosen[i] == L'/' ? L'\\' : chosen[i];
        same = std::towlower(static_cast<wint_t>(a)) == std::towlower(static_cast<wint_t>(b));
    }
    return same ? shown : chosen;
}

}  // namespace velkaro
