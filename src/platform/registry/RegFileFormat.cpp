#include "platform/registry/RegFileFormat.h"

#include <array>
#include <cstdio>

namespace RegFile {

namespace {

constexpr std::string_view kHeader = "REGEDIT4";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::uint32_t kBinary = 3;
constexpr std::uint32_t kDword = 4;
constexpr std::uint32_t kString = 1;
constexpr std::size_t kHexLineWidth = 76;

constexpr std::array<std::string_view, 5> kRoots = {"HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER",
                                                    "HKEY_LOCAL_MACHINE", "HKEY_USERS",
                                                    "HKEY_CURRENT_CONFIG"};

char lowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool startsWithIgnoringCase(std::string_view s, std::string_view prefix)
{
    return s.size() >= prefix.size() && equalsIgnoringCase(s.substr(0, prefix.size()), prefix);
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    c = lowerAscii(c);
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// Reads 1 to 8 hex digits as a 32-bit number.
bool parseHex32(std::string_view s, std::uint32_t& out)
{
    if (s.empty() || s.size() > 8)
        return false;
    out = 0;
    for (char c : s) {
        const int d = hexDigit(c);
        if (d < 0)
            return false;
        out = (out << 4) | static_cast<std::uint32_t>(d);
    }
    return true;
}

class LineReader {
public:
    explicit LineReader(std::string_view text)
        : m_text(text)
    {}

    bool next(std::string_view& line)
    {
        if (m_pos >= m_text.size())
            return false;
        const std::size_t end = m_text.find('\n', m_pos);
        if (end == std::string_view::npos) {
            line = m_text.substr(m_pos);
            m_pos = m_text.size();
        } else {
            line = m_text.substr(m_pos, end - m_pos);
            m_pos = end + 1;
        }
        return true;
    }

private:
    std::string_view m_text;
    std::size_t m_pos = 0;
};

// Reads a quoted string at the start of `s` and advances `s` past its closing quote.
bool parseQuoted(std::string_view& s, std::string& out)
{
    if (s.empty() || s.front() != '"')
        return false;
    out.clear();
    for (std::size_t i = 1; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '"') {
            s.remove_prefix(i + 1);
            return true;
        }
        if (c == '\\') {
            if (i + 1 >= s.size() || (s[i + 1] != '\\' && s[i + 1] != '"'))
                return false;
            out += s[++i];
        } else {
            out += c;
        }
    }
    return false;
}

bool parseBytes(std::string_view s, std::string& out)
{
    out.clear();
    s = trimmed(s);
    if (s.empty())
        return true;
    while (true) {
        const std::size_t comma = s.find(',');
        const std::string_view item = trimmed(s.substr(0, comma));
        if (item.size() != 2 || hexDigit(item[0]) < 0 || hexDigit(item[1]) < 0)
            return false;
        out += static_cast<char>(hexDigit(item[0]) * 16 + hexDigit(item[1]));
        if (comma == std::string_view::npos)
            return true;
        s.remove_prefix(comma + 1);
    }
}

// Parses the data part of a value line (after "="). Hex data pulls its continuation lines
// from `lines`.
bool parseData(std::string_view s, LineReader& lines, Value& value)
{
    if (!s.empty() && s.front() == '"') {
        value.type = kString;
        return parseQuoted(s, value.data) && trimmed(s).empty();
    }
    if (startsWithIgnoringCase(s, "dword:")) {
        std::uint32_t number = 0;
        if (!parseHex32(s.substr(6), number))
            return false;
        value.type = kDword;
        value.data.clear();
        for (int i = 0; i < 4; ++i)
            value.data += static_cast<char>((number >> (8 * i)) & 0xff);
        return true;
    }
    if (!startsWithIgnoringCase(s, "hex"))
        return false;
    s.remove_prefix(3);
    value.type = kBinary;
    if (!s.empty() && s.front() == '(') {
        const std::size_t close = s.find(')');
        if (close == std::string_view::npos || !parseHex32(s.substr(1, close - 1), value.type))
            return false;
        s.remove_prefix(close + 1);
    }
    if (s.empty() || s.front() != ':')
        return false;
    s.remove_prefix(1);

    std::string joined(s);
    std::string_view more;
    while (!joined.empty() && joined.back() == '\\') {
        joined.pop_back();
        if (!lines.next(more))
            return false; // cut off in the middle of the data
        joined += trimmed(more);
    }
    return parseBytes(joined, value.data);
}

bool parseValueLine(std::string_view line, LineReader& lines, Value& value)
{
    if (line.front() == '@') {
        value.name.clear();
        line.remove_prefix(1);
    } else if (!parseQuoted(line, value.name) || !isStorableName(value.name)) {
        return false;
    }
    line = trimmed(line);
    if (line.empty() || line.front() != '=')
        return false;
    return parseData(trimmed(line.substr(1)), lines, value);
}

// Turns the inside of a section header into a canonical key path.
bool parseKeyPath(std::string_view text, std::string& path)
{
    const std::size_t slash = text.find('\\');
    const std::string_view root = canonicalRootName(text.substr(0, slash));
    if (root.empty())
        return false;
    path = root;
    if (slash == std::string_view::npos)
        return true;
    std::string_view rest = text.substr(slash + 1);
    while (true) {
        const std::size_t next = rest.find('\\');
        const std::string_view part = rest.substr(0, next);
        if (part.empty() || !isStorableName(part))
            return false;
        path += '\\';
        path += part;
        if (next == std::string_view::npos)
            return true;
        rest.remove_prefix(next + 1);
    }
}

bool fitsQuoted(const Value& value)
{
    if (value.type != kString)
        return false;
    for (char c : value.data) {
        const auto u = static_cast<unsigned char>(c);
        if ((u < 0x20 && c != '\t') || u == 0x7f)
            return false;
    }
    return true;
}

std::string quoted(std::string_view text)
{
    std::string out = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"')
            out += '\\';
        out += c;
    }
    out += '"';
    return out;
}

std::string hexNumber(std::uint32_t n, int width)
{
    std::array<char, 16> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%0*x", width, static_cast<unsigned>(n));
    return buffer.data();
}

void appendValueLine(std::string& out, const Value& value)
{
    const std::size_t lineStart = out.size();
    out += value.name.empty() ? std::string("@") : quoted(value.name);
    out += '=';
    if (fitsQuoted(value)) {
        out += quoted(value.data);
    } else if (value.type == kDword && value.data.size() == 4) {
        std::uint32_t number = 0;
        for (int i = 3; i >= 0; --i)
            number = (number << 8) | static_cast<unsigned char>(value.data[i]);
        out += "dword:" + hexNumber(number, 8);
    } else {
        out +=
            value.type == kBinary ? std::string("hex:") : "hex(" + hexNumber(value.type, 1) + "):";
        std::size_t width = out.size() - lineStart;
        for (std::size_t i = 0; i < value.data.size(); ++i) {
            if (i > 0) {
                out += ',';
                if (width + 3 > kHexLineWidth) {
                    out += "\\\n  ";
                    width = 2;
                } else {
                    width += 1;
                }
            }
            out += hexNumber(static_cast<unsigned char>(value.data[i]), 2);
            width += 2;
        }
    }
    out += '\n';
}

} // namespace

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lowerAscii(a[i]) != lowerAscii(b[i]))
            return false;
    }
    return true;
}

