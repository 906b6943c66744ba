#include "platform/registry/RegFileFormat.h"

#include "settings/ConfigurationKey.h"

#include <algorithm>
#include <charconv>

#include <strings.h>

namespace RegFile {

namespace {

constexpr std::string_view kHeader = "REGEDIT4";
constexpr std::string_view kHexString = "hex(1):";
constexpr std::size_t kHexLineWidth = 76;
const std::string kSection = std::string("HKEY_LOCAL_MACHINE\\") + ConfigurationKey::Path;

bool isControl(char c)
{
    return static_cast<unsigned char>(c) < 0x20 || c == 0x7f;
}

// Takes the next line off `text`, without the blanks at either end.
std::string_view takeLine(std::string_view& text)
{
    std::string_view line = text.substr(0, text.find('\n'));
    text.remove_prefix(std::min(line.size() + 1, text.size()));
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!line.empty() && blank(line.front()))
        line.remove_prefix(1);
    while (!line.empty() && blank(line.back()))
        line.remove_suffix(1);
    return line;
}

// Reads a quoted string at the start of `s` and moves `s` past its closing quote.
bool takeQuoted(std::string_view& s, std::string& out)
{
    if (s.empty() || s.front() != '"')
        return false;
    for (std::size_t i = 1; i < s.size(); ++i) {
        if (s[i] == '"') {
            s.remove_prefix(i + 1);
            return true;
        }
        if (s[i] == '\\' && (++i == s.size() || (s[i] != '\\' && s[i] != '"')))
            return false;
        out += s[i];
    }
    return false;
}

// "61,62,63" (the blanks of joined lines already gone) into bytes.
bool parseHexBytes(std::string_view s, std::string& out)
{
    for (std::size_t i = 0; i < s.size(); i += 3) {
        unsigned byte = 0;
        if (s.size() < i + 2 || std::from_chars(&s[i], &s[i] + 2, byte, 16).ptr != &s[i] + 2 ||
            (s.size() > i + 2 && (s[i + 2] != ',' || s.size() == i + 3)))
            return false;
        out += static_cast<char>(byte);
    }
    return true;
}

bool parseValue(std::string_view line, std::string& name, std::string& data)
{
    if (!takeQuoted(line, name) || !isStorableName(name) || line.substr(0, 1) != "=")
        return false;
    line.remove_prefix(1);
    if (line.substr(0, 1) == "\"")
        return takeQuoted(line, data) && line.empty();
    return equalsIgnoringCase(line.substr(0, kHexString.size()), kHexString) &&
           parseHexBytes(line.substr(kHexString.size()), data);
}

std::string quoted(std::string_view text)
{
    std::string out = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"')
            out += '\\';
        out += c;
    }
    return out + '"';
}

// Appends data as hex(1) bytes to a line already `width` characters long, wrapped as regedit
// wraps its exports.
void appendHex(std::string& out, std::string_view data, std::size_t width)
{
    constexpr char digits[] = "0123456789abcdef";
    out += kHexString;
    width += kHexString.size();
    for (std::size_t i = 0; i < data.size(); ++i) {
        if (i > 0 && width + 3 > kHexLineWidth) {
            out += ",\\\n  ";
            width = 2;
        } else if (i > 0) {
            out += ',';
            ++width;
        }
        out += digits[static_cast<unsigned char>(data[i]) >> 4];
        out += digits[static_cast<unsigned char>(data[i]) & 0xf];
        width += 2;
    }
}

} // namespace

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && ::strncasecmp(a.data(), b.data(), a.size()) == 0;
}

bool isStorableName(std::string_view name)
{
    return std::none_of(name.begin(), name.end(), isControl);
}

std::string* Values::find(std::string_view name)
{
    const auto it = std::find_if(list.begin(), list.end(), [&name](const auto& value) {
        return equalsIgnoringCase(value.first, name);
    });
    return it != list.end() ? &it->second : nullptr;
}

void Values::set(const std::string& name, const std::string& data)
{
    if (std::string* old = find(name))
        *old = data; // the spelling first stored stays
    else
        list.emplace_back(name, data);
}

Values parse(std::string_view text)
{
    Values values;
    bool inKey = false;
    while (!text.empty()) {
        std::string line(takeLine(text));
        if (line.empty() || line.front() == ';' || line == kHeader)
            continue;
        while (line.back() == '\\' && !text.empty()) { // hex data goes on in the next line
            line.pop_back();
            line += takeLine(text);
        }
        if (line.front() == '[' && line.back() == ']') {
            inKey = equalsIgnoringCase(std::string_view(line).substr(1, line.size() - 2), kSection);
            values.complete = values.complete && inKey;
            continue;
        }
        std::string name;
        std::string data;
        if (inKey && parseValue(line, name, data))
            values.set(name, data);
        else
            values.complete = false;
    }
    return values;
}

std::string format(const Values& values)
{
    std::string out = std::string(kHeader) + "\n\n[" + kSection + "]\n";
    for (const auto& [name, data] : values.list) {
        const std::size_t lineStart = out.size();
        out += quoted(name) + '=';
        if (std::all_of(data.begin(), data.end(),
                        [](char c) { return c == '\t' || !isControl(c); }))
            out += quoted(data);
        else
            appendHex(out, data, out.size() - lineStart);
        out += '\n';
    }
    return out + '\n';
}

} // namespace RegFile
