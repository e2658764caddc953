// A month of 500 persons in the real main window: one day typed on the timesheet, with every
// tab that depends on it brought up to date before the keystroke returns, and "Marcheaza
// prezent" over the whole month.
#include "WorkFolder.h"
#include "core/ConventiiCache.h"
#include "core/TabPage.h"
#include "core/VORTAPLApp.h"
#include "core/VORTAPLDlg.h"
#include "entry/PontajDlg.h"
#include "entry/PontajGrid.h"
#include "entry/StatDePlataDlg.h"
#include "entry/StatDePlataGrid.h"
#include "main/MainWindowRunner.h"
#include "widgets/XSimGrid.h"

#include "platform/MessageBox.h"
#include <QTest>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int kPersoane = 500;
constexpr long long kLuna = 202403;
constexpr int D = 31;

// The conventions cache as the conventions page leaves it; the measure types spread the
// persons over the law tables.
void FillCache() {
    auto& cache = *theApp().m_pConventii;
    cache.Clear();
    const char* const tipuri[] = {"13", "14", "22", "23"};
    for (int i = 0; i < kPersoane; ++i) {
        auto rec = std::make_unique<__tagDATECONVENTIIANGAJATOR>();
        const std::string n = std::to_string(100000 + i);
        rec->values = {"100000000" + n,
                       "1800101" + std::to_string(100000 + i),
                       "NUME" + n,
                       std::string("PRENUME"),
                       n,
                       std::string(i % 7 ? "2023-01-01" : "2024-03-11"),
                       std::string(i % 5 ? "2025-12-31" : "2024-03-20"),
                       std::string(),
                       std::string("2023-01-01"),
                       std::string("A"),
                       n,
                       std::string(tipuri[i % 4]),
                       std::string("1"),
                       std::string("1"),
                       std::string("0"),
                       std::string("0"),
                       "D" + n,
                       std::string("2023-01-01")};
        cache.Add(std::move(rec));
    }
}

struct Month {
    // A message box would wait for a person: every box is answered and counted instead.
    platform::ScopedMessageRecorder boxes;
    testsupport::WorkFolder folder;
    std::unique_ptr<CVORTAPLApp> app = std::make_unique<CVORTAPLApp>();
    std::unique_ptr<CVORTAPLDlg> window;
    CPontajDlg* pontaj = nullptr;
    CStatDePlataDlg* stat = nullptr;

    Month() {
        if (!app->Startup())
            throw std::runtime_error("start-up failed");
        theApp().m_strCIF = "12345678";
        // Every constant of the month, so the law tables compute their amounts as in real use.
        for (const char* cs :
             {"'ZILELUC', 21", "'ISR', 500", "'SMB', 1900", "'SMN', 2900", "'PROC_ANGAJATOR', 0.5"})
            theApp().m_db.ExecuteImmediate(
                std::string("INSERT INTO ATN_CS (AN, LN, CS, VALOARE) VALUES (2024, 3, ") + cs +
                ")");
        theApp().m_constante.Load();
        window = CreateMainWindow();
        pontaj = static_cast<CPontajDlg*>(window->Page(CVORTAPLDlg::TabPontaj));
        stat = static_cast<CStatDePlataDlg*>(window->Page(CVORTAPLDlg::TabStatPlata));
        FillCache();
        // Every page builds the month from the cache filled above; the conventions page, which
        // would rebuild the cache from the database, is left out.
        for (int i = 0; i < CVORTAPLDlg::TabCount; ++i)
            if (i != CVORTAPLDlg::TabConventii)
                window->Page(i)->OnNotify(notify::NewMonth, kLuna);
        window->Notify(notify::Enable, 1);
        pontaj->OnAplicaNorma8();
        pontaj->OnMarcheazaPrezent();
        CXSimGrid& s = *stat->Grid();
        for (int r = 1; r <= s.GetRowCount(); ++r)
            s.SetCellText(r, statplata::ColVenit, "3000");
        stat->RefreshHours();
        window->show();
        window->ShowTab(CVORTAPLDlg::TabPontaj);
        QCoreApplication::processEvents();
    }
};

void Press(QWidget* w, Qt::Key key, const QString& text = {}) {
    QTest::sendKeyEvent(QTest::Press, w, key, text, Qt::NoModifier);
    QTest::sendKeyEvent(QTest::Release, w, key, text, Qt::NoModifier);
}

void BM_OneDayTypedInAMonthOf500(benchmark::State& state) {
    Month m;
    CXSimGrid& g = *m.pontaj->Grid();
    const int row = 2 + kPersoane / 2;
    const int col = pontaj::ColZi(12); // a Tuesday
    bool four = false;
    for (auto _ : state) {
        four = !four;
        g.SetCurrentCell(row, col);
        Press(&g, four ? Qt::Key_4 : Qt::Key_8, four ? "4" : "8");
        Press(g.activeEditor(), Qt::Key_Return);
    }
    const std::string expected =
        std::to_string(std::stoi(GetCellText(*m.stat->Grid(), row - 1, statplata::ColOre)));
    if (GetCellText(g, row, pontaj::ColLucrate(D)) != expected)
        state.SkipWithError("the payroll did not take the hours");
}
BENCHMARK(BM_OneDayTypedInAMonthOf500)->Unit(benchmark::kMillisecond)->Iterations(50);

void BM_MarkPresentOn500(benchmark::State& state) {
    Month m;
    CXSimGrid& g = *m.pontaj->Grid();
    bool seven = false;
    for (auto _ : state) {
        state.PauseTiming();
        seven = !seven;
        for (int r = 2; r <= g.GetRowCount(); ++r)
            g.SetCellText(r, pontaj::ColNorma(D), seven ? "7" : "8");
        state.ResumeTiming();
        m.pontaj->OnMarcheazaPrezent();
    }
}
BENCHMARK(BM_MarkPresentOn500)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace
