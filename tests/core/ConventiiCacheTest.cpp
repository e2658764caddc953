// The conventions cache: positions, the search by long CNP and its errors, the numbers and
// dates the pages read from its slots, and the document of a convention found through it.
#include "core/ConventiiCache.h"
#include "core/Queries.h"
#include "core/VORTAPLApp.h"

#include <gtest/gtest.h>

namespace {

std::unique_ptr<__tagDATECONVENTIIANGAJATOR> Record(const std::string& cnp, const std::string& idMa,
                                                    const std::string& docNr = "",
                                                    const std::string& docData = "") {
    auto r = std::make_unique<__tagDATECONVENTIIANGAJATOR>();
    (*r)[slot::CNP] = cnp;
    (*r)[slot::ID_MA] = idMa;
    (*r)[slot::DOC_NR] = docNr;
    (*r)[slot::DOC_DATA] = docData;
    return r;
}

} // namespace

TEST(ConventiiCache, PositionsSearchAndErrors) {
    _NDateConventiiAngajator c;
    c.Add(Record("5010404123459", "900040"));
    c.Add(Record("ab12", "1"));
    c.Add(Record("5010404123459", "900041")); // the same person under a second convention
    ASSERT_EQ(c.GetCount(), 3);

    struct {
        int iPos;
        bool bFound;
        const char* szError;
    } const positions[] = {{0, true, ""},
                           {2, true, ""},
                           {3, false, "Pozitia 3 din lista este invalida."},
                           {-1, false, "Pozitia -1 din lista este invalida."}};
    for (const auto& p : positions) {
        EXPECT_EQ(c.GetAt(p.iPos) != nullptr, p.bFound) << p.iPos;
        EXPECT_EQ(c.GetLastError(), p.szError) << p.iPos;
    }

    struct {
        const char* szKey;
        const __tagDATECONVENTIIANGAJATOR* pFound;
        const char* szError;
    } const keys[] = {{"5010404123459", c.At(0), ""}, // the first of the person's records
                      {"AB12", c.At(1), ""},
                      {"", nullptr, "CNP Lung gol"},
                      {"501040412345", nullptr, "CNP Lung negasit"}};
    for (const auto& k : keys) {
        EXPECT_EQ(c.Find(k.szKey), k.pFound) << k.szKey;
        EXPECT_EQ(c.GetLastError(), k.szError) << k.szKey;
    }
    c.GetAt(9);
    c.Add(Record("1", "2"));
    EXPECT_EQ(c.GetLastError(), ""); // every operation starts without an error
    c.Clear();
    EXPECT_EQ(c.GetCount(), 0);
    EXPECT_EQ(c.GetAt(0), nullptr);
}

TEST(ConventiiCache, NumbersAndDatesOfTheSlots) {
    __tagDATECONVENTIIANGAJATOR r;
    struct {
        const char* szText;
        double fNumber;
        int iDate;
    } const cases[] = {{"", 0, 0},
                       {"40", 40, 0},
                       {"12.5", 12.5, 0},
                       {"12x", 0, 0},
                       {"2024-03-01", 0, 20240301},
                       {"2024-3-1", 0, 20240301},
                       {"2024-03-01x", 0, 0}};
    for (const auto& c : cases) {
        r[slot::NOL] = c.szText;
        EXPECT_EQ(r.Number(slot::NOL), c.fNumber) << c.szText;
        EXPECT_EQ(r.DateNumber(slot::NOL), c.iDate) << c.szText;
    }
}

TEST(ConventiiCache, DocumentOfAConvention) {
    CVORTAPLApp app;
    std::string nr = "old", data = "old";
    EXPECT_FALSE(GetDocumentConventie("900040", nr, data)); // no cache yet
    EXPECT_EQ(nr, "");
    EXPECT_EQ(data, "");

    app.m_pConventii = std::make_unique<_NDateConventiiAngajator>();
    app.m_pConventii->Add(Record("1", "900040", "40/2023", "2023-05-25"));
    app.m_pConventii->Add(Record("1", "A7", "7", ""));
    app.m_pConventii->Add(Record("2", "a7", "second", "2024-01-01"));
    struct {
        const char *szIdMa, *szNr, *szData;
        bool bFound;
    } const cases[] = {{"900040", "40/2023", "2023-05-25", true},
                       {"a7", "7", "", true}, // the first, ignoring letter case
                       {"90004", "", "", false},
                       {"", "", "", false}};
    for (const auto& c : cases) {
        nr = data = "old";
        EXPECT_EQ(GetDocumentConventie(c.szIdMa, nr, data), c.bFound) << c.szIdMa;
        EXPECT_EQ(nr, c.szNr) << c.szIdMa;
        EXPECT_EQ(data, c.szData) << c.szIdMa;
    }
}
