#include "today/web/page.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>

#include "editor/commands.h"
#include "editor/stock_file.h"
#include "engine/calendar.h"
#include "today/now.h"
#include "platform/codepage.h"
#include "platform/int_text.h"
#include "settings/location.h"
#include "settings/store.h"
#include "today/formats.h"
#include "today/web/page_text.h"

namespace velkaro {
namespace {

// A JSON text written field by field; commas are placed by the writer.
class Json {
public:
    Json& Open(char c) { Sep(); out_.push_back(c); first_ = true; return *this; }
    Json& Close(char c) { out_.push_back(c); first_ = false; return *this; }
    Json& Key(const char* k) { Sep(); Quote(k); out_.push_back(':'); first_ = true; return *this; }
    Json& Str(const std::string& s) { Sep(); Quote(s); return *this; }
    Json& Str(const std::wstring& s) { return Str(ToUtf8(s)); }
    Json& Int(long long v) { Sep(); out_ += std::to_string(v); return *this; }
    Json& Num(double v, int decimals) {
        Sep();
        out_ += ToUtf8(FormatFixed(v, decimals));
        return *this;
    }
    Json& Bool(bool v) { Sep(); out_ += v ? "true" : "false"; return *this; }
    std::string Take() { return std::move(out_); }

private:
    void Sep() {
        if (!first_) out_.push_back(',');
        first_ = false;
    }
    void Quote(const std::string& s) {
        out_.push_back('"');
        for (unsigned char c : s) {
            if (c == '"' || c == '\\') {
                out_.push_back('\\');
                out_.push_back(static_cast<char>(c));
            } else if (c < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                out_ += buf;
            } else {
                out_.push_back(static_cast<char>(c));
            }
        }
        out_.push_back('"');
    }
    std::string out_;
    bool first_ = true;
};

std::string Colour(uint32_t colorref) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%06x", PixelFromColorref(colorref) & 0xFFFFFFu);
    return buf;
}

std::string DateText(const DateTime& t) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", t.wYear, t.wMonth, t.wDay);
    return buf;
}

std::string ClockText(const DateTime& t) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02d:%02d", t.wHour, t.wMinute);
    return buf;
}

void MakeSurfaces(Page* page, int width) {
    ItemState& s = page->item.State;
    s.SurfaceWidth = std::max(s.SurfaceWidth, width);
    const int height = std::max(s.SurfaceHeight, 1);
    if (page->Composition.Width == s.SurfaceWidth && page->Composition.Height == height) return;
    page->Background = PixelStore(s.SurfaceWidth, height, kPageBackground);
    page->Composition = PixelStore(s.SurfaceWidth, height, kPageBackground);
}

// The settings block changed: save it and take up what it starts with.
void Saved(Page* page) {
    SaveSettingsStore(page->item.Store);
    ComputeItemHeight(&page->item);
}

void WriteEvent(Json* j, const char* name, const EventRecord& r) {
    j->Key(name).Open('{');
    j->Key("valid").Bool(r.Valid != 0);
    if (r.Valid) {
        j->Key("date").Str(DateText(r.Time)).Key("time").Str(ClockText(r.Time));
        j->Key("stamp").Int(r.MinuteStamp);
        j->Key("azimuth").Num(r.Azi, 1).Key("altitude").Num(r.Alt, 1);
    }
    j->Close('}');
}

// Every fact a row shows, as words for screen readers, and the times alone.
void WriteRowFacts(Json* j, const Item& item, int body) {
    const GeneralSettings& g = item.Store.General;
    const LocationRecord& place = item.Place();
    const ItemState& st = item.State;
    const BodyEvents& e = st.Events[body];
    const std::wstring deg = DegreeMark(g);
    const std::wstring& name = item.Store.Bodies[body].Name;

    std::wstring text = name;
    if (body == kMoon) text += FormatText(L", %.1f days after new moon", st.MoonAge);
    const ComingEvent next = SelectComingEvent(e);
    std::wstring nextTime;
    if (next.Event) {
        nextTime = FormatEventTime(next.Event->Time, g, place, st.Clock);
        text += (next.IsRise ? L", rises at " : L", sets at ") + nextTime;
        text += L" " + FormatRemaining(st.DisplayTime, next.Event->Time, g.MaxMin);
    } else if (st.AllDay[body] != 0) {
        text += std::wstring(L", ") + (st.AllDay[body] > 0 ? kUpAllDay : kDownAllDay);
    }
    auto time = [&](const EventRecord& r) {
        return r.Valid ? FormatEventTime(r.Time, g, place, st.Clock) : std::wstring();
    };
    const std::wstring rise = time(e.Rise), culmination = time(e.Culmination), set = time(e.Set);
    if (!rise.empty()) text += L"; rise " + rise + L" toward " + FormatAzimuth(e.Rise.Azi, g.BaseAngle, place.Lat, deg);
    if (!culmination.empty())
        text += L"; highest " + culmination + L" at " + FormatAltitude(e.Culmination.Alt, deg, false);
    if (!set.empty()) text += L"; set " + set + L" toward " + FormatAzimuth(e.Set.Azi, g.BaseAngle, place.Lat, deg);
    text += L"; now toward " + FormatAzimuth(e.Now.Azi, g.BaseAngle, place.Lat, deg) + L", altitude " +
            FormatAltitude(e.Now.Alt, deg, false);

    j->Open('{');
    j->Key("body").Int(body).Key("name").Str(name).Key("text").Str(text);
    j->Key("next").Str(next.Event ? (next.IsRise ? "rise" : "set") : "").Key("nextTime").Str(nextTime);
    j->Key("rise").Str(rise).Key("culmination").Str(culmination).Key("set").Str(set);
    j->Key("events").Open('{');
    WriteEvent(j, "Now", e.Now);
    WriteEvent(j, "PrevSet", e.PrevSet);
    WriteEvent(j, "Rise", e.Rise);
    WriteEvent(j, "Culmination", e.Culmination);
    WriteEvent(j, "Set", e.Set);
    WriteEvent(j, "NextRise", e.NextRise);
    j->Close('}');
    j->Close('}');
}