std::string_view canonicalRootName(std::string_view name)
{
    for (std::string_view root : kRoots) {
        if (equalsIgnoringCase(root, name))
            return root;
    }
    return {};
}

bool isStorableName(std::string_view name)
{
    for (char c : name) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7f)
            return false;
    }
    return true;
}

Document parse(std::string_view text)
{
    Document document;
    if (text.substr(0, kUtf8Bom.size()) == kUtf8Bom)
        text.remove_prefix(kUtf8Bom.size());

    LineReader lines(text);
    std::string_view raw;
    bool inSection = false;
    bool sawSection = false;
    std::size_t current = 0; // index of the key the value lines belong to
    while (lines.next(raw)) {
        const std::string_view line = trimmed(raw);
        if (line.empty() || line.front() == ';')
            continue;
        if (line == kHeader && !sawSection)
            continue;
        if (line.front() == '[' && line.back() == ']') {
            sawSection = true;
            std::string path;
            inSection = parseKeyPath(line.substr(1, line.size() - 2), path);
            if (inSection)
                current =
                    static_cast<std::size_t>(&findOrAddKey(document, path) - document.keys.data());
            else
                document.complete = false;
            continue;
        }
        Value value;
        if ((line.front() == '"' || line.front() == '@') && inSection &&
            parseValueLine(line, lines, value)) {
            setValue(document.keys[current], value);
        } else {
            document.complete = false;
        }
    }
    return document;
}

std::string format(const Document& document)
{
    std::string out(kHeader);
    out += "\n\n";
    for (const Key& key : document.keys) {
        out += '[' + key.path + "]\n";
        for (const Value& value : key.values)
            appendValueLine(out, value);
        out += '\n';
    }
    return out;
}

const Key* findKey(const Document& document, std::string_view path)
{
    for (const Key& key : document.keys) {
        if (equalsIgnoringCase(key.path, path))
            return &key;
    }
    return nullptr;
}

bool keyExists(const Document& document, std::string_view path)
{
    if (!canonicalRootName(path).empty())
        return true;
    for (const Key& key : document.keys) {
        if (key.path.size() >= path.size() &&
            equalsIgnoringCase(std::string_view(key.path).substr(0, path.size()), path) &&
            (key.path.size() == path.size() || key.path[path.size()] == '\\'))
            return true;
    }
    return false;
}

Key& findOrAddKey(Document& document, std::string_view path)
{
    for (Key& key : document.keys) {
        if (equalsIgnoringCase(key.path, path))
            return key;
    }
    document.keys.push_back(Key{std::string(path), {}});
    return document.keys.back();
}

const Value* findValue(const Key& key, std::string_view name)
{
    for (const Value& value : key.values) {
        if (equalsIgnoringCase(value.name, name))
            return &value;
    }
    return nullptr;
}

void setValue(Key& key, const Value& value)
{
    for (Value& existing : key.values) {
        if (equalsIgnoringCase(existing.name, value.name)) {
            existing.type = value.type;
            existing.data = value.data;
            return;
        }
    }
    key.values.push_back(value);
}

} // namespace RegFile
