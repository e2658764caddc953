#include "LawTablesTestSupport.h"

#include "../entry/EntryTestSupport.h"
#include "../entry/TiparireTestSupport.h"
#include "lawtables/Anexe.h"
#include "lawtables/Art80Dlg.h"
#include "lawtables/Art85Dlg.h"
#include "lawtables/Art93_4Dlg.h"
#include "lawtables/L116Dlg.h"
#include "lawtables/L72Dlg.h"
#include "platform/MessageBox.h"

#include <QPrinter>
#include <gtest/gtest.h>

using namespace lawtest;
using printtest::Captura;

namespace {

// Persons in all five schemes; names with Romanian letters (comma-below ones included) and
// apostrophes. Some have no income for the period (no convention line) or no amount (not
// printed).
std::vector<Conventie> Persoane() {
    return {
        // Art. 80
        {"100000000000001", "Șerban-Țuțea", "B", 13, "2013-10-21", "2013-11-01", "2013-11-01", 0, 0,
         168, 84, 8, 1000, 0},
        {"100000000000002", "Ionescu", "C", 13, "2013-10-22", "2013-11-01", "2013-11-01", 0, 0, 168,
         84, 8, 0, 0},
        {"100000000000003", "O'Brien", "a", 13, "", "2013-11-01", "2013-11-01", 0, 0, 168, 84, 8,
         400, 100},
        {"100000000000012", "Zăvoianu", "A", 13, "2013-10-21", "2013-11-01", "2013-11-01", 0, 0,
         168, 0, 8, 500, 0},
        // Art. 85
        {"100000000000004", "Dumitraşcu", "D", 14, "2008-10-01", "2008-10-13", "2008-10-13", 0, 0,
         160, 80, 8, 900, 0},
        {"100000000000005", "Stănescu", "C", 14, "2012-01-10", "2012-01-10", "2012-01-10", 0, 0,
         160, 80, 8, 700, 0},
        {"100000000000006", "Marin", "A", 14, "2012-01-10", "2012-01-10", "2012-01-10", 0, 0, 160,
         80, 8, 800, 0},
        // TIP_MA 22: Law 116 before 22 October 2013, Art. 93^4 from that day
        {"100000000000007", "D'Angelo", "A", 22, "2013-10-21", "2013-10-05", "2013-10-05", 1400, 0,
         168, 84, 8, 0, 0},
        {"100000000000008", "Întuneric", "B", 22, "2013-10-22", "2013-10-25", "2013-10-25", 1600, 0,
         168, 84, 8, 0, 0},
        {"100000000000009", "Toma", "C", 22, "2014-02-01", "2014-02-01", "2013-10-25", 1500, 0, 168,
         84, 8, 0, 0},
        // Law 72
        {"100000000000010", "Rădulescu", "ELEV", 23, "2023-01-01", "2023-01-01", "2023-01-01", 0, 2,
         160, 80, 8, 1, 0},
        {"100000000000011", "Săndulescu", "STUDENT", 23, "2023-01-01", "2023-01-01", "2023-01-01",
         0, 1, 160, 87, 8, 0, 0},
        {"100000000000013", "Popa", "ELEV", 23, "2023-01-01", "2023-01-01", "2023-01-01", 0, 1, 160,
         0, 8, 0, 0},
    };
}

struct Luna : Month {
    explicit Luna(const std::vector<Conventie>& persoane = Persoane()) {
        Constant("ISR", kAN, kLN, 1000);
        Constant("SMB", kAN, kLN, 600);
        Constant("SMB", 2008, 10, 500);
        Constant("SMN", 2013, 10, 2000);
        Constant("ZILELUC", kAN, kLN, 21);
        App().Exec("INSERT INTO ATN_AGENTI (CIF, CURENT, COD_JUDET, DENUMIRE) VALUES ('" + kCIF +
                   "', 1, '21', 'SC Țara Și Munții D''Or SRL')");
        const char* detalii[][2] = {{"ADRESA", "Str. Mării nr. 5, Slobozia"},
                                    {"CAEN", "6201"},
                                    {"COD_POSTAL", "920001"},
                                    {"IBAN", "RO49AAAA1B31007593840000"},
                                    {"TELEFON", "0243-123456"},
                                    {"EMAIL", "office@munti.ro"}};
        for (auto& d : detalii)
            App().Exec("INSERT INTO ATN_AGENTI_DETALII (CIF, PROPRIETATE, VALOARE) VALUES ('" +
                       kCIF + "', '" + d[0] + "', '" + d[1] + "')");
        Add(persoane);
    }
    void Judet(const char* szCod) {
        App().Exec(std::string("UPDATE ATN_AGENTI SET COD_JUDET = '") + szCod + "'");
    }
};

// A table as the main window shows it after the timesheet and the payroll were worked.
template <class Page> struct Lucrat : Hosted<Page> {
    explicit Lucrat(Luna& m) {
        this->page.OnNotify(1486, kLuna);
        m.Worked();
        this->page.OnNotify(1488, 0);
        this->page.OnNotify(1489, 0);
    }
};

TEST(Anexe, TheFixtureMonthPrintsEveryAnnexAsTheTablesShowThem) {
    Luna m;
    Lucrat<CArt80Dlg> art80(m);
    Lucrat<CArt85Dlg> art85(m);
    Lucrat<CArt93_4Dlg> art93(m);
    Lucrat<CL116Dlg> l116(m);
    Lucrat<CL72Dlg> l72(m);
    // A typed observation with what the print library would take for the page number.
    entrytest::TypeIntoCell(art80.grid(), 1, 8, "10% din ore");
    theApp().m_totaluri.COD_UNIC = 4321;

    struct Caz {
        const char* szJudet;
        CLawTablePage* page;
        const char* szFixture;
        int iLatime;
    } cazuri[] = {
        {"21", &art80.page, "lawtables/anexa_art80_lat.txt", 138},
        {"14", &art80.page, "lawtables/anexa_art80_ingust.txt", 115},
        {"21", &art85.page, "lawtables/anexa_art85_lat.txt", 138},
        {"14", &art85.page, "lawtables/anexa_art85_ingust.txt", 115},
        {"21", &art93.page, "lawtables/anexa_art93_4.txt", 135},
        {"14", &l116.page, "lawtables/anexa_l116.txt", 111},
        {"14", &l72.page, "lawtables/anexa_l72.txt", 120},
    };
    platform::ScopedMessageRecorder boxes;
    for (const Caz& c : cazuri) {
        SCOPED_TRACE(c.szFixture);
        m.Judet(c.szJudet);
        Captura cap;
        ASSERT_TRUE(anexe::PrintAnnex(*c.page));
        ASSERT_EQ(cap.docs.size(), 1u);
        printtest::ExpectFixture(cap.docs[0].strText, c.szFixture, c.iLatime);
        // The PDF holds the same text, Romanian letters and all.
        EXPECT_EQ(printtest::Words(printtest::PdfText(cap.docs[0].strPdf)),
                  printtest::Words(cap.docs[0].strText));
    }
    EXPECT_TRUE(boxes.messages().empty());
}

TEST(Anexe, Art93_4ForAnotherCountyIsToldInOneMessageAndNotPrinted) {
    Luna m;
    Lucrat<CArt93_4Dlg> art93(m);
    m.Judet("14");
    platform::ScopedMessageRecorder boxes;
    Captura cap(false);
    EXPECT_TRUE(anexe::PrintAnnex(art93.page));
    EXPECT_TRUE(cap.docs.empty());
    ASSERT_EQ(boxes.messages().size(), 1u);
    EXPECT_EQ(boxes.lastText(),
              "Anexa Art. 93^4 se tipareste numai pentru angajatorii din judetul cu codul 21.");
}

TEST(Anexe, ATableWithNoPersonToPrintSaysSo) {
    // Only Art. 80 persons: the Law 116 and Art. 93^4 tables stay empty; an Art. 80 person
    // without hours has no amount.
    Luna m({{"100000000000012", "Zăvoianu", "A", 13, "2013-10-21", "2013-11-01", "2013-11-01", 0, 0,
             168, 0, 8, 500, 0}});
    Lucrat<CArt80Dlg> art80(m);
    Lucrat<CL116Dlg> l116(m);
    Lucrat<CArt93_4Dlg> art93(m);
    for (CLawTablePage* page : std::vector<CLawTablePage*>{&art80.page, &l116.page, &art93.page}) {
        platform::ScopedMessageRecorder boxes;
        Captura cap(false);
        EXPECT_TRUE(anexe::PrintAnnex(*page));
        EXPECT_TRUE(cap.docs.empty());
        EXPECT_EQ(boxes.lastText(), "Tabelul nu are nicio persoana de tiparit in anexa.");
    }
}

TEST(Anexe, WithoutAPrinterTheUserIsToldAndNothingIsShown) {
    Luna m;
    Lucrat<CL72Dlg> l72(m);
    MorPrint::SetDefaultPrinterFactory([] { return std::unique_ptr<QPrinter>(); });
    platform::ScopedMessageRecorder boxes;
    Captura cap(false);
    EXPECT_FALSE(anexe::PrintAnnex(l72.page));
    MorPrint::SetDefaultPrinterFactory({});
    EXPECT_TRUE(cap.docs.empty());
    ASSERT_EQ(boxes.messages().size(), 1u);
    EXPECT_EQ(boxes.messages()[0].text, "Verificati conexiunea cu imprimanta !!!");
    EXPECT_EQ(boxes.messages()[0].caption, "VORTAPL");
    EXPECT_EQ(boxes.messages()[0].icon, platform::Icon::Error);
}

TEST(Anexe, AMonthOfManyPagesRepeatsItsHeaderAndNumbersItsPages) {
    std::vector<Conventie> v;
    for (int i = 0; i < 120; ++i) {
        char cnp[32];
        std::snprintf(cnp, sizeof cnp, "1000000000%05d", 100 + i);
        v.push_back({cnp, "Ştefan", "B", 13, "2013-10-21", "2013-11-01", "2013-11-01", 0, 0, 168,
                     84, 8, 1000, 0});
    }
    Luna m(v);
    Lucrat<CArt80Dlg> art80(m);
    Captura cap(false);
    ASSERT_TRUE(anexe::PrintAnnex(art80.page));
    ASSERT_EQ(cap.docs.size(), 1u);
    const auto lines = printtest::Lines(cap.docs[0].strText);
    const int pages = cap.docs[0].iPagini;
    ASSERT_GE(pages, 3);
    ASSERT_EQ(lines.size() % size_t(pages), 0u);
    const size_t perPage = lines.size() / size_t(pages);
    for (int p = 0; p < pages; ++p) {
        SCOPED_TRACE(p + 1);
        const size_t top = size_t(p) * perPage;
        EXPECT_EQ(core::Trim(lines[top]), "Anexa nr. 16 la Normele metodologice");
        EXPECT_NE(lines[top + 7].find("Judetul: IALOMITA"), std::string::npos);
        const std::string& footer = lines[top + perPage - 1];
        EXPECT_EQ(footer.rfind("Pagina: " + std::to_string(p + 1) + " ", 0), 0u) << footer;
        EXPECT_NE(footer.find("VORTAPL: 0"), std::string::npos);
        EXPECT_NE(footer.find("Data: 05-04-2024"), std::string::npos);
    }
    // 120 persons numbered in order, the last on the last page.
    size_t numbered = 0;
    for (const std::string& l : lines)
        if (l.rfind("|", 0) == 0 && l.find("Ştefan Ion") != std::string::npos) {
            EXPECT_EQ(std::stoi(l.substr(1, 3)), static_cast<int>(++numbered));
        }
    EXPECT_EQ(numbered, 120u);
}

} // namespace
