#include "engine/series.h"

namespace velkaro {

const wchar_t* const kBodyNames[kBodyCount] = {L"Sun",     L"Moon",  L"Mars",   L"Mercury",
                                               L"Jupiter", L"Venus", L"Saturn", L"Uranus",
                                               L"Neptune", L"Pluto"};

}  // namespace velkaro
