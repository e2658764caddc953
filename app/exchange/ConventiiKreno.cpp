#include "exchange/ConventiiKreno.h"

#include "core/Lists.h"
#include "core/ValueFunctions.h"
#include "exchange/TransferFile.h"
#include "exchange/XmlText.h"
#include "platform/Clock.h"

#include <pugixml.hpp>

#define CRYPTOPP_ENABLE_NAMESPACE_WEAK 1
#include <cryptopp/md5.h>

#include <cctype>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <set>

const std::array<const char*, kConventiiColCount> kConventiiAtribute = {"CIF",
                                                                        "CNP",
                                                                        "CNP_CORECT",
                                                                        "NUME",
                                                                        "PRENUME",
                                                                        "ID_PERS",
                                                                        "STARE_PERS",
                                                                        "DATA_STARE",
                                                                        "INFO_STARE",
                                                                        "DATA_PENS",
                                                                        "DATA_ANG",
                                                                        "CATEGORIE_PERS",
                                                                        "ID_MA",
                                                                        "TIP_MA",
                                                                        "DATA_START",
                                                                        "DATA_SFARSIT",
                                                                        "DOC_NR",
                                                                        "DOC_DATA",
                                                                        "STARE_MA",
                                                                        "DOC_NUME_PERS",
                                                                        "DOC_NUME_FUNCTIE",
                                                                        "TIPCM",
                                                                        "BAZA_CALCUL_L116"};

const std::array<const char*, kConventiiColCount> kConventiiColoane = {"CIF",
                                                                       "CNP",
                                                                       "CNP_CORECT",
                                                                       "NUME",
                                                                       "PRENUME",
                                                                       "ID_PERS",
                                                                       "STARE_PERS",
                                                                       "DATA_STARE",
                                                                       "INFO_STARE",
                                                                       "DATA_PENS",
                                                                       "DATA_ANG",
                                                                       "CATEGORIE_PERS",
                                                                       "ID_MA",
                                                                       "TIP_MA",
                                                                       "DATA_START",
                                                                       "DATA_SFARSIT",
                                                                       "DOC_NR",
                                                                       "DOC_DATA",
                                                                       "STARE_MA",
                                                                       "DOC_NUME_PERS",
                                                                       "DOC_NUME_FUNCTIE",
                                                                       "TIPCM",
                                                                       "SUMA_BAZA_CALCUL_L116"};

