// The Art. 80 annex of a month of N persons, from the click to the first page laid out: the
// employer read, the annex composed from the grid, the document given to the print library
// (printer, font and margins) and paged up to its first page, as the preview needs it before
// it shows anything.

#include "WorkFolder.h"
#include "core/ConventiiCache.h"
#include "core/VORTAPLApp.h"
#include "entry/Tiparire.h"
#include "lawtables/Anexe.h"
#include "lawtables/Art80Dlg.h"
#include "pagero/MorPrint.h"
#include "platform/MessageBox.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
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
        auto& cache = *theApp().m_pConventii;
        cache.Clear();
        for (int i = 0; i < iPersons; ++i) {
            auto r = std::make_unique<__tagDATECONVENTIIANGAJATOR>();
            auto& v = *r;
            auto set = [&v](int iSlot, std::string strText) { v[iSlot] = std::move(strText); };
            set(slot::CNP, std::to_string(185010000000000LL + i));
            set(slot::CNP_CORECT, std::to_string(1850100000000LL + i));
            set(slot::NUME, "Ştefănescu" + std::to_string(i));
            set(slot::PRENUME, "Ion");
            set(slot::ID_PERS, std::to_string(700000 + i));
            set(slot::DATA_START, "2013-10-25");
            set(slot::DATA_ANG, "2013-10-25");
            set(slot::CATEGORIE_PERS, "B");
            set(slot::ID_MA, std::to_string(900000 + i / 3));
            set(slot::TIP_MA, "13");
            set(slot::DOC_NR, "CV-" + std::to_string(i / 3));
            set(slot::DOC_DATA, "2013-10-21");
            set(slot::NOL, "168");
            set(slot::NORMA, "8");
            set(slot::MAX_PE_PERIOADA, "168");
            set(slot::ORE_LUCRATE_IN_CONVENTIE, "84");
            set(slot::VENIT_BRUT_IN_CONVENTIE, "2500");
            set(slot::VENIT_BRUT_CBFS_CONV, "0");
            cache.Add(std::move(r));
        }
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

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication qapp(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
