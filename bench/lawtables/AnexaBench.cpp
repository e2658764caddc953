// The Art. 80 annex of a month of N persons, from the click to the first page laid out: the
// employer read, the annex composed from the grid, the document given to the print library
// (printer, font and margins) and paged up to its first page, as the preview needs it before
// it shows anything.

#include "BenchMonth.h"
#include "WorkFolder.h"
#include "core/VORTAPLApp.h"
#include "entry/Tiparire.h"
#include "lawtables/Anexe.h"
#include "lawtables/Art80Dlg.h"
#include "pagero/MorPrint.h"
#include "platform/MessageBox.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

struct Month {
    testsupport::StartedApp app;
    CArt80Dlg page;

    explicit Month(int iPersons) {
        app.Exec("INSERT INTO ATN_CS (AN, LN, CS, VALOARE) VALUES (2024, 3, 'ISR', 1000)");
        app.Exec("INSERT INTO ATN_CS (AN, LN, CS, VALOARE) VALUES (2024, 3, 'SMB', 600)");
        theApp().m_constante.Load();
        app.Exec("INSERT INTO ATN_AGENTI (CIF, CURENT, COD_JUDET, DENUMIRE) VALUES "
                 "('12345678', 1, '21', 'SC Ţara SRL')");
        theApp().m_strCIF = "12345678";
        theApp().m_bLunaFinala = false;
        // Three persons to a convention, all under Art. 80.
        benchmonth::FillConventions(iPersons, [](int i, benchmonth::Persoana& p) {
            benchmonth::Set(p, slot::NUME, "Ştefănescu" + std::to_string(i));
            benchmonth::Set(p, slot::CATEGORIE_PERS, "B");
            benchmonth::Set(p, slot::ID_MA, std::to_string(900000 + i / 3));
            benchmonth::Set(p, slot::DOC_NR, "CV-" + std::to_string(i / 3));
            benchmonth::Set(p, slot::DOC_DATA, "2013-10-21");
            benchmonth::Set(p, slot::MAX_PE_PERIOADA, "168");
        });
        page.OnNotify(1486, 202403);
        page.OnNotify(1488, 0);
        page.OnNotify(1489, 0);
    }
};

void BM_Art80ToFirstPage(benchmark::State& state) {
    Month m(static_cast<int>(state.range(0)));
    QString first;
    std::string strMesaj;
    platform::SetMessageHook([&strMesaj](const platform::MessageRecord& r) {
        strMesaj = r.text;
        return platform::Answer::Ok;
    });
    tiparire::SetPreviewHook([&first](MorPrint& doc) { first = doc.GetPageLine(1, 0); });
    for (auto _ : state) {
        if (!anexe::PrintAnnex(m.page))
            state.SkipWithError("no printer");
        benchmark::DoNotOptimize(first);
    }
    tiparire::SetPreviewHook({});
    platform::SetMessageHook({});
    if (!strMesaj.empty())
        state.SkipWithError(strMesaj.c_str());
    if (first.trimmed() != QStringLiteral("Anexa nr. 16 la Normele metodologice"))
        state.SkipWithError("the first page does not begin with the annex");
}

BENCHMARK(BM_Art80ToFirstPage)->Arg(500)->Unit(benchmark::kMillisecond);

} // namespace