namespace {

// What each column of ATO_INFO_CONVENTII takes (schema.sql).
enum class Kind { Text, Whole, Int, Date, Amount };
struct Column {
    Kind kind;
    int iSize; // characters of a text, digits of a NUMERIC(n,0); 0 for the rest
    bool bZeroWhenEmpty;
};

const std::array<Column, kConventiiColCount> kColumns = {{
    {Kind::Text, 15, false},  // CIF
    {Kind::Whole, 15, false}, // CNP            NUMERIC(15,0)
    {Kind::Whole, 13, false}, // CNP_CORECT     NUMERIC(13,0)
    {Kind::Text, 55, false},  // NUME
    {Kind::Text, 55, false},  // PRENUME
    {Kind::Whole, 0, false},  // ID_PERS        BIGINT
    {Kind::Int, 0, false},    // STARE_PERS
    {Kind::Date, 0, false},   // DATA_STARE
    {Kind::Text, 255, false}, // INFO_STARE
    {Kind::Date, 0, false},   // DATA_PENS
    {Kind::Date, 0, false},   // DATA_ANG
    {Kind::Text, 10, false},  // CATEGORIE_PERS
    {Kind::Whole, 0, false},  // ID_MA          BIGINT
    {Kind::Int, 0, false},    // TIP_MA
    {Kind::Date, 0, false},   // DATA_START
    {Kind::Date, 0, false},   // DATA_SFARSIT
    {Kind::Text, 50, false},  // DOC_NR
    {Kind::Date, 0, false},   // DOC_DATA
    {Kind::Int, 0, false},    // STARE_MA
    {Kind::Text, 100, false}, // DOC_NUME_PERS
    {Kind::Text, 100, false}, // DOC_NUME_FUNCTIE
    {Kind::Int, 0, true},     // TIPCM
    {Kind::Amount, 0, true},  // SUMA_BAZA_CALCUL_L116  NUMERIC(18,2)
}};

// Persons handled between two progress calls.
constexpr std::size_t ROWS_PER_STEP = 500;

constexpr std::size_t RECORD_SIZE = 9;
// Records deciphered per step: about 2.3 MB read at a time.
constexpr std::size_t RECORDS_PER_STEP = 256 * 1024;

std::string ReadFailure(const std::string& strPath) {
    return "Fisierul " + strPath + " nu a putut fi deschis pentru citire!";
}

bool EqualsNoCase(const char* a, const char* b) {
    return core::EqualsNoCase(std::string(a), std::string(b));
}

std::string_view TrimBlanks(std::string_view s) {
    const std::size_t b = s.find_first_not_of(" \t\r\n");
    if (b == std::string_view::npos)
        return {};
    const std::size_t e = s.find_last_not_of(" \t\r\n");
    return s.substr(b, e - b + 1);
}

bool AllDigits(std::string_view s) {
    if (s.empty())
        return false;
    for (char c : s)
        if (c < '0' || c > '9')
            return false;
    return true;
}

// Optional sign, then digits only; value within [lo, hi] and at most iDigits digits (0: any).
bool ParseWhole(std::string_view s, int iDigits, std::int64_t lo, std::int64_t hi,
                std::int64_t& value) {
    std::string_view digits = s;
    if (!digits.empty() && (digits.front() == '-' || digits.front() == '+'))
        digits.remove_prefix(1);
    if (!AllDigits(digits))
        return false;
    const std::size_t firstNonZero = digits.find_first_not_of('0');
    const std::size_t significant =
        firstNonZero == std::string_view::npos ? 1 : digits.size() - firstNonZero;
    if (iDigits > 0 && significant > static_cast<std::size_t>(iDigits))
        return false;
    std::int64_t v = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), v);
    if (ec != std::errc() || end != digits.data() + digits.size())
        return false;
    if (s.front() == '-')
        v = -v;
    if (v < lo || v > hi)
        return false;
    value = v;
    return true;
}

// NUMERIC(18,2): sign, up to 16 digits, a point and up to 2 decimals. Held as hundredths so
// the double handed to the driver is the nearest to the exact amount.
bool ParseAmount(std::string_view s, double& value) {
    bool negative = false;
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    const std::size_t dot = s.find('.');
    std::string_view whole = s.substr(0, dot);
    std::string_view frac = dot == std::string_view::npos ? std::string_view() : s.substr(dot + 1);
    if (whole.empty() && frac.empty())
        return false;
    if ((!whole.empty() && !AllDigits(whole)) || (!frac.empty() && !AllDigits(frac)))
        return false;
    if (frac.size() > 2)
        return false;
    const std::size_t firstNonZero = whole.find_first_not_of('0');
    if (firstNonZero != std::string_view::npos && whole.size() - firstNonZero > 16)
        return false;
    std::int64_t cents = 0;
    for (char c : whole)
        cents = cents * 10 + (c - '0');
    for (std::size_t i = 0; i < 2; ++i)
        cents = cents * 10 + (i < frac.size() ? frac[i] - '0' : 0);
    value = static_cast<double>(negative ? -cents : cents) / 100.0;
    return true;
}

std::string Shortened(const std::string& strText) {
    constexpr std::size_t kMax = 40;
    if (Utf8Length(strText) <= kMax)
        return strText;
    std::size_t bytes = 0, chars = 0;
    while (bytes < strText.size() && chars < kMax) {
        ++bytes;
        while (bytes < strText.size() &&
               (static_cast<unsigned char>(strText[bytes]) & 0xC0) == 0x80)
            ++bytes;
        ++chars;
    }
    return strText.substr(0, bytes) + "...";
}

// The column of an attribute name (exact letter case, as the file's readers always took it).
int ColumnOfAttribute(const char* szName) {
    for (std::size_t c = 0; c < kConventiiAtribute.size(); ++c)
        if (std::strcmp(szName, kConventiiAtribute[c]) == 0)
            return static_cast<int>(c);
    return -1;
}

