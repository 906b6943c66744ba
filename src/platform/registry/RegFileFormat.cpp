#include "platform/registry/RegFileFormat.h"

#include <algorithm>
#include <charconv>

namespace {

constexpr std::string_view kHeader = "REGEDIT4";
constexpr std::string_view kHex = "hex(1):";

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    return RegFile::equalsIgnoringAsciiCase(a, b);
}

std::string section(std::string_view keyPath)
{
    return "[HKEY_LOCAL_MACHINE\\" + std::string(keyPath) + "]";
}

std::string_view takeLine(std::string_view& text)
{
    std::string_view line = text.substr(0, text.find('\n'));
    text.remove_prefix(std::min(line.size() + 1, text.size()));
    line.remove_prefix(std::min(line.find_first_not_of(" \t\r"), line.size()));
    return line.substr(0, line.find_last_not_of(" \t\r") + 1);
}

// Takes a quoted string, or hex(1) bytes such as "61,62" that run to the end of the line (the
// line breaks of wrapped data already gone), off the front of `s`.
bool takeString(std::string_view& s, std::string& out)
{
    if (equalsIgnoringCase(s.substr(0, kHex.size()), kHex)) {
        const std::string_view hex = s.substr(kHex.size());
        s = {};
        for (std::size_t i = 0; i < hex.size(); i += 3) {
            unsigned byte = 0;
            if (hex.size() % 3 != 2 ||
                std::from_chars(&hex[i], &hex[i] + 2, byte, 16).ptr != &hex[i] + 2 ||
                (i + 2 < hex.size() && hex[i + 2] != ','))
                return false;
            out += static_cast<char>(byte);
        }
        return true;
    }
    for (std::size_t i = 1; s.substr(0, 1) == "\"" && i < s.size(); ++i) {
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

// Appends `text` in quotes, or else as hex(1) bytes wrapped as regedit wraps them, then `end`.
void appendString(std::string& out, std::string_view text, char end)
{
    if (RegFile::fitsInQuotes(text)) {
        out += '"';
        for (char c : text)
            out += c == '\\' || c == '"' ? std::string{'\\', c} : std::string{c};
        out += {'"', end};
        return;
    }
    constexpr char digits[] = "0123456789abcdef";
    out += kHex;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i > 0) // regedit wraps hex data before a line grows past 76 characters
            out += out.size() - out.rfind('\n') + 2 > 76 ? ",\\\n  " : ",";
        out += digits[static_cast<unsigned char>(text[i]) >> 4];
        out += digits[static_cast<unsigned char>(text[i]) & 0xf];
    }
    out += end;
}

} // namespace

// The C library's case-insensitive comparisons follow the locale: under a Turkish one "I" and
// "i" are different letters, and a file written in capitals would not be read.
bool RegFile::equalsIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return lower(x) == lower(y); });
}

bool RegFile::fitsInQuotes(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) {
        return c == '\t' || (static_cast<unsigned char>(c) >= 0x20 && c != 0x7f);
    });
}

const std::string* RegFile::Values::find(std::string_view name) const
{
    const auto it = std::find_if(list.rbegin(), list.rend(), [&name](const auto& value) {
        return equalsIgnoringCase(value.first, name);
    });
    return it != list.rend() ? &it->second : nullptr;
}

std::string* RegFile::Values::find(std::string_view name)
{
    return const_cast<std::string*>(std::as_const(*this).find(name));
}

RegFile::Values RegFile::parse(std::string_view text, std::string_view keyPath)
{
    const std::string keySection = section(keyPath);
    Values values;
    bool inKey = false;
    while (!text.empty()) {
        std::string line(takeLine(text));
        if (line.empty() || line.front() == ';' || line == kHeader)
            continue;
        // Hex data goes on in the next line; a lone backslash stays, so the line is never empty.
        while (line.size() > 1 && line.back() == '\\' && !text.empty())
            line.replace(line.size() - 1, 1, takeLine(text));
        std::string_view rest = line;
        std::string name;
        std::string data;
        if (line.front() == '[' && line.back() == ']')
            inKey = equalsIgnoringCase(line, keySection);
        else if (inKey && takeString(rest, name) && fitsInQuotes(name) &&
                 rest.substr(0, 1) == "=" && takeString(rest = rest.substr(1), data) &&
                 rest.empty())
            values.list.emplace_back(name, data);
        else
            values.complete = false;
        values.complete = values.complete && inKey; // another key is damage too
    }
    return values;
}

std::string RegFile::format(const Values& values, std::string_view keyPath)
{
    std::string out = std::string(kHeader) + "\n\n" + section(keyPath) + "\n";
    for (const auto& [name, data] : values.list) {
        appendString(out, name, '=');
        appendString(out, data, '\n');
    }
    return out + '\n';
}
