// Filling a shown grid row by row, as a page appends its persons, with and without the
// SetRedraw bracket; and fitting its columns afterwards.
#include "widgets/XSimGrid.h"

#include <QTest>
#include <benchmark/benchmark.h>

namespace {

constexpr int kCols = 40; // a 31-day timesheet has 40 columns

void appendRows(CXSimGrid& grid, int rows) {
    for (int i = 0; i < rows; ++i) {
        grid.InsertRows(grid.GetRowCount() + 1, 1);
        const int r = grid.GetRowCount();
        grid.SetCellText(r, 0, QString::number(r));
        grid.SetCellText(r, 2, QStringLiteral("1850101%1").arg(r, 6, 10, QChar(u'0')));
        grid.SetCellText(r, 3, QStringLiteral("Popescu Ștefan %1").arg(r));
        for (int c = 4; c <= kCols; ++c)
            grid.SetCellText(r, c, (c % 7 == 0) ? QStringLiteral("X") : QStringLiteral("8"));
    }
}

void BM_AppendRows(benchmark::State& state) {
    const int rows = int(state.range(0));
    const bool bracket = state.range(1) != 0;
    for (auto _ : state) {
        state.PauseTiming();
        CXSimGrid grid;
        grid.resize(1000, 600);
        grid.show();
        (void)QTest::qWaitForWindowExposed(&grid);
        grid.InsertCols(1, kCols);
        state.ResumeTiming();
        if (bracket)
            grid.SetRedraw(false);
        appendRows(grid, rows);
        if (bracket)
            grid.SetRedraw(true);
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(grid.GetRowCount());
    }
}
BENCHMARK(BM_AppendRows)
    ->ArgsProduct({{500, 5000}, {0, 1}})
    ->ArgNames({"rows", "bracket"})
    ->Unit(benchmark::kMillisecond);

void BM_AutoFitColumns(benchmark::State& state) {
    CXSimGrid grid;
    grid.InsertCols(1, kCols);
    grid.SetRedraw(false);
    appendRows(grid, int(state.range(0)));
    grid.SetRedraw(true);
    for (auto _ : state)
        grid.AutoFitColumns(0, 1, grid.GetRowCount(), grid.GetColCount());
}
BENCHMARK(BM_AutoFitColumns)->Arg(500)->Arg(5000)->Unit(benchmark::kMillisecond);

} // namespace
