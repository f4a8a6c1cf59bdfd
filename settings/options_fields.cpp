#include "settings/options_fields.h"

#include <algorithm>
#include <type_traits>

#include "platform/int_text.h"

namespace velkaro {

namespace {

// Calls fn with the field in the store: the general block's, or body's.
template <class Store, class Fn>
void WithField(Store& store, const SettingField& field, int body, Fn fn) {
    std::visit(
        [&](auto member) {
            using M = decltype(member);
            if constexpr (std::is_member_object_pointer_v<M>) {
                if constexpr (std::is_invocable_v<M, const GeneralSettings&>)
                    fn(store.General.*member);
                else
                    fn(store.Bodies[body].*member);
            }
        },
        field);
}

int GetNumber(const SettingsStore& store, const SettingField& field, int body) {
    int n = 0;
    WithField(store, field, body, [&n](const auto& f) {
        if constexpr (std::is_arithmetic_v<std::decay_t<decltype(f)>>) n = static_cast<int>(f);
    });
    return n;
}

// Bytes are held to 0..255; unsigned fields are colours, 0x00BBGGRR.
void PutNumber(SettingsStore* store, const SettingField& field, int body, int n) {
    WithField(*store, field, body, [n](auto& f) {
        using T = std::decay_t<decltype(f)>;
        if constexpr (std::is_same_v<T, uint8_t>)
            f = static_cast<uint8_t>(std::clamp(n, 0, 255));
        else if constexpr (std::is_same_v<T, uint32_t>)
            f = static_cast<uint32_t>(n) & 0xFFFFFF;
        else if constexpr (std::is_same_v<T, int32_t>)
            f = n;
    });
}

std::wstring GetText(const SettingsStore& store, const SettingField& field, int body) {
    std::wstring t;
    WithField(store, field, body, [&t](const auto& f) {
        if constexpr (std::is_same_v<std::decay_t<decltype(f)>, std::wstring>) t = f;
    });
    return t;
}

void PutText(SettingsStore* store, const SettingField& field, int body, const std::wstring& text) {
    WithField(*store, field, body, [&text](auto& f) {
        if constexpr (std::is_same_v<std::decay_t<decltype(f)>, std::wstring>) f = text;
    });
}

bool IsBodyField(const SettingField& field) {
    return std::visit(
        [](auto member) {
            using M = decltype(member);
            if constexpr (std::is_member_object_pointer_v<M>) return std::is_invocable_v<M, const BodyStyle&>;
            return false;
        },
        field);
}

bool ValidBody(int body) { return body >= 0 && body < kBodyCount; }

// The body a control shows: the page's, the Moon's for every body, or its own.
int ShownBody(const FieldDef& f, int pageBody) {
    const int b = f.Body == kThisBody ? pageBody : f.Body == kEveryBody ? int{kMoon} : f.Body;
    return std::clamp(b, 0, kBodyCount - 1);
}

// The bodies apply writes; none when the page's body is out of range.
std::vector<int> AppliedBodies(const FieldDef& f, int pageBody) {
    if (!IsBodyField(f.Field)) return {0};
    if (f.Body == kEveryBody) {
        std::vector<int> all;
        for (int b = 0; b < kBodyCount; ++b) all.push_back(b);
        return all;
    }
    const int b = f.Body == kThisBody ? pageBody : f.Body;
    return ValidBody(b) ? std::vector<int>{b} : std::vector<int>{};
}

// A list's index for the value, or the value itself, held to the field's range.
int ShownValue(const FieldDef& f, int value) {
    const int held = std::clamp(value, f.Lo, f.Hi);
    return f.Kind == kFieldList ? held - f.Lo : held;
}

FieldValue LoadField(const FieldDef& f, const SettingsStore& store, int pageBody) {
    const int body = ShownBody(f, pageBody);
    FieldValue v;
    if (f.Role == kRoleEventPart) {
        v.Number = (SharedEventParts(store.Bodies[body]) & f.Mask) != 0;
        return v;
    }
    const int raw = GetNumber(store, f.Field, body);
    const int value = f.Role == kRoleBit ? raw & f.Mask : raw;
    switch (f.Kind) {
        case kFieldCheck:
            v.Number = value != 0;
            break;
        case kFieldSpin:
        case kFieldList:
            v.Number = ShownValue(f, value);
            break;
        case kFieldText:
            v.Text = GetText(store, f.Field, body);
            break;
        case kFieldFont:
            v.Text = GetText(store, f.Field, body);
            v.Number = GetNumber(store, f.Extra, body);
            break;
        case kFieldSwatch:
        case kFieldShown:
            v.Number = value;
            break;
    }
    return v;
}

// The number a control's value gives its field.
int AppliedNumber(const FieldDef& f, const PageValues& v) {
    const int n = Number(v, f.Id);
    switch (f.Kind) {
        case kFieldCheck:
            return n != 0;
        case kFieldSpin:
            return std::clamp(n, f.Lo, f.Hi);
        case kFieldList:
            return f.Lo + std::clamp(n, 0, f.Hi - f.Lo);
        default:
            return n;
    }
}

void ApplyField(const FieldDef& f, const PageValues& v, int eventParts, int pageBody, SettingsStore* store) {
    if (f.Kind == kFieldShown || f.Role == kRoleEventPart) return;
    const int n = AppliedNumber(f, v);
    for (int body : AppliedBodies(f, pageBody)) {
        switch (f.Role) {
            case kRoleBit: {
                const int part = f.Kind == kFieldCheck ? n * f.Mask : n & f.Mask;
                PutNumber(store, f.Field, body, GetNumber(*store, f.Field, body) | part);
                break;
            }
            case kRoleEventLine:
                PutNumber(store, f.Field, body, n ? eventParts : 0);
                break;
            default:
                if (f.Kind == kFieldText || f.Kind == kFieldFont)
                    PutText(store, f.Field, body, CutToField(Text(v, f.Id), f.Width));
                else
                    PutNumber(store, f.Field, body, n);
                PutNumber(store, f.Extra, body, n);  // a font's character set, or the field's twin
                break;
        }
    }
}

}  // namespace

int Number(const PageValues& v, int id) {
    auto it = v.find(id);
    return it == v.end() ? 0 : it->second.Number;
}

const std::wstring& Text(const PageValues& v, int id) {
    static const std::wstring kEmpty;
    auto it = v.find(id);
    return it == v.end() ? kEmpty : it->second.Text;
}

PageValues LoadFields(const std::vector<FieldDef>& fields, const SettingsStore& store, int body) {
    PageValues v;
    for (const FieldDef& f : fields) v[f.Id] = LoadField(f, store, body);
    return v;
}

void ApplyFields(const std::vector<FieldDef>& fields, const PageValues& v, int body, SettingsStore* store) {
    // A field shared by several controls is the sum of their parts: other bits go.
    for (const FieldDef& f : fields)
        if (f.Role == kRoleBit)
            for (int b : AppliedBodies(f, body)) PutNumber(store, f.Field, b, 0);
    int eventParts = 0;
    for (const FieldDef& f : fields)
        if (f.Role == kRoleEventPart && Number(v, f.Id)) eventParts |= f.Mask;
    for (const FieldDef& f : fields) ApplyField(f, v, eventParts, body, store);
}

// ------------------------------------------------------------------ controls

void ShowField(const FieldDef& f, const PageValues& v, PageControls* c) {
    switch (f.Kind) {
        case kFieldCheck:
            c->SetChecked(f.Id, Number(v, f.Id) != 0);
            break;
        case kFieldSpin:
            c->SetNumber(f.Id, Number(v, f.Id));
            break;
        case kFieldText:
            c->SetText(f.Id, CutToField(Text(v, f.Id), f.Width));
            break;
        case kFieldList:
            c->Select(f.Id, Number(v, f.Id));
            break;
        case kFieldFont:
        case kFieldSwatch:
        case kFieldShown:
            break;
    }
}

void ShowFields(const std::vector<FieldDef>& fields, const PageValues& v, PageControls* c) {
    for (const FieldDef& f : fields) {
        switch (f.Kind) {
            case kFieldSpin:
                c->SetUpSpin(f);
                break;
            case kFieldText:
                c->LimitText(f.Id, f.Width - 1);
                break;
            case kFieldList:
                c->FillList(f);
                break;
            case kFieldFont:
                c->FillFonts(f.Id, Text(v, f.Id));
                break;
            default:
                break;
        }
        ShowField(f, v, c);
    }
}

void ReadFields(const std::vector<FieldDef>& fields, PageControls* c, PageValues* v) {
    for (const FieldDef& f : fields) {
        FieldValue& out = (*v)[f.Id];
        switch (f.Kind) {
            case kFieldCheck:
                out.Number = c->Checked(f.Id) ? 1 : 0;
                break;
            case kFieldSpin:
                out.Number = ReadSpinText(f, c->GetText(f.Id, 16));
                break;
            case kFieldText:
                out.Text = CutToField(c->GetText(f.Id, f.Width), f.Width);
                break;
            case kFieldList:
                out.Number = std::max(c->Selection(f.Id), 0);
                break;
            case kFieldFont: {
                FieldValue selected;
                if (!c->SelectedFont(f.Id, &selected)) break;  // nothing chosen: keep the stored face
                selected.Text = CutToField(selected.Text, f.Width);
                std::wstring standIn;
                const std::vector<std::wstring> listed = c->ListedFaces(&standIn);
                out = FontFromList(out, listed, standIn, selected);
                break;
            }
            case kFieldSwatch:
            case kFieldShown:
                break;
        }
    }
}

int SharedEventParts(const BodyStyle& s) { return std::max({s.TextR, s.TextS, s.TextD}); }

int ReadSpinText(const FieldDef& field, const std::wstring& text) {
    return ClampedInt(text.c_str(), field.Lo, field.Hi);
}

FieldValue FontFromList(const FieldValue& stored, const std::vector<std::wstring>& listed,
                        const std::wstring& standIn, const FieldValue& selected) {
    const bool storedListed = std::find(listed.begin(), listed.end(), stored.Text) != listed.end();
    return !storedListed && selected.Text == standIn ? stored : selected;
}

const FieldDef* FindField(const std::vector<FieldDef>& fields, int id) {
    for (const FieldDef& f : fields)
        if (f.Id == id) return &f;
    return nullptr;
}

SwatchPaint PaintOfSwatch(const std::vector<FieldDef>& fields, const PageValues& v, int id) {
    SwatchPaint p;
    const FieldDef* f = FindField(fields, id);
    if (!f || f->Kind != kFieldSwatch) return p;
    p.Back = static_cast<unsigned>(Number(v, f->BackOf ? f->BackOf : id));
    if (f->TextOf) {
        p.HasText = true;
        p.Text = static_cast<unsigned>(Number(v, f->TextOf));
    }
    return p;
}

std::vector<int> SwatchesShowing(const std::vector<FieldDef>& fields, int id) {
    std::vector<int> ids{id};
    for (const FieldDef& f : fields)
        if (f.Kind == kFieldSwatch && f.Id != id && (f.TextOf == id || f.BackOf == id)) ids.push_back(f.Id);
    return ids;
}

// ------------------------------------------------------------------ builders

namespace {

FieldDef Def(int id, FieldKind kind, SettingField field) {
    FieldDef f;
    f.Id = id;
    f.Kind = kind;
    f.Field = field;
    return f;
}

}  // namespace

FieldDef Check(int id, SettingField field) {
    FieldDef f = Def(id, kFieldCheck, field);
    f.Hi = 1;
    return f;
}

FieldDef Spin(int id, int spin, int lo, int hi) {
    FieldDef f = Def(id, kFieldSpin, {});
    f.Spin = spin;
    f.Lo = lo;
    f.Hi = hi;
    return f;
}

FieldDef Spin(int id, int spin, SettingField field) {
    SettingRange r{0, 0};
    StoredRange(field, &r);
    FieldDef f = Spin(id, spin, r.Lo, r.Hi);
    f.Field = field;
    return f;
}

FieldDef TextField(int id, SettingField field) {
    FieldDef f = Def(id, kFieldText, field);
    f.Width = StoredWidth(field);
    return f;
}

FieldDef List(int id, SettingField field, std::vector<std::wstring> items, int lo) {
    FieldDef f = Def(id, kFieldList, field);
    f.Lo = lo;
    f.Hi = lo + static_cast<int>(items.size()) - 1;
    f.Items = std::move(items);
    return f;
}

FieldDef StringList(int id, SettingField field, int firstString, int count, int lo) {
    FieldDef f = Def(id, kFieldList, field);
    f.Lo = lo;
    f.Hi = lo + count - 1;
    f.FirstString = firstString;
    f.StringCount = count;
    return f;
}

FieldDef Font(int id, SettingField face, SettingField charSet) {
    FieldDef f = Def(id, kFieldFont, face);
    f.Extra = charSet;
    f.Width = StoredWidth(face);
    return f;
}

FieldDef Swatch(int id, SettingField field, int textOf, int backOf) {
    FieldDef f = Def(id, kFieldSwatch, field);
    f.TextOf = textOf;
    f.BackOf = backOf;
    return f;
}

FieldDef Shown(int id, SettingField field) { return Def(id, kFieldShown, field); }

FieldDef EventLine(int id, SettingField field) {
    FieldDef f = Check(id, field);
    f.Role = kRoleEventLine;
    return f;
}

FieldDef EventPart(int id, int mask) {
    FieldDef f = Check(id);
    f.Role = kRoleEventPart;
    f.Mask = mask;
    return f;
}

FieldDef Part(int mask, FieldDef f) {
    f.Role = kRoleBit;
    f.Mask = mask;
    return f;
}

FieldDef OfBody(int body, FieldDef f) {
    f.Body = body;
    return f;
}

FieldDef AlsoInto(SettingField extra, FieldDef f) {
    f.Extra = extra;
    return f;
}

}  // namespace velkaro
