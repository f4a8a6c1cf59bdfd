#include "editor/stock_file.h"

#include <cmath>
#include <set>

#include "editor/fields.h"
#include "platform/int_text.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "settings/location.h"

namespace velkaro {

const char kUtf8Mark[] = "\xEF\xBB\xBF";
const wchar_t kStockFileName[] = L"Sitarel.ini";

namespace {

// ---------------------------------------------------------------- writing

// Tabs and line feeds inside a text would split its line when read back; a
// carriage return survives (only one right before a line feed is dropped).
std::wstring OneLine(const std::wstring& text) {
    std::wstring out;
    out.reserve(text.size());
    for (wchar_t ch : text) {
        if (ch == L'\0') continue;
        out.push_back(ch == L'\t' || ch == L'\n' ? L' ' : ch);
    }
    return out;
}

struct Writer {
    bool Utf8 = false;
    bool Fits = true;  // every text so far had its bytes in the code page
    std::string Out;

    void Text(const std::wstring& text) {
        const std::wstring line = OneLine(CutToField(text));
        Out += Utf8 ? ToUtf8(line) : ToCodePage(line, &Fits);
    }
    void Raw(const char* s) { Out += s; }
    void Int(long long v) { Out += std::to_string(v); }
    // "." whatever the process's locale, as the reader takes it.
    void Fixed2(double v) { Ascii(FormatFixed(v, 2)); }
    void Ascii(const std::wstring& ascii) {
        for (wchar_t ch : ascii) Out.push_back(static_cast<char>(ch));
    }
};

void WriteRecord(Writer* w, const EditorRecord& r) {
    w->Int(r.Valid);
    w->Raw("\t");
    w->Text(r.Location);
    w->Raw("\t");
    w->Fixed2(r.Lat);
    w->Raw("\t");
    w->Fixed2(r.Lng);
    w->Raw("\t");
    w->Ascii(FormatHeights(r));
    w->Raw("\t");
    w->Int(r.UtcGet);
    w->Raw("\t");
    w->Ascii(FormatUtcOffset(r.UtcMargin));  // "5.75" stays 5.75
    w->Raw("\t");
    w->Text(r.DST);
    w->Raw("\t");
    w->Text(r.Memo);
    w->Raw("\r\n");
}

void WriteAll(Writer* w, const Categories& c) {
    w->Int(c.Current == kSearchCategory ? 0 : c.Current);
    w->Raw("\r\n\r\n");
    for (int i = 0; i < CategoryCount(c); ++i) {
        if (i == kSearchCategory) continue;
        w->Raw("[");
        w->Text(c.Names[static_cast<size_t>(i)]);
        w->Raw(c.Fixed[static_cast<size_t>(i)] ? "]x\r\n" : "]\r\n");
        for (const EditorRecord& r : c.Stores[static_cast<size_t>(i)]) WriteRecord(w, r);
        w->Raw("\r\n");
    }
}

// ---------------------------------------------------------------- reading

// A byte above 127 (a degree sign, a letter) ends the number like any other
// character that cannot continue it.
double LeadingDecimal(const std::string& text) {
    std::wstring wide;
    wide.reserve(text.size());
    for (char ch : text) wide.push_back(static_cast<unsigned char>(ch) < 0x80 ? static_cast<wchar_t>(ch) : L'\xFFFD');
    return ParseLeadingDouble(wide);
}

int32_t IntInRange(long long v, long long lo, long long hi) {
    return v < lo || v > hi ? 0 : static_cast<int32_t>(v);
}

double DecimalInRange(double v, double lo, double hi) { return v < lo || v > hi ? 0 : v; }

// Decimal degrees, or degrees:minutes:seconds with the sign of the text.
double Coordinate(const std::string& text) {
    if (text.find(':') == std::string::npos) return LeadingDecimal(text);
    long long part[3] = {0, 0, 0};
    size_t start = 0;
    for (int k = 0; k < 3 && start <= text.size(); ++k) {
        const size_t colon = text.find(':', start);
        part[k] = LeadingInt(text.substr(start, colon == std::string::npos ? std::string::npos : colon - start));
        if (colon == std::string::npos) break;
        start = colon + 1;
    }
    const size_t sign = text.find_first_not_of(' ');
    const bool negative = sign != std::string::npos && text[sign] == '-';
    return DegreesFromParts(static_cast<double>(part[0]), static_cast<double>(part[1]),
                            static_cast<double>(part[2]), negative);
}

class Reader {
public:
    // Without `indexLine` the first line is read as a record, never as the index.
    Reader(Categories* c, bool utf8, bool indexLine) : c_(c), utf8_(utf8), firstPiece_(indexLine) {}

