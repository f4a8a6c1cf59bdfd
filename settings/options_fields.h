// The option pages' controls as data: what kind each is, its range or list,
// the stored field it edits, and the one load and one apply that walk a
// page's descriptors.
#pragma once
#include <map>
#include <string>
#include <vector>

#include "settings/field_text.h"
#include "settings/store.h"

namespace velkaro {

enum FieldKind {
    kFieldCheck,   // 1 checked, 0 not
    kFieldSpin,    // edit with its up-down; Lo..Hi
    kFieldText,    // edit of at most Width - 1 characters
    kFieldList,    // drop-down list; the value is the index, standing for Lo + index
    kFieldFont,    // font family list: Text the face, Number its character set (stored in Extra)
    kFieldSwatch,  // colour swatch: Number is the working colour
    kFieldShown,   // a colour other swatches are painted with; no control, never applied
};

// How a control's value stands for its field.
enum FieldRole {
    kRoleWhole,      // the field itself
    kRoleBit,        // the part Mask of a field the page's controls share: apply makes it the sum of their parts
    kRoleEventLine,  // check: the event line is on; apply writes the shared parts, or 0
    kRoleEventPart,  // check: the bit Mask of the parts the three event lines share (no field of its own)
};

// Which body's style a body field is of: the page's, every body (shown from
// the Moon's), or a body number.
constexpr int kThisBody = -1;
constexpr int kEveryBody = -2;

struct FieldDef {
    int Id = 0;  // control id; a negative id names a shown colour
    FieldKind Kind = kFieldCheck;
    int Spin = 0;  // the up-down of a spin field
    int Lo = 0, Hi = 0;
    size_t Width = 0;                 // texts and faces, terminator included
    std::vector<std::wstring> Items;  // option lists, top-down
    int FirstString = 0;              // option lists from the string table: ids FirstString...
    int StringCount = 0;
    // Swatches: the values whose colours are the text and the background
    // (0: no text colour; the background defaults to the swatch's own).
    int TextOf = 0;
    int BackOf = 0;
    SettingField Field;  // what the control edits
    SettingField Extra;  // a font's character set; else a field that takes the same value on apply
    FieldRole Role = kRoleWhole;
    int Mask = 0;          // kRoleBit and kRoleEventPart
    int Body = kThisBody;  // body fields
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

// The values a page's controls show for the store; body is the page's.
PageValues LoadFields(const std::vector<FieldDef>& fields, const SettingsStore& store, int body);
// Writes the values into the fields they edit, each held to its range and
// width. Changes the store; a body field of a body out of range is left.
void ApplyFields(const std::vector<FieldDef>& fields, const PageValues& v, int body, SettingsStore* store);

// A page's controls as the window side offers them; the walks below fill and
// read them through it.
class PageControls {
public:
    virtual ~PageControls() = default;
    virtual void SetChecked(int id, bool on) = 0;
    virtual bool Checked(int id) = 0;
    virtual void SetText(int id, const std::wstring& text) = 0;
    // At most width - 1 characters of the control's text.
    virtual std::wstring GetText(int id, size_t width) = 0;
    virtual void LimitText(int id, size_t chars) = 0;
    // Pairs the spin's up-down with its edit and gives it the field's range.
    virtual void SetUpSpin(const FieldDef& f) = 0;
    virtual void SetNumber(int id, int n) = 0;
    // Fills an option list with its texts, top-down.
    virtual void FillList(const FieldDef& f) = 0;
    virtual void Select(int id, int index) = 0;
    virtual int Selection(int id) = 0;  // -1: none
    // A font list with the Today screen's families, face selected when
    // listed, else the stand-in (the screen's own face).
    virtual void FillFonts(int id, const std::wstring& face) = 0;
    // The selected family and its character set; false when none is.
    virtual bool SelectedFont(int id, FieldValue* font) = 0;
    virtual std::vector<std::wstring> ListedFaces(std::wstring* standIn) = 0;
};

// Sets the controls up (lists filled, spins ranged, texts limited) and shows the values.
void ShowFields(const std::vector<FieldDef>& fields, const PageValues& v, PageControls* controls);
// Shows the value of one field again (no list filling).
void ShowField(const FieldDef& f, const PageValues& v, PageControls* controls);
// Reads the controls into the values; swatches keep their working colours.
// Changes *v.
void ReadFields(const std::vector<FieldDef>& fields, PageControls* controls, PageValues* v);

// The rise, set and culmination lines share one set of parts; a page shows
// those of the line with the most (as a signed number).
int SharedEventParts(const BodyStyle& s);

// The number a spin field's text stands for: not a number reads as 0, and the
// result is held to the field's range.
int ReadSpinText(const FieldDef& field, const std::wstring& text);

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

// Builders, to keep the page tables short. Spins take their range, texts and
// faces their width from the store's table.
FieldDef Check(int id, SettingField field = {});
FieldDef Spin(int id, int spin, int lo, int hi);
FieldDef Spin(int id, int spin, SettingField field);
FieldDef TextField(int id, SettingField field);
// A list whose first entry stands for lo.
FieldDef List(int id, SettingField field, std::vector<std::wstring> items, int lo = 0);
FieldDef StringList(int id, SettingField field, int firstString, int count, int lo = 0);
FieldDef Font(int id, SettingField face, SettingField charSet);
FieldDef Swatch(int id, SettingField field, int textOf = 0, int backOf = 0);
FieldDef Shown(int id, SettingField field);
FieldDef EventLine(int id, SettingField field);
FieldDef EventPart(int id, int mask);
// The control holds the part mask of a field it shares with others of the page.
FieldDef Part(int mask, FieldDef f);
// The field taken from body (kEveryBody, or a number) rather than the page's.
FieldDef OfBody(int body, FieldDef f);
// Apply writes the value into extra too.
FieldDef AlsoInto(SettingField extra, FieldDef f);

}  // namespace velkaro
