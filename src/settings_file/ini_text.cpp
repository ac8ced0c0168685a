#include "settings_file/ini_text.h"

#include <vector>

namespace rzv::ini {
namespace {

constexpr std::size_t kNone = std::string_view::npos;

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool isSpecial(char c) {
    return c == '\n' || c == '\r' || c == '"' || c == ';' || c == '=' || c == '\\';
}

// One logical line: [begin, begin + length) of the text, with the position of its first "="
// outside quotes. Quotes and a backslash before a line break carry it over several physical
// lines; a ";" at its start makes the rest of the physical line a comment, elsewhere outside
// quotes it ends the line. Blank lines and comments yield no line.
struct Line {
    std::size_t begin = 0;
    std::size_t length = 0;
    std::size_t equals = kNone;
    std::size_t end() const { return begin + length; }
};

bool nextLine(std::string_view data, std::size_t& position, Line& line) {
    const std::size_t size = data.size();
    bool inQuotes = false;
    line.equals = kNone;
    std::size_t start = position;
    while (start < size && isSpace(data[start])) ++start;
    std::size_t i = start;
    while (i < size) {
        while (i < size && !isSpecial(data[i])) ++i;
        if (i == size) break;
        const char c = data[i++];
        if (c == '=') {
            if (!inQuotes && line.equals == kNone) line.equals = i - 1;
        } else if (c == '\n' || c == '\r') {
            if (i == start + 1) {
                ++start;
            } else if (!inQuotes) {
                --i;
                break;
            }
        } else if (c == '\\') {
            if (i < size) {
                const char escaped = data[i++];
                if (i < size) {
                    const char after = data[i];
                    if ((escaped == '\n' && after == '\r') || (escaped == '\r' && after == '\n'))
                        ++i;
                }
            }
        } else if (c == '"') {
            inQuotes = !inQuotes;
        } else {  // ';'
            if (i == start + 1) {
                while (i < size && data[i] != '\n' && data[i] != '\r') ++i;
                while (i < size && isSpace(data[i])) ++i;
                start = i;
            } else if (!inQuotes) {
                --i;
                break;
            }
        }
    }
    position = i;
    line.begin = start;
    line.length = i - start;
    return line.length > 0;
}

std::string_view trimmed(std::string_view text) {
    auto space = [](char c) { return isSpace(c) || c == '\v' || c == '\f'; };
    while (!text.empty() && space(text.front())) text.remove_prefix(1);
    while (!text.empty() && space(text.back())) text.remove_suffix(1);
    return text;
}

// UTF-8 to UTF-16 and back, as the file's reader converts: a byte that does not decode becomes
// U+FFFD, and so does a lone surrogate on the way back.
void appendUtf16(std::u16string& out, std::string_view bytes) {
    static constexpr char32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const int extra = lead < 0x80           ? 0
                          : (lead >> 5) == 0x6  ? 1
                          : (lead >> 4) == 0xE  ? 2
                          : (lead >> 3) == 0x1E ? 3
                                                : -1;
        bool valid = extra >= 0 && i + static_cast<std::size_t>(extra) < bytes.size();
        char32_t code = valid ? lead & (0x7Fu >> extra) : 0;
        for (int k = 1; valid && k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + static_cast<std::size_t>(k)]);
            valid = (next & 0xC0) == 0x80;
            code = (code << 6) | (next & 0x3F);
        }
        if (valid && extra > 0)
            valid = code >= kLeast[extra] && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
        if (!valid) {
            out += u'\xFFFD';
            ++i;
            continue;
        }
        i += static_cast<std::size_t>(extra) + 1;
        if (code >= 0x10000) {
            code -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (code >> 10));
            out += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
        } else {
            out += static_cast<char16_t>(code);
        }
    }
}

void appendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

std::string utf8Of(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            appendUtf8(out, 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            appendUtf8(out, 0xFFFD);
        } else {
            appendUtf8(out, unit);
        }
    }
    return out;
}

std::u16string utf16Of(std::string_view bytes) {
    std::u16string out;
    appendUtf16(out, bytes);
    return out;
}