std::string InsertStatement() {
    std::string sql = "INSERT INTO ATO_INFO_CONVENTII (";
    for (int i = 0; i < kConventiiColCount; ++i) {
        if (i > 0)
            sql += ",";
        sql += kConventiiColoane[static_cast<std::size_t>(i)];
    }
    sql += ") VALUES(";
    for (int i = 0; i < kConventiiColCount; ++i)
        sql += i == 0 ? "?" : ", ?";
    return sql + ")";
}

} // namespace

namespace {

// 1..12 for an English month name or its first three letters (any letter case), else 0.
int MonthOfName(std::string_view name) {
    static const char* const names[] = {"JANUARY",   "FEBRUARY", "MARCH",    "APRIL",
                                        "MAY",       "JUNE",     "JULY",     "AUGUST",
                                        "SEPTEMBER", "OCTOBER",  "NOVEMBER", "DECEMBER"};
    if (name.size() < 3)
        return 0;
    for (int m = 0; m < 12; ++m) {
        const std::string_view full(names[m]);
        if (name.size() > full.size())
            continue;
        bool same = true;
        for (std::size_t i = 0; i < name.size() && same; ++i)
            same = std::toupper(static_cast<unsigned char>(name[i])) == full[i];
        if (same)
            return m + 1;
    }
    return 0;
}

bool IsDateSeparator(char c) {
    return c == '-' || c == '/' || c == '.' || c == ',' || c == ':' || c == ' ' || c == '\t';
}

} // namespace

bool ParseDataText(std::string_view text, core::Date& date) {
    text = TrimBlanks(text);
    // Up to three runs of digits or letters, parted by separators.
    struct Part {
        std::string_view text;
        bool bLetters;
    };
    Part parts[3];
    int n = 0;
    char firstSep = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t start = i;
        const bool letters = std::isalpha(static_cast<unsigned char>(text[i])) != 0;
        while (i < text.size() && (letters ? std::isalpha(static_cast<unsigned char>(text[i])) != 0
                                           : (text[i] >= '0' && text[i] <= '9')))
            ++i;
        if (i == start || n == 3)
            return false;
        parts[n++] = {text.substr(start, i - start), letters};
        if (i == text.size())
            break;
        if (!IsDateSeparator(text[i]))
            return false;
        if (firstSep == 0)
            firstSep = text[i];
        const char sep = text[i];
        ++i;
        // Blanks around a separator, or several blanks, part no more than one separator does.
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
            ++i;
        if ((sep == ' ' || sep == '\t') && i < text.size() && IsDateSeparator(text[i]) &&
            text[i] != ' ')
            ++i;
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
            ++i;
        if (i == text.size())
            return false; // a separator at the end
    }
    if (n < 2)
        return false;
    const auto num = [](std::string_view s, int& v) {
        if (s.empty() || s.size() > 4)
            return false;
        v = 0;
        for (char c : s)
            v = v * 10 + (c - '0');
        return true;
    };
    int iY = -1, iM = 0, iD = 0;
    int yearDigits = 4;
    const auto takeYear = [&](const Part& p) {
        if (p.bLetters || !num(p.text, iY))
            return false;
        yearDigits = static_cast<int>(p.text.size());
        return true;
    };
    int named = -1;
    for (int k = 0; k < n; ++k)
        if (parts[k].bLetters) {
            if (named >= 0)
                return false;
            named = k;
        }
    if (named >= 0) {
        // A month by name: the numbers around it are the day and the year, the year first
        // only when it has four digits.
        iM = MonthOfName(parts[named].text);
        if (iM == 0)
            return false;
        std::vector<Part> numbers;
        for (int k = 0; k < n; ++k)
            if (k != named)
                numbers.push_back(parts[k]);
        if (numbers.size() == 1) {
            if (!num(numbers[0].text, iD) || numbers[0].text.size() > 2)
                return false;
        } else if (numbers[0].text.size() >= 3) {
            if (!takeYear(numbers[0]) || !num(numbers[1].text, iD) || numbers[1].text.size() > 2)
                return false;
        } else if (!num(numbers[0].text, iD) || !takeYear(numbers[1])) {
            return false;
        }
    } else if (parts[0].text.size() >= 3) {
        // Year first: year, month, day.
        if (n != 3 || !takeYear(parts[0]) || !num(parts[1].text, iM) || !num(parts[2].text, iD))
            return false;
        if (parts[1].text.size() > 2 || parts[2].text.size() > 2)
            return false;
    } else {
        // Day first after a ".", month first otherwise; the year may be left out.
        const bool dayFirst = firstSep == '.';
        if (!num(parts[dayFirst ? 1 : 0].text, iM) || !num(parts[dayFirst ? 0 : 1].text, iD))
            return false;
        if (parts[1].text.size() > 2)
            return false;
        if (n == 3 && !takeYear(parts[2]))
            return false;
    }
    const int current = platform::Now().year;
    if (iY < 0) {
        iY = current;
    } else if (yearDigits <= 2) {
        // Two digits: the year of that ending nearest to the current one.
        iY += current / 100 * 100;
        if (iY > current + 50)
            iY -= 100;
        else if (iY < current - 50)
            iY += 100;
    } else if (yearDigits == 3) {
        return false;
    }
    if (iY < 1 || iY > 9999 || iM < 1 || iM > 12 || iD < 1 || iD > core::DaysInMonth(iY, iM))
        return false;
    date = core::Date{iY, iM, iD};
    return true;
}