    StockParse Result() const {
        StockParse r;
        r.CategoryFile = placeLines_ || !foreignLines_;
        r.RefusedSections = static_cast<int>(refused_.size());
        return r;
    }

    void Byte(char b) {
        if (b == '\0') return;  // no text holds one; the writer drops them too
        switch (state_) {
            case kSkip:
                if (b == '\n') state_ = kLineStart;
                return;
            case kLineStart:
                if (b == '\n') {  // an empty line
                    firstPiece_ = false;
                    return;
                }
                state_ = b == '[' ? kHeader : kRecord;
                break;
            default:
                break;
        }
        if (b == '\t' || b == '\n') {
            EndPiece(b);
        } else if (piece_.size() < kStockLineBuffer - 1) {
            piece_.push_back(b);
        }
    }

    // A last line without its line feed still counts, its last piece included.
    void End() {
        if (state_ == kLineStart || state_ == kSkip) return;
        if (firstPiece_ && TakeIndex()) return;
        if (state_ == kHeader) {
            EndHeader();
        } else {
            EndField();
            CloseRecord();
        }
    }

private:
    enum State { kLineStart, kHeader, kRecord, kSkip };

    std::wstring Wide(const std::string& bytes) const {
        return CutToField(utf8_ ? FromUtf8(bytes) : FromCodePage(bytes));
    }

    bool TakeIndex() {
        firstPiece_ = false;
        bool found = false;
        const long long v = LeadingInt(piece_, &found);
        if (!found) return false;
        c_->Current = v == kSearchCategory || v < 0 || v > kCategoryCapacity ? 0 : static_cast<int>(v);
        piece_.clear();
        return true;
    }

    void EndPiece(char terminator) {
        if (firstPiece_ && TakeIndex()) {
            state_ = terminator == '\n' ? kLineStart : kSkip;
            return;
        }
        if (state_ == kHeader) {
            EndHeader();
            state_ = terminator == '\n' ? kLineStart : kSkip;
            return;
        }
        EndField();
        if (terminator == '\n') {
            CloseRecord();
            state_ = kLineStart;
        }
    }

    // "[name]" or "[name]x"; anything else leaves records going where they went.
    void EndHeader() {
        const std::string h = piece_;
        piece_.clear();
        const size_t n = h.size();
        if (n < 3 || h[0] != '[') return;
        int32_t fixed = 0;
        size_t close = n - 1;
        if (h[n - 1] == 'x') {
            fixed = 1;
            close = n - 2;
        }
        if (h[close] != ']' || close < 2) return;
        const std::wstring name = Wide(h.substr(1, close - 1));
        int index = FindCategory(*c_, name);
        if (index < 0) index = AddCategory(c_, name, fixed);
        if (index >= 0) {
            section_ = index;
        } else if (!name.empty()) {
            refused_.insert(name);  // past a hundred, records stay in the section before
        }
    }

    void EndField() {
        ++field_;
        const std::string& t = piece_;
        if (!t.empty()) {
            switch (field_) {
                case 1: record_.Valid = IntInRange(LeadingInt(t), 0, 1); break;
                case 2: record_.Location = Wide(t); break;
                case 3: record_.Lat = DecimalInRange(Coordinate(t), -90, 90); break;
                case 4: record_.Lng = DecimalInRange(Coordinate(t), -180, 180); break;
                case 5: ReadHeights(t, &record_.Prominence, &record_.Altitude); break;
                case 6: record_.UtcGet = IntInRange(LeadingInt(t), 0, 3); break;
                case 7: record_.UtcMargin = DecimalInRange(LeadingDecimal(t), -24, 24); break;
                case 8: record_.DST = Wide(t); break;
                case 9: record_.Memo = Wide(t); break;
                default: break;  // fields after the ninth are ignored
            }
        }
        piece_.clear();
    }

    void CloseRecord() {
        if (field_ >= 3) {
            placeLines_ = true;
        } else {
            foreignLines_ = true;
        }
        // Not stored: a place has daylight saving exactly when it has a rule,
        // as the location dialog decides it.
        record_.ExistDST = record_.DST.empty() ? 0 : 1;
        if (section_ != kSearchCategory) {
            RecordList& store = c_->Stores[static_cast<size_t>(section_)];
            record_.Number = static_cast<int32_t>(store.size());
            store.push_back(record_);
        }
        record_ = EditorRecord();
        field_ = 0;
    }

