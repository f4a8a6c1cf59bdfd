// The body page's picture chooser: where it opens and which path it gives
// back to the page.
#pragma once
#include <string>

namespace velkaro {

struct PictureChooserStart {
    std::wstring Folder;  // empty when the path names none
    std::wstring File;    // the name alone, for the chooser's file field
};

// Splits a picture path (already on the drive the item reads it from) into
// its folder and its name; "\" and "/" both end a folder.
PictureChooserStart PictureChooserStartFor(const std::wstring& diskPath);

// The path the page shows after `chosen` was picked: the page's own text
// when that names the same file as `chosen` (so that a device path such as
// "\Program Files\Velkaro\velkaro_sun.png" stays in that form), else chosen.
// shownOnDisk is the page's text as the item reads it.
std::wstring PicturePathAfterChoice(const std::wstring& shown, const std::wstring& shownOnDisk,
                                    const std::wstring& chosen);

}  // namespace velkaro