int hexValue(char16_t c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// "%XX" and "%UXXXX" give the UTF-16 unit they name, a backslash the "/" of a sub-key.
std::string unescapedName(std::string_view raw) {
    const std::u16string text = utf16Of(raw);
    std::u16string out;
    std::size_t i = 0;
    while (i < text.size()) {
        const char16_t c = text[i];
        if (c == u'\\') {
            out += u'/';
            ++i;
            continue;
        }
        if (c != u'%' || i + 1 == text.size()) {
            out += c;
            ++i;
            continue;
        }
        std::size_t first = i + 1, digits = 2;
        if (text[first] == u'U') {
            ++first;
            digits = 4;
        }
        if (first + digits > text.size()) {
            out += u'%';
            ++i;
            continue;
        }
        unsigned value = 0;
        bool ok = true;
        for (std::size_t k = 0; k < digits; ++k) {
            const int digit = hexValue(text[first + k]);
            ok = ok && digit >= 0;
            value = value * 16 + static_cast<unsigned>(digit < 0 ? 0 : digit);
        }
        if (!ok) {
            out += u'%';
            ++i;
            continue;
        }
        out += static_cast<char16_t>(value);
        i = first + digits;
    }
    return utf8Of(out);
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

// The section a header names; "[General]" holds the keys outside any section.
std::string sectionOf(std::string_view header) {
    std::string_view inner = header.substr(1);
    if (const auto close = inner.find(']'); close != kNone) inner = inner.substr(0, close);
    inner = trimmed(inner);
    if (equalsIgnoringCase(inner, "general")) return {};
    if (equalsIgnoringCase(inner, "%general")) return std::string(inner.substr(1));
    return unescapedName(inner);
}

// The text of a value as written after "=": quotes, backslash escapes, a "," outside quotes
// separating the items of a list (given back joined by ","), spaces around items dropped. One
// reader for each thing that may come next.
class ValueReader {
  public:
    explicit ValueReader(std::string_view raw) : raw_(raw) {}

    std::u16string read() {
        skipSpaces();
        while (at_ < raw_.size()) {
            const char c = raw_[at_];
            if (c == '\\') {
                if (!readEscape()) return result_;  // the text ended inside an escape
            } else if (c == '"') {
                readQuote();
            } else if (c == ',' && !inQuotes_) {
                readComma();
            } else {
                readPlainRun();
            }
        }
        if (!quoted_) chopTrailingSpaces();
        return result_;
    }

  private:
    void skipSpaces() {
        while (at_ < raw_.size() && (raw_[at_] == ' ' || raw_[at_] == '\t')) ++at_;
        keepAll();
    }
    // What is there now stays: only spaces written after it may be chopped.
    void keepAll() { chopLimit_ = result_.size(); }
    void chopTrailingSpaces() {
        while (result_.size() > chopLimit_ && (result_.back() == u' ' || result_.back() == u'\t'))
            result_.pop_back();
    }

    // After a backslash; false where the text ends inside the escape.
    bool readEscape() {
        if (++at_ >= raw_.size()) return false;
        const char e = raw_[at_++];
        static constexpr char kCodes[][2] = {{'a', '\a'}, {'b', '\b'},  {'f', '\f'}, {'n', '\n'},
                                             {'r', '\r'}, {'t', '\t'},  {'v', '\v'}, {'"', '"'},
                                             {'?', '?'},  {'\'', '\''}, {'\\', '\\'}};
        for (const auto& code : kCodes)
            if (e == code[0]) {
                result_ += static_cast<char16_t>(code[1]);
                keepAll();
                return true;
            }
        if (e == 'x' || (e >= '0' && e <= '7')) return readNumber(e == 'x', e);
        // A backslash before a line end continues the line; before anything else it is dropped.
        if ((e == '\n' || e == '\r') && at_ < raw_.size() &&
            (raw_[at_] == '\n' || raw_[at_] == '\r') && raw_[at_] != e)
            ++at_;
        keepAll();
        return true;
    }

    // "\x" with hexadecimal digits or "\" with octal ones (`first` the first of them).
    bool readNumber(bool hex, char first) {
        if (hex && at_ >= raw_.size()) return false;
        if (hex && hexValue(static_cast<unsigned char>(raw_[at_])) < 0) {
            keepAll();
            return true;  // "\x" without digits: dropped
        }
        auto value = static_cast<char16_t>(hex ? 0 : first - '0');
        for (; at_ < raw_.size(); ++at_) {
            const char c = raw_[at_];
            const int digit = hex ? hexValue(static_cast<unsigned char>(c))
                                  : (c >= '0' && c <= '7' ? c - '0' : -1);
            if (digit < 0) break;
            value = static_cast<char16_t>(value * (hex ? 16 : 8) + digit);
        }
        result_ += value;
        keepAll();
        return true;
    }

    void readQuote() {
        ++at_;
        quoted_ = true;
        inQuotes_ = !inQuotes_;
        if (!inQuotes_) skipSpaces();
    }

    void readComma() {
        if (!quoted_) chopTrailingSpaces();
        result_ += u',';
        quoted_ = false;
        ++at_;
        skipSpaces();
    }

    void readPlainRun() {
        std::size_t end = at_ + 1;
        while (end < raw_.size() && raw_[end] != '\\' && raw_[end] != '"' && raw_[end] != ',')
            ++end;
        appendUtf16(result_, raw_.substr(at_, end - at_));
        at_ = end;
    }

    std::string_view raw_;
    std::size_t at_ = 0;
    std::u16string result_;
    std::size_t chopLimit_ = 0;
    bool inQuotes_ = false, quoted_ = false;
};

std::u16string unquotedValue(std::string_view raw) {
    return ValueReader(raw).read();
}

bool startsWith(std::u16string_view text, std::u16string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// The "@" forms: "@@" escapes a leading "@", "@Invalid()" is no value, a byte array or a string
// in "@ByteArray(...)" or "@String(...)" is its content; other forms stay as they are.
std::optional<std::string> valueFrom(std::string_view raw) {
    std::u16string text = unquotedValue(raw);
    if (!text.empty() && text.front() == u'@') {
        if (text.back() == u')') {
            if (startsWith(text, u"@ByteArray(")) return utf8Of(text.substr(11, text.size() - 12));
            if (startsWith(text, u"@String(")) return utf8Of(text.substr(8, text.size() - 9));
            if (text == u"@Invalid()") return std::nullopt;
        }
        if (startsWith(text, u"@@")) text.erase(0, 1);
    }
    return utf8Of(text);
}

// Every line of the file with the section it belongs to, the key and where its value lies.
struct Entry {
    int section;  // index into the sections, -1 before the first
    std::string key;
    std::size_t lineBegin, lineEnd, valueBegin;
};

struct Section {
    std::string name;
    std::size_t headerEnd;  // end of the header line
    std::size_t lastEntryEnd;
};

struct Parsed {
    std::vector<Entry> entries;
    std::vector<Section> sections;
    const std::string& sectionOf(const Entry& entry) const {
        static const std::string kOutside;
        return entry.section < 0 ? kOutside
                                 : sections[static_cast<std::size_t>(entry.section)].name;
    }
};

Parsed parse(std::string_view file) {
    Parsed parsed;
    std::size_t position = file.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
    int current = -1;
    Line line;
    while (nextLine(file, position, line)) {
        const std::string_view text = file.substr(line.begin, line.length);
        if (text.front() == '[') {
            parsed.sections.push_back({sectionOf(text), line.end(), line.end()});
            current = static_cast<int>(parsed.sections.size()) - 1;
            continue;
        }
        if (line.equals == kNone) continue;
        Entry entry;
        entry.section = current;
        entry.key = unescapedName(trimmed(file.substr(line.begin, line.equals - line.begin)));
        entry.lineBegin = line.begin;
        entry.lineEnd = line.end();
        entry.valueBegin = line.equals + 1;
        if (!parsed.sections.empty()) parsed.sections.back().lastEntryEnd = line.end();
        parsed.entries.push_back(std::move(entry));
    }
    return parsed;
}

std::string lineEndOf(std::string_view file) {
    const auto lf = file.find('\n');
    if (lf != kNone) return lf > 0 && file[lf - 1] == '\r' ? "\r\n" : "\n";
    return file.find('\r') != kNone ? "\r" : "\n";
}

// Past the end of the physical line `position` lies on, and its line break.
std::size_t afterPhysicalLine(std::string_view file, std::size_t position) {
    while (position < file.size() && file[position] != '\n' && file[position] != '\r') ++position;
    if (position < file.size() && file[position] == '\r') ++position;
    if (position < file.size() && file[position] == '\n') ++position;
    return position;
}

std::string headerFor(std::string_view section) {
    if (section.empty()) return "[General]";
    const std::string name = escapedName(section);
    if (equalsIgnoringCase(name, "general")) return "[%General]";
    return "[" + name + "]";
}

std::string withOneValue(std::string_view file, std::string_view section, std::string_view key,
                         std::string_view text) {
    const Parsed parsed = parse(file);
    const std::string value = escapedValue(text);
    for (auto entry = parsed.entries.rbegin(); entry != parsed.entries.rend(); ++entry) {
        if (entry->key != key || parsed.sectionOf(*entry) != section) continue;
        std::size_t begin = entry->valueBegin;
        while (begin < entry->lineEnd && (file[begin] == ' ' || file[begin] == '\t')) ++begin;
        std::string out(file.substr(0, begin));
        out += value;
        out += file.substr(entry->lineEnd);
        return out;
    }
    const std::string eol = lineEndOf(file);
    const std::string line = escapedName(key) + "=" + value + eol;
    for (auto s = parsed.sections.rbegin(); s != parsed.sections.rend(); ++s) {
        if (s->name != section) continue;
        const std::size_t at = afterPhysicalLine(file, s->lastEntryEnd);
        std::string out(file.substr(0, at));
        if (at > 0 && file[at - 1] != '\n' && file[at - 1] != '\r') out += eol;
        out += line;
        out += file.substr(at);
        return out;
    }
    std::string out(file);
    if (!out.empty() && out.back() != '\n' && out.back() != '\r') out += eol;
    if (!trimmed(file).empty()) out += eol;  // a blank line between sections
    out += headerFor(section) + eol + line;
    return out;
}

}  // namespace

std::optional<std::string> valueOf(std::string_view file, std::string_view section,
                                   std::string_view key) {
    const Parsed parsed = parse(file);
    for (auto entry = parsed.entries.rbegin(); entry != parsed.entries.rend(); ++entry)
        if (entry->key == key && parsed.sectionOf(*entry) == section)
            return valueFrom(file.substr(entry->valueBegin, entry->lineEnd - entry->valueBegin));
    return std::nullopt;
}

std::map<std::pair<std::string, std::string>, std::string> entriesOf(std::string_view file) {
    std::map<std::pair<std::string, std::string>, std::string> entries;
    const Parsed parsed = parse(file);
    for (const auto& entry : parsed.entries) {
        auto value = valueFrom(file.substr(entry.valueBegin, entry.lineEnd - entry.valueBegin));
        std::pair<std::string, std::string> address{parsed.sectionOf(entry), entry.key};
        if (value)
            entries[address] = std::move(*value);
        else
            entries.erase(address);
    }
    return entries;
}

std::optional<std::string> withValues(
    std::string_view file, std::string_view section,
    const std::vector<std::pair<std::string, std::string>>& keys) {
    std::string edited(file);
    auto expected = entriesOf(file);
    for (const auto& [key, text] : keys) {
        edited = withOneValue(edited, section, key, text);
        auto value = valueFrom(escapedValue(text));
        expected[{std::string(section), key}] = value ? *value : std::string();
    }
    // A file the reader sees otherwise after the edit (a quote left open at its end, say) is
    // left alone rather than changed beyond the keys.
    if (entriesOf(edited) != expected) return std::nullopt;
    return edited;
}

std::string escapedName(std::string_view name) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const char16_t c : utf16Of(name)) {
        if (c == u'/') {
            out += '\\';
        } else if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') ||
                   (c >= u'0' && c <= u'9') || c == u'_' || c == u'-' || c == u'.') {
            out += static_cast<char>(c);
        } else if (c <= 0xFF) {
            out += '%';
            out += kHex[c / 16];
            out += kHex[c % 16];
        } else {
            out += "%U";
            for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(c >> shift) & 0xF];
        }
    }
    return out;
}