    Categories* c_;
    bool utf8_;
    State state_ = kLineStart;
    std::string piece_;
    bool firstPiece_;
    int section_ = kRegBakCategory;  // records before the first header
    int field_ = 0;                  // fields of the record completed so far
    EditorRecord record_;
    bool placeLines_ = false;    // a record line had three or more fields
    bool foreignLines_ = false;  // a record line had fewer
    std::set<std::wstring> refused_;
};

// Whether the first line can be the index: a record line has a tab with more
// after it; "2" alone, or "2" and a tab, is the index.
bool FirstLineIsIndex(const std::string& bytes, size_t from, bool crLines) {
    const size_t end = bytes.find(crLines ? '\r' : '\n', from);
    const std::string line = bytes.substr(from, end == std::string::npos ? std::string::npos : end - from);
    const size_t tab = line.find('\t');
    return tab == std::string::npos || line.find_first_not_of(" \t\r", tab) == std::string::npos;
}

// UTF-16 behind its byte-order mark (either byte order) as UTF-8 with a mark.
bool Utf16ToUtf8(const std::string& bytes, std::string* out) {
    if (bytes.size() < 2) return false;
    const unsigned char b0 = static_cast<unsigned char>(bytes[0]), b1 = static_cast<unsigned char>(bytes[1]);
    const bool little = b0 == 0xFF && b1 == 0xFE;
    if (!little && !(b0 == 0xFE && b1 == 0xFF)) return false;
    auto unit = [&](size_t i) {
        const unsigned lo = static_cast<unsigned char>(bytes[i + (little ? 0 : 1)]);
        const unsigned hi = static_cast<unsigned char>(bytes[i + (little ? 1 : 0)]);
        return static_cast<uint32_t>(hi << 8 | lo);
    };
    std::wstring text;
    text.reserve(bytes.size() / 2);
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
        uint32_t c = unit(i);
        if (c >= 0xD800 && c <= 0xDBFF && i + 3 < bytes.size()) {
            const uint32_t low = unit(i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        if (c >= 0xD800 && c <= 0xDFFF) c = 0xFFFD;  // a lone half
        if (sizeof(wchar_t) == 2 && c >= 0x10000) {
            c -= 0x10000;
            text.push_back(static_cast<wchar_t>(0xD800 | (c >> 10)));
            text.push_back(static_cast<wchar_t>(0xDC00 | (c & 0x3FF)));
        } else {
            text.push_back(static_cast<wchar_t>(c));
        }
    }
    *out = kUtf8Mark + ToUtf8(text);
    return true;
}

}  // namespace

std::string FormatStockFile(const Categories& c) {
    Writer w;
    WriteAll(&w, c);
    if (w.Fits) return w.Out;
    Writer u;
    u.Utf8 = true;
    u.Out = kUtf8Mark;
    WriteAll(&u, c);
    return u.Out;
}

StockParse ParseStockFile(const std::string& input, Categories* c) {
    ResetCategories(c);
    std::string wide;
    const std::string& bytes = Utf16ToUtf8(input, &wide) ? wide : input;
    const bool utf8 = bytes.compare(0, 3, kUtf8Mark) == 0;
    // A file with carriage returns and no line feed at all ends its lines
    // with them; elsewhere a carriage return alone belongs to a text.
    const bool crLines = bytes.find('\n') == std::string::npos && bytes.find('\r') != std::string::npos;
    const size_t start = utf8 ? 3 : 0;
    Reader reader(c, utf8, FirstLineIsIndex(bytes, start, crLines));
    for (size_t i = start; i < bytes.size(); ++i) {
        if (crLines) {
            reader.Byte(bytes[i] == '\r' ? '\n' : bytes[i]);
            continue;
        }
        // Read as text: a carriage return before a line feed is not seen.
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
        reader.Byte(bytes[i]);
    }
    reader.End();
    return reader.Result();
}

StockFileResult ReadStockFile(Categories* c, const std::wstring& path, int* refused) {
    std::string bytes;
    if (!ReadFileBytes(path, &bytes)) return FileMissing(path) ? kStockMissing : kStockUnreadable;
    Categories loaded;
    const StockParse parse = ParseStockFile(bytes, &loaded);
    if (!parse.CategoryFile) return kStockNotCategories;
    *c = std::move(loaded);
    if (refused) *refused = parse.RefusedSections;
    return kStockRead;
}

bool LoadStockFile(Categories* c, const std::wstring& path) { return ReadStockFile(c, path) == kStockRead; }

bool SaveStockFile(const Categories& c, const std::wstring& path, int* error) {
    return ReplaceFileBytes(path, FormatStockFile(c), error);
}

}  // namespace velkaro
