#include "entry/Extrase.h"
#include "EntryTestSupport.h"
#include "MonthPagesSupport.h"
#include "TiparireTestSupport.h"
#include "WorkFolder.h"
#include "core/DetailId.h"
#include "entry/PontajGrid.h"
#include "entry/StatDePlataGrid.h"
#include "entry/SubventiiDlg.h"
#include "platform/MessageBox.h"
#include "widgets/XSimGrid.h"

#include <QPrinter>
#include <gtest/gtest.h>

using namespace monthtest;
using printtest::Captura;
using testsupport::StartedApp;

namespace {

// Names with Romanian letters (comma-below ones among them) and an apostrophe.
const std::vector<Persoana> kPersoane = {
    {"100000000000001", "1800101123456", "ȘTEFĂNESCU", "ANA-MARIA", {2023, 1, 1}, {2025, 12, 31}},
    {"100000000000002", "2900202123457", "O'NEILL", "ION", {2023, 1, 1}, {2025, 12, 31}},
    {"100000000000003", "1850303123458", "ȚUȚEA", "ȘERBAN", {2024, 2, 10}, {2024, 3, 20}},
};

struct Luna {
    StartedApp app;
    Pages pages;
    CSubventiiDlg subventii;

    explicit Luna(long long luna, const char* szJudet = "21") {
        core::ResetDetailIds();
        theApp().m_strCIF = "12345678";
        app.Exec(std::string("INSERT INTO ATN_AGENTI (CIF, CURENT, COD_JUDET, DENUMIRE) VALUES "
                             "('12345678', 1, '") +
                 szJudet + "', 'SC Țara Și Munții D''Or SRL')");
        const char* detalii[][2] = {{"ADRESA", "Str. Mării nr. 5, Slobozia"},
                                    {"IBAN", "RO49AAAA1B31007593840000"},
                                    {"TELEFON", "0243-123456"}};
        for (auto& d : detalii)
            app.Exec(std::string("INSERT INTO ATN_AGENTI_DETALII (CIF, PROPRIETATE, VALOARE) "
                                 "VALUES ('12345678', '") +
                     d[0] + "', '" + d[1] + "')");
        SetZileLuc(static_cast<int>(luna / 100), static_cast<int>(luna % 100), 21);
        FillCache(kPersoane);
        pages.Send(notify::NewMonth, luna);
        subventii.OnNotify(notify::NewMonth, luna);
        // A worked month: every working day present, a day of leave, the incomes typed.
        pages.pontaj.OnMarcheazaPrezent();
        entrytest::TypeIntoCell(*pages.pontaj.Grid(), 2, pontaj::ColZi(5), "-1");
        entrytest::TypeIntoCell(*pages.stat.Grid(), 1, statplata::ColVenit, "3000");
        entrytest::TypeIntoCell(*pages.stat.Grid(), 2, statplata::ColVenit, "2500");
        entrytest::TypeIntoCell(*pages.stat.Grid(), 3, statplata::ColVenit, "1200");
        entrytest::TypeIntoCell(*pages.stat.Grid(), 2, statplata::ColSemnatura, "50% bonus");
        MonthTotals& t = theApp().m_totaluri;
        t.FS = 200000, t.TCAD = 1000;
        t.E80 = 200, t.S80 = 500, t.S85 = 150, t.S116 = 300, t.S72 = 250;
        subventii.Compute();
        t.COD_UNIC = 42;
    }
};

TEST(Extrase, TheThreeExtractsOfAMonthMatchTheirFixturesOnPaperAndInThePdf) {
    struct Caz {
        long long luna;
        const char* szJudet;
        int iDoc; // 0 timesheet, 1 payroll, 2 summary
        const char* szFixture;
        int iLatime;
        const char* szBareCode;
    } cazuri[] = {
        {202403, "21", 0, "entry/extras_pontaj_31.txt", 136, "21^12345678^2024^3^42"},
        {202402, "21", 0, "entry/extras_pontaj_29.txt", 136, "21^12345678^2024^2^42"},
        {202302, "14", 0, "entry/extras_pontaj_28.txt", 136, "14^12345678^2023^2^42"},
        {202403, "21", 1, "entry/extras_stat_de_plata.txt", 125, "21^12345678^2024^3^42"},
        {202403, "21", 2, "entry/centralizator_21.txt", 95, "21^12345678^2024^3^42"},
        {202403, "14", 2, "entry/centralizator.txt", 95, "14^12345678^2024^3^42"},
    };
    for (const Caz& c : cazuri) {
        SCOPED_TRACE(c.szFixture);
        Luna m(c.luna, c.szJudet);
        platform::ScopedMessageRecorder boxes;
        Captura cap;
        const bool ok = c.iDoc == 0   ? extrase::PrintPontaj(m.pages.pontaj)
                        : c.iDoc == 1 ? extrase::PrintStatDePlata(m.pages.stat)
                                      : extrase::PrintCentralizator(m.subventii);
        ASSERT_TRUE(ok);
        ASSERT_EQ(cap.docs.size(), 1u);
        EXPECT_TRUE(boxes.messages().empty());
        printtest::ExpectFixture(cap.docs[0].strText, c.szFixture, c.iLatime);
        EXPECT_EQ(printtest::Words(printtest::PdfText(cap.docs[0].strPdf)),
                  printtest::Words(cap.docs[0].strText));
        EXPECT_EQ(printtest::Barcodes(cap.docs[0].strPdf), std::string(c.szBareCode) + "\n");
    }
}

TEST(Extrase, TheBarcodeControlOfTheTabHoldsThePayloadPrinted) {
    Luna m(202403, "21");
    Captura cap(false);
    ASSERT_TRUE(extrase::PrintStatDePlata(m.pages.stat));
    EXPECT_EQ(m.pages.stat.BareCode().GetText(), QStringLiteral("21^12345678^2024^3^42"));
}

TEST(Extrase, WithoutAPrinterTheUserIsToldAndNothingIsShown) {
    Luna m(202403);
    MorPrint::SetDefaultPrinterFactory([] { return std::unique_ptr<QPrinter>(); });
    platform::ScopedMessageRecorder boxes;
    Captura cap(false);
    EXPECT_FALSE(extrase::PrintPontaj(m.pages.pontaj));
    EXPECT_FALSE(extrase::PrintCentralizator(m.subventii));
    MorPrint::SetDefaultPrinterFactory({});
    EXPECT_TRUE(cap.docs.empty());
    ASSERT_EQ(boxes.messages().size(), 2u);
    for (const auto& box : boxes.messages()) {
        EXPECT_EQ(box.text, "Verificati conexiunea cu imprimanta !!!");
        EXPECT_EQ(box.caption, "VORTAPL");
        EXPECT_EQ(box.icon, platform::Icon::Error);
    }
}

} // namespace

namespace {

TEST(Extrase, TheNumberedSummaryNamesArt93_4WhenTheMonthHasItsConventions) {
    Luna m(202403, "21");
    tiparire::Angajator a;
    a.strCodJudet = "21";
    for (bool bNewMA : {false, true}) {
        const tiparire::Document doc =
            extrase::ComposeCentralizator(m.subventii, a, platform::Now(), bNewMA);
        const QString expected =
            bNewMA ? QStringLiteral("|C5.6.Subventii art. 93^4 din Legea 76/2002 si a   |")
                   : QStringLiteral("|C5.6.Subventii in baza Legii nr. 116/2002 si a    |");
        int found = 0;
        for (const tiparire::Linie& l : doc.linii) {
            if (l.strText.startsWith(QStringLiteral("|C5.6."))) {
                EXPECT_EQ(l.strText,
                          expected + QStringLiteral("                 |                 |"));
                ++found;
            }
        }
        EXPECT_EQ(found, 1);
    }
}

} // namespace
