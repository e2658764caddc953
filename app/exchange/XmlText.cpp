#include "exchange/XmlText.h"

#include <cctype>
#include <cerrno>
#include <cstdint>
#include <iconv.h>

namespace {

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

bool IsUtf8Name(const std::string& strLower) {
    return strLower == "utf-8" || strLower == "utf8";
}

// iconv from strFrom to UTF-8; false when the name is unknown or a byte sequence is invalid.
enum class Conversion { Ok, UnknownEncoding, InvalidBytes };

Conversion ConvertToUtf8(std::string_view bytes, const std::string& strFrom, std::string& out) {
    // Only a plain encoding name: iconv would read "//IGNORE" and the like as instructions.
    if (strFrom.empty() || strFrom.size() > 40)
        return Conversion::UnknownEncoding;
    for (char c : strFrom)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-' && c != '_' && c != '.' &&
            c != ':')
            return Conversion::UnknownEncoding;
    iconv_t cd = ::iconv_open("UTF-8", strFrom.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1))
        return Conversion::UnknownEncoding;
    out.clear();
    out.reserve(bytes.size() + bytes.size() / 4);
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    char buf[16384];
    Conversion result = Conversion::Ok;
    while (inLeft > 0) {
        char* o = buf;
        std::size_t oLeft = sizeof buf;
        const std::size_t rc = ::iconv(cd, &in, &inLeft, &o, &oLeft);
        out.append(buf, static_cast<std::size_t>(o - buf));
        if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) {
            result = Conversion::InvalidBytes; // EILSEQ, or EINVAL for a truncated sequence
            break;
        }
    }
    if (result == Conversion::Ok) {
        char* o = buf;
        std::size_t oLeft = sizeof buf;
        ::iconv(cd, nullptr, nullptr, &o, &oLeft);
        out.append(buf, static_cast<std::size_t>(o - buf));
    }
    ::iconv_close(cd);
    return result;
}

bool Convert(std::string_view bytes, const std::string& strEncoding, std::string& strUtf8,
             std::string& strError) {
    switch (ConvertToUtf8(bytes, strEncoding, strUtf8)) {
    case Conversion::Ok:
        return true;
    case Conversion::UnknownEncoding:
        strError = "Fisierul XML foloseste o codificare necunoscuta (" + strEncoding + ")!";
        return false;
    case Conversion::InvalidBytes:
        break;
    }
    strError = "Fisierul XML contine caractere care nu respecta codificarea " + strEncoding + "!";
    return false;
}

bool StartsWith(std::string_view s, std::string_view prefix) {
    return s.size() >= prefix.size() && s.substr(0, prefix.size()) == prefix;
}

} // namespace

