// The conventions page of a large employer: the month notification that lists its conventions
// in the grid and rebuilds the conventions cache (target for 5,000 conventions: under 0.3 s),
// on a page that is on screen and on one that is not.

#include "WorkFolder.h"
#include "core/Database.h"
#include "core/DbOperation.h"
#include "core/TabPage.h"
#include "core/VORTAPLApp.h"
#include "entry/ConventiiGrid.h"
#include "entry/DateConventiiAngajatorDlg.h"
#include "exchange/ConventiiKreno.h"
#include "widgets/XSimGrid.h"

#include <QTest>
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

// An employer with iCount conventions running in March 2024, saved as the import saves them.
std::unique_ptr<testsupport::StartedApp> Employer(int iCount) {
    auto s = std::make_unique<testsupport::StartedApp>();
    s->Exec("INSERT INTO ATN_AGENTI (CIF, CURENT, COD_JUDET, DENUMIRE) VALUES ('12345678', 1, "
            "'12', 'SC Exemplu SRL')");
    s->Exec("INSERT INTO ATN_CS (AN, LN, CS, VALOARE) VALUES (2024, 3, 'PROC_ANGAJATOR', 0.5)");
    theApp().m_constante.Load();
    std::vector<ConventieRow> rows;
    const char* const tipuri[] = {"13", "14", "22", "23"};
    for (int i = 0; i < iCount; ++i) {
        const std::string cnp = std::to_string(1850101000000LL + i);
        const std::string n = std::to_string(i);
        rows.push_back({"12345678",
                        cnp,
                        cnp,
                        "Ștefănescu" + n,
                        "Mădălina Ioana",
                        std::to_string(700000 + i),
                        "0",
                        "2023-01-10",
                        "activ",
                        "2050-01-01",
                        "2023-01-15",
                        "A45",
                        std::to_string(900000 + i),
                        tipuri[i % 4],
                        "2023-01-15",
                        "2025-01-14",
                        n + "/2023",
                        "2023-01-12",
                        "1",
                        "Ion Popescu",
                        "Director",
                        "1",
                        "1234.57"});
    }
    SaveConventii(theApp().m_db, "12345678", "0123456789abcdef0123456789abcdef", rows);
    return s;
}

void BM_MonthOfConventions(benchmark::State& state) {
    const int iCount = int(state.range(0));
    const bool bShown = state.range(1) != 0;
    auto s = Employer(iCount);
    CDateConventiiAngajatorDlg page;
    if (bShown) {
        page.resize(1200, 700);
        page.show();
        (void)QTest::qWaitForWindowExposed(&page);
    }
    for (auto _ : state) {
        page.OnNotify(notify::Clear, 0);
        page.OnNotify(notify::NewMonth, 202403);
        QCoreApplication::processEvents();
        if (page.Grid()->GetRowCount() != iCount || theApp().m_pConventii->GetCount() != iCount)
            state.SkipWithError("the month did not list every convention");
    }
}
BENCHMARK(BM_MonthOfConventions)
    ->ArgsProduct({{500, 5000}, {0, 1}})
    ->ArgNames({"conventions", "shown"})
    ->Unit(benchmark::kMillisecond);

// The same month read from the database into rows and records, without the page: what the
// page adds on top of it is its grid.
void BM_MonthQueryOnly(benchmark::State& state) {
    const int iCount = int(state.range(0));
    auto s = Employer(iCount);
    for (auto _ : state) {
        std::vector<conventii::RandConventie> rows;
        core::RunLogged(
            "bench",
            [&](core::Statement& st) {
                conventii::InterogheazaConventii(st, "12345678", 2024, 3,
                                                 [&](const core::Statement& row) {
                                                     rows.push_back(conventii::CitesteRand(row));
                                                 });
            },
            core::TransactionMode::ReadOnly);
        if (int(rows.size()) != iCount)
            state.SkipWithError("the query did not return every convention");
    }
}
BENCHMARK(BM_MonthQueryOnly)->Arg(5000)->ArgNames({"conventions"})->Unit(benchmark::kMillisecond);

// The engine's own part: the same statement run and every row fetched, no column read.
void BM_MonthQueryEngine(benchmark::State& state) {
    const int iCount = int(state.range(0));
    auto s = Employer(iCount);
    for (auto _ : state) {
        int n = 0;
        core::RunLogged(
            "bench",
            [&](core::Statement& st) {
                conventii::InterogheazaConventii(st, "12345678", 2024, 3,
                                                 [&](const core::Statement&) { ++n; });
            },
            core::TransactionMode::ReadOnly);
        if (n != iCount)
            state.SkipWithError("the query did not return every convention");
    }
}
BENCHMARK(BM_MonthQueryEngine)->Arg(5000)->ArgNames({"conventions"})->Unit(benchmark::kMillisecond);

} // namespace
