// The option pages' controls as data: what kind each is, its range or list,
// and how a page's values are read from the text a control holds.
#pragma once
#include <map>
#include <string>
#include <vector>

namespace velkaro {

enum FieldKind {
    kFieldCheck,       // 1 checked, 0 not
    kFieldSpin,        // edit with its up-down; Lo..Hi
    kFieldText,        // edit of at most Width - 1 characters
    kFieldList,        // drop-down list; the value is the index
    kFieldFont,        // font family list: Text the face, Number its character set
    kFieldSwatch,      // colour swatch: Number is the working colour
};

struct FieldDef {
    int Id = 0;
    FieldKind Kind = kFieldCheck;
    int Spin = 0;  // the up-down of a spin field
    int Lo = 0, Hi = 0;
    size_t Width = 0;                 // text fields, terminator included
    std::vector<std::wstring> Items;  // option lists, top-down
    int FirstString = 0;              // option lists from the string table: ids FirstString...
    int StringCount = 0;
    // Swatches: the values whose colours are the text and the background
    // (0: no text colour; the background defaults to the swatch's own).
    int TextOf = 0;
    int BackOf = 0;
};

struct FieldValue {
    int Number = 0;
    std::wstring Text;
};

// A page's control values by control id. Negative keys hold colours a page
// shows but does not edit.
using PageValues = std::map<int, FieldValue>;

int Number(const PageValues& v, int id);
const std::wstring& Text(const PageValues& v, int id);

// The number a spin field's text stands for: not a number reads as 0, and the
// result is held to the field's range.
int ReadSpinText(const FieldDef& field, const std::wstring& text);
// A text field's text cut to what the field holds.
std::wstring CutToField(const std::wstring& text, size_t width);

const FieldDef* FindField(const std::vector<FieldDef>& fields, int id);

// The font a font list gives back. A list that does not hold the stored face
// opens on a stand-in (the Today screen's face); while that is still the
// selection, the stored face and character set are kept.
FieldValue FontFromList(const FieldValue& stored, const std::vector<std::wstring>& listed,
                        const std::wstring& standIn, const FieldValue& selected);

// What a swatch is painted with.
struct SwatchPaint {
    bool HasText = false;
    unsigned Text = 0;
    unsigned Back = 0;
};
SwatchPaint PaintOfSwatch(const std::vector<FieldDef>& fields, const PageValues& v, int id);
// The swatches to repaint after the colour of id changed (id itself first).
std::vector<int> SwatchesShowing(const std::vector<FieldDef>& fields, int id);

// Builders, to keep the page tables short.
FieldDef Check(int id);
FieldDef Spin(int id, int spin, int lo, int hi);
FieldDef TextField(int id, size_t width);
FieldDef List(int id, std::vector<std::wstring> items);
FieldDef StringList(int id, int firstString, int count);
FieldDef Font(int id);
FieldDef Swatch(int id, int textOf = 0, int backOf = 0);

}  // namespace velkaro