bool IsValidUtf8(std::string_view text) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const auto* end = p + text.size();
    while (p < end) {
        const unsigned char c = *p;
        if (c < 0x80) {
            ++p;
            continue;
        }
        int n = 0;
        unsigned int cp = 0;
        if (c >= 0xC2 && c <= 0xDF) {
            n = 1;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            n = 2;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            n = 3;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (end - p <= n)
            return false;
        for (int i = 1; i <= n; ++i) {
            if ((p[i] & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (p[i] & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF.
        if ((n == 2 && cp < 0x800) || (n == 3 && cp < 0x10000) || cp > 0x10FFFF ||
            (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        p += n + 1;
    }
    return true;
}

std::size_t Utf8Length(std::string_view text) {
    std::size_t n = 0;
    for (char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++n;
    return n;
}

std::string DeclaredXmlEncoding(std::string_view bytes) {
    if (!StartsWith(bytes, "<?xml"))
        return {};
    const std::size_t close = bytes.find("?>");
    if (close == std::string_view::npos)
        return {};
    const std::string_view decl = bytes.substr(0, close);
    std::size_t pos = decl.find("encoding");
    while (pos != std::string_view::npos) {
        std::size_t i = pos + 8;
        while (i < decl.size() && std::isspace(static_cast<unsigned char>(decl[i])))
            ++i;
        if (i < decl.size() && decl[i] == '=') {
            ++i;
            while (i < decl.size() && std::isspace(static_cast<unsigned char>(decl[i])))
                ++i;
            if (i < decl.size() && (decl[i] == '"' || decl[i] == '\'')) {
                const std::size_t end = decl.find(decl[i], i + 1);
                if (end != std::string_view::npos)
                    return std::string(decl.substr(i + 1, end - i - 1));
            }
            return {};
        }
        pos = decl.find("encoding", pos + 8);
    }
    return {};
}

bool DecodeXmlText(std::string_view bytes, std::string& strUtf8, std::string& strError) {
    strError.clear();
    if (StartsWith(bytes, "\xEF\xBB\xBF"))
        bytes.remove_prefix(3);
    else if (StartsWith(bytes, "\xFF\xFE"))
        return Convert(bytes.substr(2), "UTF-16LE", strUtf8, strError);
    else if (StartsWith(bytes, "\xFE\xFF"))
        return Convert(bytes.substr(2), "UTF-16BE", strUtf8, strError);

    const std::string strDeclared = DeclaredXmlEncoding(bytes);
    if (!strDeclared.empty() && !IsUtf8Name(Lower(strDeclared)))
        return Convert(bytes, strDeclared, strUtf8, strError);
    if (IsValidUtf8(bytes)) {
        strUtf8.assign(bytes);
        return true;
    }
    if (!strDeclared.empty()) {
        strError =
            "Fisierul XML contine caractere care nu respecta codificarea " + strDeclared + "!";
        return false;
    }
    return Convert(bytes, "WINDOWS-1250", strUtf8, strError);
}

namespace {

bool IsXmlChar(std::uint32_t c) {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
           (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

// One code point of valid UTF-8 at pos; pos moves past it.
std::uint32_t NextCodePoint(std::string_view s, std::size_t& pos) {
    const auto b = static_cast<unsigned char>(s[pos++]);
    int extra = b < 0x80 ? 0 : b < 0xE0 ? 1 : b < 0xF0 ? 2 : 3;
    std::uint32_t c = extra == 0   ? b
                      : extra == 1 ? (b & 0x1F)
                      : extra == 2 ? (b & 0x0F)
                                   : (b & 0x07);
    while (extra-- > 0 && pos < s.size())
        c = (c << 6) | (static_cast<unsigned char>(s[pos++]) & 0x3F);
    return c;
}

// A reference starting at s[pos] == '&'; pos moves past its ';'.
bool SkipReference(std::string_view s, std::size_t& pos) {
    const std::size_t semi = s.find(';', pos + 1);
    if (semi == std::string_view::npos || semi - pos > 12)
        return false;
    const std::string_view name = s.substr(pos + 1, semi - pos - 1);
    pos = semi + 1;
    if (name == "lt" || name == "gt" || name == "amp" || name == "quot" || name == "apos")
        return true;
    if (name.size() < 2 || name[0] != '#')
        return false;
    const bool hex = name[1] == 'x';
    const std::string_view digits = name.substr(hex ? 2 : 1);
    if (digits.empty())
        return false;
    std::uint32_t c = 0;
    for (char ch : digits) {
        int v = -1;
        if (ch >= '0' && ch <= '9')
            v = ch - '0';
        else if (hex && ch >= 'a' && ch <= 'f')
            v = ch - 'a' + 10;
        else if (hex && ch >= 'A' && ch <= 'F')
            v = ch - 'A' + 10;
        if (v < 0)
            return false;
        c = c * (hex ? 16 : 10) + static_cast<std::uint32_t>(v);
        if (c > 0x10FFFF)
            return false;
    }
    return IsXmlChar(c);
}

// Character data (text or an attribute value) from pos up to the first of stop; false on a
// character or a reference XML does not allow.
bool SkipCharacterData(std::string_view s, std::size_t& pos, std::string_view stop,
                       std::size_t& fault) {
    while (pos < s.size() && stop.find(s[pos]) == std::string_view::npos) {
        if (s[pos] == '&') {
            fault = pos;
            if (!SkipReference(s, pos))
                return false;
            continue;
        }
        fault = pos;
        if (!IsXmlChar(NextCodePoint(s, pos)))
            return false;
    }
    return true;
}

bool OnlyXmlChars(std::string_view s, std::size_t from, std::size_t to, std::size_t& fault) {
    std::size_t pos = from;
    while (pos < to) {
        fault = pos;
        if (!IsXmlChar(NextCodePoint(s, pos)))
            return false;
    }
    return true;
}

} // namespace

bool EsteXmlBineFormat(std::string_view s, std::size_t& iPozitie) {
    std::size_t pos = 0;
    int depth = 0;
    bool bRootSeen = false;
    const auto fail = [&](std::size_t at) {
        iPozitie = at;
        return false;
    };
    const auto skipTo = [&](std::string_view end) {
        const std::size_t found = s.find(end, pos);
        if (found == std::string_view::npos)
            return false;
        std::size_t fault = 0;
        if (!OnlyXmlChars(s, pos, found, fault)) {
            pos = fault;
            return false;
        }
        pos = found + end.size();
        return true;
    };
    while (pos < s.size()) {
        const std::size_t start = pos;
        if (s[pos] != '<') {
            std::size_t fault = pos;
            if (depth == 0) {
                // Outside the root only blanks may stand.
                while (pos < s.size() && s[pos] != '<') {
                    const char c = s[pos];
                    if (c != ' ' && c != '\t' && c != '\r' && c != '\n')
                        return fail(pos);
                    ++pos;
                }
            } else if (!SkipCharacterData(s, pos, "<", fault)) {
                return fail(fault);
            }
            continue;
        }
        const std::string_view rest = s.substr(pos);
        if (rest.substr(0, 4) == "<!--") {
            pos += 4;
            if (!skipTo("-->"))
                return fail(pos < s.size() ? pos : start);
        } else if (rest.substr(0, 9) == "<![CDATA[") {
            if (depth == 0)
                return fail(start);
            pos += 9;
            if (!skipTo("]]>"))
                return fail(pos < s.size() ? pos : start);
        } else if (rest.substr(0, 2) == "<?") {
            pos += 2;
            if (!skipTo("?>"))
                return fail(pos < s.size() ? pos : start);
        } else if (rest.substr(0, 2) == "<!") {
            // A document type declaration, before the root only; an internal subset between
            // brackets may hold '>' of its own.
            if (depth > 0 || bRootSeen)
                return fail(start);
            std::size_t i = pos + 2;
            char quote = 0;
            int brackets = 0;
            for (; i < s.size(); ++i) {
                const char c = s[i];
                if (quote) {
                    if (c == quote)
                        quote = 0;
                } else if (c == '"' || c == '\'') {
                    quote = c;
                } else if (c == '[') {
                    ++brackets;
                } else if (c == ']') {
                    --brackets;
                } else if (c == '>' && brackets <= 0) {
                    break;
                }
            }
            if (i >= s.size())
                return fail(start);
            pos = i + 1;
        } else if (rest.substr(0, 2) == "</") {
            if (depth == 0)
                return fail(start);
            pos += 2;
            if (!skipTo(">"))
                return fail(start);
            --depth;
        } else {
            if (depth == 0 && bRootSeen)
                return fail(start); // a second root element
            ++pos;
            bool bEmpty = false;
            for (;;) {
                if (pos >= s.size())
                    return fail(start); // cut inside a tag
                const char c = s[pos];
                if (c == '"' || c == '\'') {
                    ++pos;
                    std::size_t fault = pos;
                    const char stop[] = {c, '<', 0};
                    if (!SkipCharacterData(s, pos, stop, fault))
                        return fail(fault);
                    if (pos >= s.size() || s[pos] != c)
                        return fail(pos < s.size() ? pos : start);
                    ++pos;
                } else if (c == '>') {
                    bEmpty = pos > start + 1 && s[pos - 1] == '/';
                    ++pos;
                    break;
                } else if (c == '<') {
                    return fail(pos);
                } else {
                    std::size_t fault = pos;
                    if (!IsXmlChar(NextCodePoint(s, pos)))
                        return fail(fault);
                }
            }
            bRootSeen = true;
            if (!bEmpty)
                ++depth;
        }
    }
    if (depth != 0 || !bRootSeen)
        return fail(s.size());
    return true;
}