void WritePlace(Json* j, const LocationRecord& r) {
    j->Open('{');
    j->Key("valid").Bool(r.Valid != 0).Key("name").Str(r.Location);
    j->Key("lat").Num(r.Lat, 2).Key("lng").Num(r.Lng, 2).Key("height").Int(r.Altitude);
    j->Key("utc").Str(FormatUtcOffset(r.UtcMargin)).Key("dst").Str(r.ExistDST ? r.DST : L"");
    j->Close('}');
}

}  // namespace

void StartPage(Page* page, int screenWidth, int screenHeight, int width) {
    page->ScreenWidth = screenWidth;
    page->ScreenHeight = screenHeight;
    StartItem(&page->item, screenWidth, screenHeight, width);
    page->Composition = PixelStore();
    MakeSurfaces(page, width);
}

std::string PaintPage(Page* page, int width) {
    Item& item = page->item;
    ItemState& s = item.State;
    RecomputeEvents(&item);
    s.ItemWidth = std::max(width, 1);
    ComputeItemHeight(&item);
    MakeSurfaces(page, s.ItemWidth);

    const std::vector<TextDraw> texts = ComposeItem(item, page->Background.View(), page->Composition.View());
    const PixelBuffer comp = page->Composition.View();
    const int w = std::min(s.ItemWidth, comp.Width), h = std::min(s.ItemHeight, comp.Height);
    page->Rgba.resize(static_cast<size_t>(w) * h * 4);
    uint8_t* out = page->Rgba.data();
    for (int y = 0; y < h; ++y) {
        const uint32_t* row = comp.Row(y);
        for (int x = 0; x < w; ++x) {
            const uint32_t p = row[x];
            *out++ = static_cast<uint8_t>(p >> 16);
            *out++ = static_cast<uint8_t>(p >> 8);
            *out++ = static_cast<uint8_t>(p);
            *out++ = 255;
        }
    }

    Json j;
    j.Open('{');
    j.Key("width").Int(w).Key("height").Int(h);
    j.Key("texts").Open('[');
    for (const TextDraw& t : texts) {
        j.Open('{');
        j.Key("x").Int(t.X).Key("y").Int(t.Y).Key("w").Int(t.Width).Key("h").Int(t.Height);
        j.Key("text").Str(t.Text).Key("color").Str(Colour(t.Color));
        j.Key("face").Str(t.Font.FaceName).Key("size").Int(t.Font.Height > 0 ? t.Font.Height : kNativeDefaultTextHeight);
        if (t.Fill && !t.FillArea.Empty()) {
            j.Key("fill").Open('[');
            j.Int(t.FillArea.x0).Int(t.FillArea.y0).Int(t.FillArea.x1).Int(t.FillArea.y1).Str(Colour(t.FillColor));
            j.Close(']');
        }
        j.Close('}');
    }
    j.Close(']');
    // The title band's words, for the page's heading.
    std::vector<TextDraw> title;
    LayoutTitleBand(item, &title);
    j.Key("title").Open('[');
    for (const TextDraw& t : title) j.Str(t.Text);
    j.Close(']');
    j.Key("place").Open('{');
    j.Key("slot").Int(s.PosIndex).Key("name").Str(item.Place().Location);
    j.Close('}');
    j.Key("shifted").Bool(s.ShiftActive()).Key("date").Str(DateText(s.DisplayTime));
    j.Key("time").Str(ClockText(s.DisplayTime)).Key("azimuthMode").Int(s.AzimuthMode);
    j.Key("rows").Open('[');
    const auto& list = item.Listed();
    for (int i = 0; i < 10 && list.Entries[i] >= 0; ++i)
        if (list.Entries[i] < kBodyCount) WriteRowFacts(&j, item, list.Entries[i]);
    j.Close(']');
    j.Close('}');
    return j.Take();
}

