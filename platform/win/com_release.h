// Releasing a COM interface that may be missing.
#pragma once

namespace velkaro {

// Releases *p when there is one and leaves it null.
template <class T>
void ReleaseCom(T*& p) {
    if (p) p->Release();
    p = nullptr;
}

}  // namespace velkaro
