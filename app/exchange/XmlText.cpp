#include "exchange/XmlText.h"

#include <cctype>
#include <cerrno>
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