int EncodeAction(const ActionResult& r) { return (r.Redraw ? 1 : 0) | (static_cast<int>(r.Request) << 1); }

int RunCommand(Page* page, int command) {
    HandleItemCommand(&page->item, command);
    ActionResult r;
    const int action = TimeMenuAction(command);
    if (action >= 0) r.Request = RunItemAction(&page->item, action).Request;
    r.Redraw = true;
    return EncodeAction(r);
}

std::string MenuEntries(const Page& page, const std::string& which) {
    Json j;
    j.Open('[');
    if (which == "place") {
        const Item& item = page.item;
        for (const MenuEntry& e : BuildLocationMenu(item.Store.Locations, item.State.PosIndex,
                                                    item.Store.General.MenuTime != 0,
                                                    item.Store.General.DST != 0, ReadClock())) {
            j.Open('{').Key("command").Int(e.Command).Key("label").Str(e.Text).Key("checked").Bool(e.Checked);
            j.Close('}');
        }
    } else if (which == "time") {
        for (const PageMenuItem& m : TimeMenuItems()) {
            j.Open('{').Key("command").Int(m.Command).Key("label").Str(m.Label);
            j.Close('}');
        }
    }
    j.Close(']');
    return j.Take();
}

void ChooseDate(Page* page, const std::string& date) {
    int y = 0, m = 0, d = 0;
    char tail = 0;
    if (std::sscanf(date.c_str(), "%4d-%2d-%2d%c", &y, &m, &d, &tail) != 3) return;
    ApplyChosenDate(&page->item, MakeTime(y, m, d), ReadClock());
}

std::string SettingsText(const Page& page) {
    const GeneralSettings& g = page.item.Store.General;
    Json j;
    j.Open('{');
    j.Key("Start").Int(g.Start).Key("InfoStart").Int(g.InfoStart).Key("Tap").Int(g.Tap);
    j.Key("SortP0").Str(g.SortP0.Digits()).Key("SortP1").Str(g.SortP1.Digits());
    const struct { const char* name; int value; } actions[] = {
        {"TapL", g.TapL}, {"TapM", g.TapM}, {"TapR", g.TapR}, {"HoldL", g.HoldL}, {"HoldM", g.HoldM}, {"HoldR", g.HoldR}};
    for (const auto& a : actions) j.Key(a.name).Int(a.value);
    j.Key("actions").Open('[');
    for (int a = kActNone; a <= kActInfo; ++a) j.Open('{').Key("value").Int(a).Key("label").Str(ActionLabel(a)).Close('}');
    j.Close(']');
    j.Key("bodies").Open('[');
    for (int b = 0; b < kBodyCount; ++b) j.Str(page.item.Store.Bodies[b].Name);
    j.Close(']');
    j.Close('}');
    return j.Take();
}

bool SetSetting(Page* page, const std::string& name, const std::string& value) {
    GeneralSettings& g = page->item.Store.General;
    ItemState& s = page->item.State;
    long long n = 0;
    const bool number = WholeInt(value, LLONG_MIN, LLONG_MAX, &n);
    if (name == "SortP0" || name == "SortP1") {
        const struct SortList list(FromUtf8(value));
        (name == "SortP0" ? g.SortP0 : g.SortP1) = list;
    } else if (name == "Start" || name == "InfoStart" || name == "Tap") {
        if (!number || (n != 0 && n != 1)) return false;
        if (name == "Start") g.Start = s.AzimuthMode = static_cast<int>(n);
        if (name == "InfoStart") g.InfoStart = s.InfoMode = static_cast<int>(n);
        if (name == "Tap") g.Tap = static_cast<int>(n);
    } else {
        int32_t* field = name == "TapL" ? &g.TapL : name == "TapM" ? &g.TapM : name == "TapR" ? &g.TapR
                       : name == "HoldL" ? &g.HoldL : name == "HoldM" ? &g.HoldM : name == "HoldR" ? &g.HoldR
                       : nullptr;
        if (!field || !number || n < kActNone || n > kActInfo) return false;
        *field = static_cast<int32_t>(n);
    }
    Saved(page);
    return true;
}

void ResetPage(Page* page) {
    ResetSettingsStore();
    StartPage(page, page->ScreenWidth, page->ScreenHeight, page->item.State.ItemWidth);
}

std::string SlotsText(const Page& page) {
    Json j;
    j.Open('[');
    for (const LocationRecord& r : page.item.Store.Locations) WritePlace(&j, r);
    j.Close(']');
    return j.Take();
}

