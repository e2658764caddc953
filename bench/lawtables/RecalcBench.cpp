// The five law tables of a month of N persons (spread over the tables by measure type):
// - BM_HoursChanged: the timesheet's 1488 reaching every table, each refreshing its hours,
//   recomputing its persons and totals and repainting;
// - BM_IncomesChanged: the payroll's 1489 likewise;
// - BM_Save: the five tables' SaveData in one transaction, committed.

#include "BenchMonth.h"
#include "WorkFolder.h"
#include "core/Database.h"
#include "core/VORTAPLApp.h"
#include "lawtables/Art80Dlg.h"
#include "lawtables/Art85Dlg.h"
#include "lawtables/Art93_4Dlg.h"
#include "lawtables/L116Dlg.h"
#include "lawtables/L72Dlg.h"
#include "widgets/XSimGrid.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kAN = 2024, kLN = 3;

struct Month {
    testsupport::StartedApp app;
    std::vector<std::unique_ptr<CLawTablePage>> pages;

    explicit Month(int iPersons) {
        for (const char* cs : {"ISR", "SMB", "SMN"})
            app.Exec(std::string("INSERT INTO ATN_CS (AN, LN, CS, VALOARE) VALUES (2024, 3, '") +
                     cs + "', 2000)");
        app.Exec("INSERT INTO ATN_CS (AN, LN, CS, VALOARE) VALUES (2013, 10, 'SMN', 2000)");
        theApp().m_constante.Load();
        theApp().m_strCIF = "12345678";
        theApp().m_bLunaFinala = false;
        // The persons spread over the five schemes by measure type and convention date.
        benchmonth::FillConventions(iPersons, [](int i, benchmonth::Persoana& p) {
            static const char* const tip[] = {"13", "14", "22", "22", "23"};
            static const char* const doc[] = {"2012-05-01", "2012-05-01", "2013-01-01",
                                              "2014-01-01", "2014-01-01"};
            benchmonth::Set(p, slot::TIP_MA, tip[i % 5]);
            benchmonth::Set(p, slot::DOC_DATA, doc[i % 5]);
            benchmonth::Set(p, slot::TIPCM, "1");
            benchmonth::Set(p, slot::SUMA_BAZA_CALCUL_L116, "1400");
        });
        pages.emplace_back(new CArt80Dlg);
        pages.emplace_back(new CArt85Dlg);
        pages.emplace_back(new CL116Dlg);
        pages.emplace_back(new CL72Dlg);
        pages.emplace_back(new CArt93_4Dlg);
        for (auto& p : pages) {
            p->resize(1200, 700);
            p->show();
            p->OnNotify(1486, kAN * 100 + kLN);
        }
        QApplication::processEvents();
    }
    void Notify(int iCode) {
        for (auto& p : pages)
            p->OnNotify(iCode, 0);
        QApplication::processEvents();
    }
};

void BM_HoursChanged(benchmark::State& state) {
    Month m(int(state.range(0)));
    int h = 80;
    for (auto _ : state) {
        // One person's hours changed, as one timesheet cell edit leaves the cache.
        (*theApp().m_pConventii->GetAt(0))[slot::ORE_LUCRATE_IN_CONVENTIE] = std::to_string(h++);
        m.Notify(1488);
    }
}

void BM_IncomesChanged(benchmark::State& state) {
    Month m(int(state.range(0)));
    for (auto _ : state)
        m.Notify(1489);
}

void BM_Save(benchmark::State& state) {
    Month m(int(state.range(0)));
    m.Notify(1488);
    for (auto _ : state) {
        core::Transaction tr(theApp().m_db);
        tr.Start();
        core::Statement st(tr);
        st.Execute("DELETE FROM ATO_RAPORTARE WHERE AN = 2024 AND LN = 3");
        st.Execute("INSERT INTO ATO_RAPORTARE (AN, LN, CIF) VALUES (2024, 3, '12345678')");
        for (auto& p : m.pages)
            if (!p->SaveData(tr))
                state.SkipWithError("save failed");
        tr.Commit();
    }
}

BENCHMARK(BM_HoursChanged)->Arg(500)->Arg(2500)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IncomesChanged)->Arg(500)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Save)->Arg(500)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