namespace {
std::string ToHex(const CryptoPP::byte* p, std::size_t n) {
    static const char digits[] = "0123456789abcdef";
    std::string s;
    for (std::size_t i = 0; i < n; ++i) {
        s.push_back(digits[p[i] >> 4]);
        s.push_back(digits[p[i] & 0x0F]);
    }
    return s;
}
} // namespace

bool ReadTransferFile(const std::string& strPath, std::string& strPlain, std::string& strDigest,
                      std::string& strError, const ProgressFn& progress) {
    strPlain.clear();
    strDigest.clear();
    strError.clear();
    CryptoPP::Weak::MD5 md5;
    struct Closer {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    std::unique_ptr<std::FILE, Closer> f(std::fopen(strPath.c_str(), "rb"));
    if (!f) {
        strError = ReadFailure(strPath);
        return false;
    }
    std::int64_t iTotal = 0;
    if (std::fseek(f.get(), 0, SEEK_END) == 0) {
        iTotal = std::ftell(f.get());
        std::rewind(f.get());
    }
    if (iTotal > 0)
        strPlain.reserve(static_cast<std::size_t>(iTotal) / RECORD_SIZE);
    std::string chunk(RECORDS_PER_STEP * RECORD_SIZE, '\0');
    std::int64_t iDone = 0;
    for (;;) {
        const std::size_t got = std::fread(chunk.data(), 1, chunk.size(), f.get());
        if (std::ferror(f.get())) {
            strPlain.clear();
            strError = ReadFailure(strPath);
            return false;
        }
        md5.Update(reinterpret_cast<const CryptoPP::byte*>(chunk.data()), got);
        strPlain += DecryptTransferData(std::string_view(chunk.data(), got));
        iDone += static_cast<std::int64_t>(got);
        if (progress)
            progress(iDone, std::max(iTotal, iDone));
        if (got < chunk.size())
            break;
    }
    CryptoPP::byte digest[CryptoPP::Weak::MD5::DIGESTSIZE];
    md5.Final(digest);
    strDigest = ToHex(digest, sizeof digest);
    return true;
}

ParseResult ParseConventii(std::string_view bytes, std::vector<ConventieRow>& rows,
                           std::string& strError, const ProgressFn& progress) {
    rows.clear();
    strError.clear();
    std::string text;
    if (!DecodeXmlText(bytes, text, strError))
        return ParseResult::ReaderError;

    // Before the reader parses the text in place; its own faults are told first.
    std::size_t iPozitie = 0;
    const bool bBineFormat = EsteXmlBineFormat(text, iPozitie);
    pugi::xml_document doc;
    const pugi::xml_parse_result parsed =
        doc.load_buffer_inplace(text.data(), text.size(), pugi::parse_default, pugi::encoding_utf8);
    if (parsed.status == pugi::status_no_document_element)
        return ParseResult::NoChildren;
    if (!parsed) {
        strError =
            std::string(parsed.description()) + " (pozitia " + std::to_string(parsed.offset) + ")";
        return ParseResult::ReaderError;
    }
    if (!bBineFormat) {
        strError = kXmlIncorect;
        return ParseResult::ReaderError;
    }
    const pugi::xml_node root = doc.document_element();
    if (!root || !root.find_child([](pugi::xml_node n) { return n.type() == pugi::node_element; }))
        return ParseResult::NoChildren;
    if (!EqualsNoCase(root.name(), "exportKRENO"))
        return ParseResult::WrongRoot;

    // One pass over each person's attributes; the first of a repeated name counts.
    for (pugi::xml_node child = root.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element || !EqualsNoCase(child.name(), "asigurat"))
            continue;
        ConventieRow& row = rows.emplace_back();
        std::array<bool, kConventiiColCount> seen{};
        for (pugi::xml_attribute a = child.first_attribute(); a; a = a.next_attribute()) {
            const int c = ColumnOfAttribute(a.name());
            if (c >= 0 && !seen[static_cast<std::size_t>(c)]) {
                seen[static_cast<std::size_t>(c)] = true;
                row[static_cast<std::size_t>(c)] = a.value();
            }
        }
        if (progress && rows.size() % ROWS_PER_STEP == 0)
            progress(static_cast<std::int64_t>(rows.size()), 0);
    }
    return rows.empty() ? ParseResult::NoPersons : ParseResult::Ok;
}

