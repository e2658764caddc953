// Laying out a 10,000-line document (target: under 0.5 s).
#include "pagero/MorPrint.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

class Doc : public MorPrint {
public:
    using MorPrint::Paging;
};

void writeDocument(MorPrint& doc, int lines) {
    doc.SetUserMargins(QMargins(5, 5, 5, 5));
    doc.QWriteLn(QStringLiteral("@@BC:21^12345678^2024^5^987654"), 1);
    doc.QWriteLn(QStringLiteral(" @@R: VORTAPL: 987654"), 1);
    doc.QWriteLn(QStringLiteral("Pagina: %d @@C: VORTAPL: 987654 @@R: Data: 01-06-2024"), 2);
    doc.QWriteLn(QStringLiteral("@@TAB:| Nr | Cod Numeric Personal | Numele si prenumele | Suma |"),
                 3);
    for (int i = 0; i < lines; ++i) {
        if (i % 500 == 499)
            doc.TurnPage();
        doc.QWriteLn(QStringLiteral("|%1| 1800101123456 | Popescu Ştefan-Ţărână %2 @@R:%3 |")
                         .arg(i, 4)
                         .arg(i)
                         .arg(i * 37 % 10000, 8),
                     3);
    }
}

// Paging alone: the document is written once, then laid out again and again.
void BM_Paging10000Lines(benchmark::State& state) {
    QTemporaryDir dir;
    Doc doc;
    if (!doc.Init(dir.path(), 120, 14, 138)) {
        state.SkipWithError("no printer");
        return;
    }
    writeDocument(doc, int(state.range(0)));
    for (auto _ : state) {
        doc.Reset();
        benchmark::DoNotOptimize(doc.Paging());
    }
    state.counters["pages"] = doc.GetPageCount();
}
BENCHMARK(BM_Paging10000Lines)->Arg(10000)->Unit(benchmark::kMillisecond);

// Writing the lines and laying them out, as a printout does before its preview.
void BM_WriteAndPage10000Lines(benchmark::State& state) {
    QTemporaryDir dir;
    for (auto _ : state) {
        Doc doc;
        if (!doc.Init(dir.path(), 120, 14, 138)) {
            state.SkipWithError("no printer");
            return;
        }
        writeDocument(doc, int(state.range(0)));
        benchmark::DoNotOptimize(doc.GetPageCount());
    }
}
BENCHMARK(BM_WriteAndPage10000Lines)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace
