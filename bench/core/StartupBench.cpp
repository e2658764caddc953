// Start-up up to the main window with 15 years of monthly constants in the database.
#include "WorkFolder.h"
#include "core/Database.h"
#include "core/VORTAPLApp.h"
#include "main/MainWindowRunner.h"
#include "platform/MessageBox.h"

#include "core/VORTAPLDlg.h"
#include <benchmark/benchmark.h>

#include <memory>

namespace {
void fillConstants(const testsupport::WorkFolder& f) {
    core::Database db;
    db.Connect(f.File("VORTAPL.DAT").string(), core::kDbUser, core::kDbPassword);
    core::Transaction tr(db);
    core::Statement st(tr);
    for (int an = 2011; an < 2026; ++an)
        for (int ln = 1; ln <= 12; ++ln)
            for (const char* cs : {"ISR", "SMB", "SMN", "PROC_ANGAJATOR", "ZILELUC"})
                st.Execute("INSERT INTO ATN_CS (AN, LN, CS, VALOARE) VALUES (?, ?, ?, ?)",
                           {std::int64_t(an), std::int64_t(ln), std::string(cs), 1000.0 + ln});
    tr.Commit();
}

void BM_StartupToMainWindow(benchmark::State& state) {
    testsupport::WorkFolder folder;
    fillConstants(folder);
    for (auto _ : state) {
        CVORTAPLApp app;
        bool ok = app.Startup();
        if (!ok)
            state.SkipWithError("start-up failed");
        auto window = CreateMainWindow();
        benchmark::DoNotOptimize(window.get());
    }
}
BENCHMARK(BM_StartupToMainWindow)->Unit(benchmark::kMillisecond)->Iterations(10);

// A first start in an empty folder: the database is built from the shipped schema first.
void BM_FirstStartCreatingTheDatabase(benchmark::State& state) {
    // The first start says where it created the database: the box is answered at once.
    platform::ScopedMessageRecorder boxes;
    for (auto _ : state) {
        state.PauseTiming();
        auto folder = std::make_unique<testsupport::WorkFolder>(false);
        state.ResumeTiming();
        {
            CVORTAPLApp app;
            if (!app.Startup())
                state.SkipWithError("start-up failed");
        }
        state.PauseTiming();
        folder.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FirstStartCreatingTheDatabase)->Unit(benchmark::kMillisecond)->Iterations(3);
} // namespace