namespace {

// A value as the file holds it, written a UTF-16 unit at a time: control characters, quotes and
// backslashes escaped, the rest kept as UTF-8, quotes around a value that needs them.
class ValueWriter {
  public:
    void put(char16_t c) {
        if (c == u';' || c == u',' || c == u'=') needsQuotes_ = true;
        const bool hexAfterEscape = escapeNextIfHex_ && hexValue(c) >= 0;
        if (c < 0x20 || c == u'"' || c == u'\\' || hexAfterEscape) flush();
        if (hexAfterEscape) {
            out_ += "\\x" + hexText(c);  // a digit that would join the escape before it
            return;
        }
        escapeNextIfHex_ = false;
        if (const char* named = namedEscape(c)) {
            out_ += named;
            escapeNextIfHex_ = c == u'\0';
        } else if (c <= 0x1F) {
            out_ += "\\x" + hexText(c);
            escapeNextIfHex_ = true;
        } else {
            plain_ += c;
        }
    }

    std::string finish() {
        flush();
        if (needsQuotes_ || (!out_.empty() && (out_.front() == ' ' || out_.back() == ' ')))
            return "\"" + out_ + "\"";
        return out_;
    }

  private:
    static const char* namedEscape(char16_t c) {
        switch (c) {
            case u'\0':
                return "\\0";
            case u'\a':
                return "\\a";
            case u'\b':
                return "\\b";
            case u'\f':
                return "\\f";
            case u'\n':
                return "\\n";
            case u'\r':
                return "\\r";
            case u'\t':
                return "\\t";
            case u'\v':
                return "\\v";
            case u'"':
                return "\\\"";
            case u'\\':
                return "\\\\";
            default:
                return nullptr;
        }
    }
    static std::string hexText(unsigned value) {
        static constexpr char kHex[] = "0123456789abcdef";
        std::string digits;
        do {
            digits.insert(digits.begin(), kHex[value % 16]);
            value /= 16;
        } while (value);
        return digits;
    }
    // Written as UTF-8 at the next escape, so that surrogate pairs stay whole.
    void flush() {
        out_ += utf8Of(plain_);
        plain_.clear();
    }

    std::string out_;
    std::u16string plain_;
    bool needsQuotes_ = false, escapeNextIfHex_ = false;
};

}  // namespace

std::string escapedValue(std::string_view text) {
    std::u16string units = utf16Of(text);
    if (!units.empty() && units.front() == u'@') units.insert(units.begin(), u'@');
    ValueWriter writer;
    for (const char16_t c : units) writer.put(c);
    return writer.finish();
}

}  // namespace rzv::ini
