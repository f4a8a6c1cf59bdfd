#include "settings/store.h"

#include <algorithm>
#include <cwchar>
#include <type_traits>

#include "resources/picture_names.h"

namespace velkaro {

const wchar_t kDegreeSign[] = L"\u00B0";

// ------------------------------------------------------------------ sort lists

SortList::SortList(const std::wstring& digits) {
    Entries.fill(-1);
    int n = 0;
    for (wchar_t c : digits) {
        if (n >= 10) break;
        // Anything but a digit would name a body that does not exist.
        if (c < L'0' || c > L'9') continue;
        Entries[n++] = c - L'0';
    }
}

std::wstring SortList::Digits() const {
    std::wstring s;
    for (int i = 0; i < 10 && Entries[i] >= 0; ++i) s.push_back(static_cast<wchar_t>(L'0' + Entries[i]));
    return s;
}

int SortList::Count() const {
    int n = 0;
    while (n < 10 && Entries[n] >= 0) ++n;
    return n;
}

// ------------------------------------------------------------------ defaults

BodyStyle DefaultBodyStyle(int body) {
    static_assert(sizeof kBodyPictures / sizeof kBodyPictures[0] == kBodyCount, "one picture for each body");
    BodyStyle s;
    if (body < 0 || body >= kBodyCount) return s;
    const std::string name = kPictureNames[kBodyPictures[body]];
    s.Icon = std::wstring(L"\\Program Files\\Velkaro\\") + std::wstring(name.begin(), name.end()) + L".png";
    s.Name = kBodyNames[body];
    if (body == kMoon) {
        s.IconMode = 3;
        s.Margintxt = 5;
        s.MarginRStxt = 0;
    }
    if (body == kSaturn) {
        s.MarginTop = -9;
        s.MarginBottom = -9;
    }
    return s;
}

SettingsStore::SettingsStore() : Locations(CityTable()) {
    for (int b = 0; b < kBodyCount; ++b) Bodies[b] = DefaultBodyStyle(b);
}

std::wstring BodyKeyPath(int body) {
    wchar_t buf[8];
    std::swprintf(buf, 8, L"\\%d", body);
    return std::wstring(kSettingsKey) + buf;
}

// ------------------------------------------------------------------ field tables

namespace {

// The stored values in their load and save order.
template <class V>
void VisitGeneral(GeneralSettings& g, V& v) {
    v.Int(L"Start", g.Start);
    v.Int(L"DST", g.DST);
    v.Text(L"DSTMark", g.DSTMark, 260);
    v.Int(L"InfoStart", g.InfoStart);
    v.Int(L"MenuTime", g.MenuTime);
    v.Text(L"Deg", g.Deg, 24);
    v.Int(L"TransToday", g.TransToday);
    v.Byte(L"AlphaToday", g.AlphaToday);
    v.Color(L"CrBack", g.CrBack);
    v.Int(L"MaxMin", g.MaxMin);
    v.Int(L"BaseAngle", g.BaseAngle);
    v.Int(L"MarginTop", g.MarginTop, kPixelRange);
    v.Int(L"MarginBottom", g.MarginBottom, kPixelRange);
    v.Int(L"MarginLeft", g.MarginLeft, kPixelRange);
    v.Int(L"MarginRight", g.MarginRight, kPixelRange);
    v.Int(L"Title", g.Title);
    v.Int(L"Clock", g.Clock);
    v.Int(L"TMarginTop", g.TMarginTop, kPixelRange);
    v.Int(L"TMarginBottom", g.TMarginBottom, kPixelRange);
    v.Int(L"TMarginLeft", g.TMarginLeft, kPixelRange);
    v.Int(L"TMarginRight", g.TMarginRight, kPixelRange);
    v.Text(L"FaceName", g.FaceName, 32);
    v.Int(L"CharSet", g.CharSet);
    v.Int(L"TextSize", g.TextSize, kPixelRange);
    v.Color(L"CrTitle", g.CrTitle);
    v.Color(L"CrClock", g.CrClock);
    v.Color(L"CrTitleBack", g.CrTitleBack);
    v.Int(L"Exec", g.Exec);
    v.Text(L"ExecPath", g.ExecPath, 260);
    v.Byte(L"AlphaEarthShine", g.AlphaEarthShine);
    v.Int(L"Tap", g.Tap);
    v.Color(L"CrScale", g.CrScale);
    v.Int(L"WidthScale", g.WidthScale, kPixelRange);
    v.Int(L"AzimuthS", g.AzimuthS, kAzimuthStartRange);
    v.Int(L"AzimuthE", g.AzimuthE, kAzimuthEndRange);
    v.Int(L"SouthAzimuth", g.SouthAzimuth);
    v.Int(L"EquatorAzimuth", g.EquatorAzimuth);
    v.Int(L"EquatorLat", g.EquatorLat, kEquatorLatRange);
    v.Int(L"EquatorMeter", g.EquatorMeter);
    v.Color(L"CrGradE", g.CrGradE);
    v.Color(L"CrGradD", g.CrGradD);
    v.Color(L"CrGradW", g.CrGradW);
    v.Double(L"PosD", g.PosD);
    v.Sort(L"SortP0", g.SortP0);
    v.Sort(L"SortP1", g.SortP1);
    v.Int(L"AltMode", g.AltMode);
    v.Color(L"CrPlusText", g.CrPlusText);
    v.Color(L"CrPlusBack", g.CrPlusBack);
    v.Int(L"ResetTime", g.ResetTime, kResetTimeRange);
    v.Int(L"TapL", g.TapL);
    v.Int(L"TapM", g.TapM);
    v.Int(L"TapR", g.TapR);
    v.Int(L"HoldL", g.HoldL);
    v.Int(L"HoldM", g.HoldM);
    v.Int(L"HoldR", g.HoldR);
}

template <class V>
void VisitBody(BodyStyle& b, V& v) {
    v.Int(L"IconMode", b.IconMode);
    v.Text(L"Icon", b.Icon, 260);
    v.Color(L"CrText", b.CrText);
    v.Color(L"CrTextR", b.CrTextR);
    v.Color(L"CrTextS", b.CrTextS);
    v.Color(L"CrTextD", b.CrTextD);
    v.Color(L"CrBack", b.CrBack);
    v.Color(L"CrGradE", b.CrGradE);
    v.Color(L"CrGradD", b.CrGradD);
    v.Color(L"CrGradW", b.CrGradW);
    v.Double(L"PosD", b.PosD);
    v.Color(L"CrScale", b.CrScale);
    v.Int(L"WidthScale", b.WidthScale, kPixelRange);
    v.Byte(L"AlphaS", b.AlphaS);
    v.Int(L"Text", b.Text);
    v.Int(L"TextR", b.TextR);
    v.Int(L"TextS", b.TextS);
    v.Int(L"TextD", b.TextD);
    v.Int(L"TextRS", b.TextRS);
    v.Text(L"FaceName", b.FaceName, 32);
    v.Int(L"CharSet", b.CharSet);
    v.Int(L"TextSize", b.TextSize, kPixelRange);
    v.Text(L"FaceNameR", b.FaceNameR, 32);
    v.Int(L"CharSetR", b.CharSetR);
    v.Int(L"TextSizeR", b.TextSizeR, kPixelRange);
    v.Int(L"TextSizeS", b.TextSizeS, kPixelRange);
    v.Int(L"TextSizeD", b.TextSizeD, kPixelRange);
    v.Int(L"SpaceTop", b.SpaceTop, kPixelRange);
    v.Int(L"SpaceBottom", b.SpaceBottom, kPixelRange);
    v.Int(L"Margintxt", b.Margintxt, kPixelRange);
    v.Int(L"MarginRStxt", b.MarginRStxt, kPixelRange);
    v.Int(L"MarginTop", b.MarginTop, kOffsetRange);
    v.Int(L"MarginBottom", b.MarginBottom, kOffsetRange);
    v.Int(L"WidthSL", b.WidthSL, kPixelRange);
    v.Int(L"WidthSR", b.WidthSR, kPixelRange);
    v.Int(L"Spacetxt", b.Spacetxt, kOffsetRange);
    v.Int(L"PosRtxt", b.PosRtxt, kOffsetRange);
    v.Int(L"PosStxt", b.PosStxt, kOffsetRange);
}

struct Loader {
    RegKey key;
    // Body keys: which of the sizes a first start scales were read.
    std::array<bool, 4>* scaledRead = nullptr;
    void Int(const wchar_t* name, int32_t& f) {
        uint32_t v;
        if (RegReadDword(key, name, &v)) f = static_cast<int32_t>(v);
    }
    void Int(const wchar_t* name, int32_t& f, SettingRange r) {
        uint32_t v;
        if (!RegReadDword(key, name, &v)) return;
        f = std::clamp(static_cast<int32_t>(v), r.Lo, r.Hi);
        static const wchar_t* const kScaled[4] = {L"WidthScale", L"Spacetxt", L"PosRtxt", L"PosStxt"};
        for (int i = 0; i < 4 && scaledRead; ++i)
            if (std::wcscmp(name, kScaled[i]) == 0) (*scaledRead)[i] = true;
    }
    void Color(const wchar_t* name, uint32_t& f) {
        uint32_t v;
        if (RegReadDword(key, name, &v)) f = v;
    }
    void Byte(const wchar_t* name, uint8_t& f) {
        uint32_t v;
        if (RegReadDword(key, name, &v)) f = static_cast<uint8_t>(v & 0xFF);
    }
    void Text(const wchar_t* name, std::wstring& f, size_t width) { RegReadText(key, name, &f, width); }
    void Double(const wchar_t* name, double& f) {
        std::wstring t;
        if (RegReadText(key, name, &t, 260)) f = ParseLeadingDouble(t);
    }
    void Sort(const wchar_t* name, SortList& f) {
        std::wstring t;
        if (RegReadText(key, name, &t, 260)) f = SortList(t);
    }
};

struct Saver {
    RegKey key;
    void Int(const wchar_t* name, int32_t& f) { RegWriteDword(key, name, static_cast<uint32_t>(f)); }
    void Int(const wchar_t* name, int32_t& f, SettingRange) { Int(name, f); }
    void Color(const wchar_t* name, uint32_t& f) { RegWriteDword(key, name, f); }
    void Byte(const wchar_t* name, uint8_t& f) { RegWriteDword(key, name, f); }
    void Text(const wchar_t* name, std::wstring& f, size_t width) {
        RegWriteText(key, name, f.substr(0, width - 1));
    }
    void Double(const wchar_t* name, double& f) { RegWriteText(key, name, FormatFixed6(f)); }
    void Sort(const wchar_t* name, SortList& f) { RegWriteText(key, name, f.Digits()); }
};

struct Deleter {
    RegKey key;
    void Del(const wchar_t* name) { RegRemoveValue(key, name); }
    void Int(const wchar_t* name, int32_t&) { Del(name); }
    void Int(const wchar_t* name, int32_t&, SettingRange) { Del(name); }
    void Color(const wchar_t* name, uint32_t&) { Del(name); }
    void Byte(const wchar_t* name, uint8_t&) { Del(name); }
    void Text(const wchar_t* name, std::wstring&, size_t) { Del(name); }
    void Double(const wchar_t* name, double&) { Del(name); }
    void Sort(const wchar_t* name, SortList&) { Del(name); }
};

// What the table says of one field, found by its address in a scratch copy.
struct Finder {
    const void* target = nullptr;
    size_t width = 0;
    bool ranged = false;
    SettingRange range{0, 0};
    void Int(const wchar_t*, int32_t&) {}
    void Int(const wchar_t*, int32_t& f, SettingRange r) { Take(&f, r); }
    void Color(const wchar_t*, uint32_t&) {}
    void Byte(const wchar_t*, uint8_t& f) { Take(&f, kWeightRange); }
    void Text(const wchar_t*, std::wstring& f, size_t w) {
        if (&f == target) width = w;
    }
    void Double(const wchar_t*, double&) {}
    void Sort(const wchar_t*, SortList&) {}
    void Take(const void* f, SettingRange r) {
        if (f != target) return;
        ranged = true;
        range = r;
    }
};

Finder Find(const SettingField& field) {
    Finder finder;
    std::visit(
        [&finder](auto member) {
            using M = decltype(member);
            if constexpr (std::is_member_object_pointer_v<M>) {
                if constexpr (std::is_invocable_v<M, GeneralSettings&>) {
                    GeneralSettings g;
                    finder.target = &(g.*member);
                    VisitGeneral(g, finder);
                } else {
                    BodyStyle b;
                    finder.target = &(b.*member);
                    VisitBody(b, finder);
                }
            }
        },
        field);
    return finder;
}

}  // namespace

size_t StoredWidth(const SettingField& field) {
    if (field == SettingField{&BodyStyle::Name}) return kBodyNameWidth;
    return Find(field).width;
}

bool StoredRange(const SettingField& field, SettingRange* range) {
    const Finder f = Find(field);
    if (f.ranged) *range = f.range;
    return f.ranged;
}

// ------------------------------------------------------------------ operations

bool LoadSettingsStore(SettingsStore* store, StoreLoadReport* report) {
    RegKey key;
    if (!RegOpen(kSettingsKey, &key)) return false;
    Loader general{key};
    VisitGeneral(store->General, general);
    RegClose(key);

    for (int b = 0; b < kBodyCount; ++b) {
        if (!RegOpen(BodyKeyPath(b), &key)) return false;
        std::array<bool, 4> scaled{};
        Loader body{key, &scaled};
        VisitBody(store->Bodies[b], body);
        RegClose(key);
        if (report) {
            report->BodyRead[b] = true;
            report->ScaledRead[b] = scaled;
        }
    }
    return LoadLocationSlots(&store->Locations);
}

bool SaveSettingsStore(const SettingsStore& constStore) {
    // The visitors take non-const references; saving only reads them.
    SettingsStore& store = const_cast<SettingsStore&>(constStore);
    RegKey key;
    if (!RegCreate(kSettingsKey, &key)) return false;
    Saver general{key};
    VisitGeneral(store.General, general);
    RegClose(key);
    for (int b = 0; b < kBodyCount; ++b) {
        if (!RegCreate(BodyKeyPath(b), &key)) return false;
        Saver body{key};
        VisitBody(store.Bodies[b], body);
        RegClose(key);
    }
    return SaveLocationSlots(store.Locations);
}

bool ResetSettingsStore() {
    for (int b = 0; b < kBodyCount; ++b) RegDeleteKeyPath(BodyKeyPath(b));
    for (int s = 0; s < kSlotCount; ++s) RegDeleteKeyPath(SlotKeyPath(s));
    RegKey key;
    if (RegOpen(kSettingsKey, &key)) {
        RegRemoveValue(key, kWindowHandleValue);
        GeneralSettings names;
        Deleter d{key};
        VisitGeneral(names, d);
        RegClose(key);
    }
    return RegDeleteKeyPath(kSettingsKey);
}

bool ReloadEditorSettings(SettingsStore* store) {
    RegKey key;
    if (!RegOpen(kSettingsKey, &key)) return false;
    Loader l{key};
    l.Int(L"MenuTime", store->General.MenuTime);
    l.Int(L"Title", store->General.Title);
    l.Int(L"Clock", store->General.Clock);
    RegClose(key);
    return true;
}

void ResolveDegreeMark(GeneralSettings* general) {
    if (general->Deg == L"0") general->Deg = kDegreeSign;
}

bool LoadOrInitialiseStore(SettingsStore* store, int hiResFactor) {
    const GeneralSettings defaults = store->General;
    StoreLoadReport report;
    const bool loaded = LoadSettingsStore(store, &report);
    if (!loaded) {
        store->General = defaults;
        // The built-in pixel sizes are what is scaled: memory may hold sizes an
        // earlier start of the item already scaled (a reset store keeps them).
        store->General.WidthScale = GeneralSettings().WidthScale * hiResFactor;
        for (int b = 0; b < kBodyCount; ++b) {
            // A value read from an earlier, incomplete store was scaled when it was
            // first written; scaling it again would grow it at every start.
            BodyStyle& s = store->Bodies[b];
            const BodyStyle d = DefaultBodyStyle(b);
            int32_t* scaled[4] = {&s.WidthScale, &s.Spacetxt, &s.PosRtxt, &s.PosStxt};
            const int32_t builtIn[4] = {d.WidthScale, d.Spacetxt, d.PosRtxt, d.PosStxt};
            for (int i = 0; i < 4; ++i)
                if (!report.ScaledRead[b][i]) *scaled[i] = builtIn[i] * hiResFactor;
        }
        store->General.Deg = kDegreeSign;
        SaveSettingsStore(*store);
    }
    ResolveDegreeMark(&store->General);
    return loaded;
}

}  // namespace velkaro
