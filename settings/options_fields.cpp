#include "settings/options_fields.h"

#include <algorithm>

#include "platform/int_text.h"

namespace velkaro {

int Number(const PageValues& v, int id) {
    auto it = v.find(id);
    return it == v.end() ? 0 : it->second.Number;
}

const std::wstring& Text(const PageValues& v, int id) {
    static const std::wstring kEmpty;
    auto it = v.find(id);
    return it == v.end() ? kEmpty : it->second.Text;
}

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

FieldDef Check(int id) {
    FieldDef f;
    f.Id = id;
    f.Kind = kFieldCheck;
    return f;
}

FieldDef Spin(int id, int spin, int lo, int hi) {
    FieldDef f;
    f.Id = id;
    f.Kind = kFieldSpin;
    f.Spin = spin;
    f.Lo = lo;
    f.Hi = hi;
    return f;
}

FieldDef TextField(int id, size_t width) {
    FieldDef f;
    f.Id = id;
    f.Kind = kFieldText;
    f.Width = width;
    return f;
}

FieldDef List(int id, std::vector<std::wstring> items) {
    FieldDef f;
    f.Id = id;
    f.Kind = kFieldList;
    f.Items = std::move(items);
    return f;
}

FieldDef StringList(int id, int firstString, int count) {
    FieldDef f;
    f.Id = id;
    f.Kind = kFieldList;
    f.FirstString = firstString;
    f.StringCount = count;
    return f;
}

FieldDef Font(int id) {
    FieldDef f;
    f.Id = id;
    f.Kind = kFieldFont;
    f.Width = 32;
    return f;
}

FieldDef Swatch(int id, int textOf, int backOf) {
    FieldDef f;
    f.Id = id;
    f.Kind = kFieldSwatch;
    f.TextOf = textOf;
    f.BackOf = backOf;
    return f;
}

}  // namespace velkaro