bool AuAcelasiCIF(const std::vector<ConventieRow>& rows) {
    for (const ConventieRow& row : rows)
        if (!core::EqualsNoCase(row[0], rows.front()[0]))
            return false;
    return true;
}

bool ConvertConventie(const ConventieRow& row, ConventieValori& values, std::string& strError) {
    strError.clear();
    for (std::size_t c = 0; c < kColumns.size(); ++c) {
        const Column& col = kColumns[c];
        const std::string& strText = row[c];
        const std::string_view trimmed = TrimBlanks(strText);
        core::Value& v = values[c];
        if (col.kind == Kind::Text ? strText.empty() : trimmed.empty()) {
            v = col.bZeroWhenEmpty
                    ? (col.kind == Kind::Amount ? core::Value(0.0) : core::Value(std::int64_t(0)))
                    : core::Value(core::Null{});
            continue;
        }
        std::string strWhy;
        switch (col.kind) {
        case Kind::Text:
            if (!IsValidUtf8(strText)) {
                strWhy = "nu este un text valid";
            } else if (Utf8Length(strText) > static_cast<std::size_t>(col.iSize)) {
                strWhy = "are " + std::to_string(Utf8Length(strText)) +
                         " caractere, iar cel mult " + std::to_string(col.iSize) + " sunt permise";
            } else {
                v = strText;
            }
            break;
        case Kind::Whole:
        case Kind::Int: {
            const bool bInt = col.kind == Kind::Int;
            const std::int64_t lo = bInt ? std::numeric_limits<std::int32_t>::min()
                                         : std::numeric_limits<std::int64_t>::min() + 1;
            const std::int64_t hi = bInt ? std::numeric_limits<std::int32_t>::max()
                                         : std::numeric_limits<std::int64_t>::max();
            std::int64_t n = 0;
            if (ParseWhole(trimmed, col.iSize, lo, hi, n))
                v = n;
            else if (col.iSize > 0)
                strWhy =
                    "nu este un numar intreg de cel mult " + std::to_string(col.iSize) + " cifre";
            else
                strWhy = "nu este un numar intreg valid";
            break;
        }
        case Kind::Date: {
            core::Date d;
            if (ParseDataText(trimmed, d))
                v = d;
            else
                strWhy = "nu este o data calendaristica valida";
            break;
        }
        case Kind::Amount: {
            double f = 0;
            if (ParseAmount(trimmed, f))
                v = f;
            else
                strWhy = "nu este o suma valida (cel mult 16 cifre si 2 zecimale)";
            break;
        }
        }
        if (!strWhy.empty()) {
            strError = std::string("atributul ") + kConventiiAtribute[c] + " are valoarea \"" +
                       Shortened(strText) + "\", care " + strWhy;
            return false;
        }
    }
    return true;
}

