// The page's registry lives in the browser's local storage.
#pragma once

namespace velkaro {

// Replaces the registry by what the storage holds (nothing on a first visit
// or when it cannot be read) and from then on writes it back after every change.
void OpenPageStorage();
// False when the last write back was refused: the settings live only in memory.
bool PageStorageWorks();

}  // namespace velkaro