void LoadLibrary(Page* page, const std::string& bytes) {
    Categories c;
    ParseStockFile(bytes, &c);
    page->Library.clear();
    for (int i = 0; i < CategoryCount(c); ++i) {
        if (i == kRegBakCategory || i == kSearchCategory) continue;
        for (const EditorRecord& r : c.Stores[i])
            page->Library.push_back(LibraryPlace{i < static_cast<int>(c.Names.size()) ? c.Names[i] : L"", r});
    }
}

std::string SearchLibrary(const Page& page, const std::string& text, int limit) {
    const std::wstring wanted = SearchUpper(FromUtf8(text));
    Json j;
    j.Open('[');
    int hits = 0;
    for (size_t i = 0; i < page.Library.size() && hits < limit; ++i) {
        const EditorRecord& r = page.Library[i].Record;
        if (!wanted.empty() && SearchUpper(r.Location).find(wanted) == std::wstring::npos &&
            SearchUpper(r.Memo).find(wanted) == std::wstring::npos)
            continue;
        ++hits;
        j.Open('{');
        j.Key("index").Int(static_cast<long long>(i)).Key("name").Str(r.Location);
        j.Key("category").Str(page.Library[i].Category).Key("memo").Str(r.Memo);
        j.Key("lat").Num(r.Lat, 2).Key("lng").Num(r.Lng, 2).Key("utc").Str(FormatUtcOffset(r.UtcMargin));
        j.Key("dst").Str(r.ExistDST ? r.DST : L"");
        j.Close('}');
    }
    j.Close(']');
    return j.Take();
}

int MatchZone(const Page& page, const std::string& zone, int januaryMinutes, int julyMinutes) {
    const std::wstring name = FromUtf8(zone);
    for (size_t i = 0; i < page.Library.size(); ++i) {
        const std::wstring& memo = page.Library[i].Record.Memo;
        if (!name.empty() && memo.compare(0, name.size(), name) == 0 &&
            (memo.size() == name.size() || memo[name.size()] == L' '))
            return static_cast<int>(i);
    }
    // A zone the library knows under another name: the same standard offset,
    // and daylight saving in the same half of the year.
    const int standard = std::min(januaryMinutes, julyMinutes);
    const bool dst = januaryMinutes != julyMinutes;
    const ClockReading now = ReadClock();
    for (size_t i = 0; i < page.Library.size(); ++i) {
        const EditorRecord& r = page.Library[i].Record;
        if (std::lround(r.UtcMargin * 60) != standard || (r.ExistDST != 0) != dst) continue;
        if (!dst) return static_cast<int>(i);
        DateTime july = MakeTime(now.Utc.wYear, 7, 15, 12, 0);
        if ((ApplyDst(&july, r.DST, now) != 0) == (julyMinutes > januaryMinutes)) return static_cast<int>(i);
    }
    return -1;
}

bool PutPlace(Page* page, int slot, int zoneIndex, const std::string& name, double lat, double lng,
              int height) {
    if (slot < 0 || slot >= kSlotCount || zoneIndex < 0 || zoneIndex >= static_cast<int>(page->Library.size()))
        return false;
    const EditorRecord& zone = page->Library[static_cast<size_t>(zoneIndex)].Record;
    LocationRecord r;
    r.Valid = 1;
    r.UtcGet = 0;
    r.UtcMargin = zone.UtcMargin;
    r.ExistDST = zone.ExistDST;
    r.DST = zone.DST;
    if (name.empty()) {
        r.Location = zone.Location;
        r.Lat = zone.Lat;
        r.Lng = zone.Lng;
        r.Altitude = zone.Altitude;
    } else {
        if (!std::isfinite(lat) || !std::isfinite(lng) || std::fabs(lat) > 90 || std::fabs(lng) > 180) return false;
        r.Location = FromUtf8(name);
        if (r.Location.size() >= kLocationNameWidth) r.Location.resize(kLocationNameWidth - 1);
        r.Lat = lat;
        r.Lng = lng;
        r.Altitude = height;
    }
    page->item.Store.Locations[slot] = r;
    SaveLocationSlots(page->item.Store.Locations);
    HandleItemCommand(&page->item, kLocationCommandBase + slot);
    return true;
}

bool ClearSlot(Page* page, int slot) {
    LocationTable& t = page->item.Store.Locations;
    if (slot < 0 || slot >= kSlotCount || !t[slot].Valid) return false;
    int valid = 0;
    for (const LocationRecord& r : t) valid += r.Valid ? 1 : 0;
    if (valid <= 1) return false;
    t[slot] = LocationRecord();
    SaveLocationSlots(t);
    if (page->item.State.PosIndex == slot)
        page->item.State.PosIndex = SelectFirstValidLocation(&t);
    return true;
}

}  // namespace velkaro