bool VerificaConventii(const std::vector<ConventieRow>& rows, std::string& strError,
                       const ProgressFn& progress) {
    ConventieValori values;
    std::string strWhy;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        if (progress && r % ROWS_PER_STEP == 0)
            progress(static_cast<std::int64_t>(r), static_cast<std::int64_t>(rows.size()));
        if (ConvertConventie(rows[r], values, strWhy))
            continue;
        std::string strNume = core::Trim(rows[r][3] + " " + rows[r][4]);
        strError = "Fisierul care urmeaza sa fie importat este eronat!\nPersoana de pe randul " +
                   std::to_string(r + 1);
        if (!strNume.empty() && IsValidUtf8(strNume))
            strError += " (" + Shortened(strNume) + ")";
        strError += ": " + strWhy + ".";
        return false;
    }
    strError.clear();
    return true;
}

namespace {
constexpr std::size_t kColCNP = 1;
constexpr std::size_t kColIdMa = 12;

// "" when the row has not both keys, else CNP and ID_MA as the numbers stored.
std::string CheieConventie(const ConventieRow& row) {
    std::int64_t cnp = 0, idMa = 0;
    const std::int64_t lo = std::numeric_limits<std::int64_t>::min() + 1;
    const std::int64_t hi = std::numeric_limits<std::int64_t>::max();
    if (!ParseWhole(TrimBlanks(row[kColCNP]), 0, lo, hi, cnp) ||
        !ParseWhole(TrimBlanks(row[kColIdMa]), 0, lo, hi, idMa))
        return {};
    return std::to_string(cnp) + "/" + std::to_string(idMa);
}

// Repeats named in the warning; the rest are counted.
constexpr std::size_t kRepetateAfisate = 20;
} // namespace

std::vector<std::size_t> ConventiiRepetate(const std::vector<ConventieRow>& rows) {
    std::vector<std::size_t> repetate;
    std::set<std::string> vazute;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const std::string cheie = CheieConventie(rows[r]);
        if (!cheie.empty() && !vazute.insert(cheie).second)
            repetate.push_back(r);
    }
    return repetate;
}

std::string MesajConventiiRepetate(const std::vector<ConventieRow>& rows,
                                   const std::vector<std::size_t>& repetate) {
    std::string text = "Fisierul contine aceeasi conventie de mai multe ori. Fiecare conventie "
                       "va fi importata o singura data:";
    std::set<std::string> numite;
    std::size_t iNumite = 0, iRest = 0;
    for (std::size_t r : repetate) {
        if (!numite.insert(CheieConventie(rows[r])).second)
            continue;
        if (iNumite == kRepetateAfisate) {
            ++iRest;
            continue;
        }
        ++iNumite;
        text += "\nCNP " + std::string(TrimBlanks(rows[r][kColCNP])) + ", ID_MA " +
                std::string(TrimBlanks(rows[r][kColIdMa]));
    }
    if (iRest > 0)
        text += "\n... si inca " + std::to_string(iRest) + " conventii.";
    return text;
}

void SaveConventii(core::Database& db, const std::string& strCIF, const std::string& strDigest,
                   const std::vector<ConventieRow>& rows, const ProgressFn& progress) {
    static const std::string strInsert = InsertStatement();
    core::Transaction tr(db);
    tr.Start();
    core::Statement st(tr);
    st.Execute("INSERT INTO ATO_IMPORT_CONVENTII(CIF,FILE_HASH) VALUES(?, ?)", {strCIF, strDigest});
    st.Execute("DELETE FROM ATO_INFO_CONVENTII WHERE CIF = ?", {strCIF});
    ConventieValori values;
    std::vector<core::Value> bound(kConventiiColCount);
    std::string strError;
    const auto iTotal = static_cast<std::int64_t>(rows.size());
    for (std::size_t r = 0; r < rows.size(); ++r) {
        if (!ConvertConventie(rows[r], values, strError))
            throw core::DbError(strError);
        // Rows that differ from the first only in letter case are kept with the employer's
        // CIF, so that its later reads and its next import find them.
        values[0] = strCIF;
        std::move(values.begin(), values.end(), bound.begin());
        st.Execute(strInsert, bound);
        if (progress)
            progress(static_cast<std::int64_t>(r + 1), iTotal);
    }
    tr.Commit();
}
