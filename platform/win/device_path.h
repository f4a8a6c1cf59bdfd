// Paths as the handheld writes them ("\Program Files\Velkaro\Sitarel.exe")
// have no drive; here they live on the drive the plug-in is installed on.
#pragma once
#include <string>

namespace velkaro {

// A path starting with a single "\" on the drive of the module holding this
// code (velkaro.dll in the item); any other path as it is.
std::wstring DiskPath(const std::wstring& path);

}  // namespace velkaro
