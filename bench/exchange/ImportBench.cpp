// The conventions import of a large employer, driven through its window as a user would:
// Load of the transfer file into the table, and Save up to the success message (target for
// 5,000 persons: under 2 s). The counter max_gap_ms is the longest time the window went
// without handling its events while the work ran.

#include "WorkFolder.h"
#include "core/VORTAPLApp.h"
#include "exchange/ImportConventiiKrenoDlg.h"
#include "exchange/TransferFile.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBox.h"
#include "widgets/XSimGrid.h"

#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <chrono>
#include <fstream>
#include <string>

namespace {

std::string Document(int iPersons) {
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<exportKRENO>\n";
    for (int i = 0; i < iPersons; ++i) {
        const std::string n = std::to_string(i);
        xml += "<asigurat CIF=\"12345678\" CNP=\"18501" + std::to_string(10000000 + i) +
               "\" CNP_CORECT=\"18501" + std::to_string(10000000 + i) + "\" NUME=\"Ștefănescu" + n +
               "\" PRENUME=\"Mădălina Ioana\" ID_PERS=\"" + std::to_string(700000 + i) +
               "\" STARE_PERS=\"0\" DATA_STARE=\"2023-01-10\" INFO_STARE=\"activ\" "
               "DATA_PENS=\"2050-01-01\" DATA_ANG=\"2023-01-15\" CATEGORIE_PERS=\"A45\" ID_MA=\"" +
               std::to_string(900000 + i) + "\" TIP_MA=\"" + (i % 2 ? "13" : "14") +
               "\" DATA_START=\"2023-01-15\" DATA_SFARSIT=\"2025-01-14\" DOC_NR=\"" + n +
               "/2023\" DOC_DATA=\"2023-01-12\" STARE_MA=\"1\" DOC_NUME_PERS=\"Ion Popescu\" "
               "DOC_NUME_FUNCTIE=\"Director\" TIPCM=\"1\" BAZA_CALCUL_L116=\"1234.57\"/>\n";
    }
    return xml + "</exportKRENO>\n";
}

// The longest pause between two ticks of a 5 ms timer while it runs.
class GapMeter {
public:
    GapMeter() {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout,
                         [this] { m_max = std::max(m_max, m_clock.restart()); });
    }
    void Start() {
        m_max = 0;
        m_clock.start();
        m_timer.start();
    }
    qint64 Stop() {
        m_timer.stop();
        return std::max(m_max, m_clock.elapsed());
    }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_max = 0;
};

struct Setup {
    testsupport::StartedApp app;
    std::string strPath;
    explicit Setup(int iPersons) {
        app.Exec("INSERT INTO ATN_AGENTI (CIF, CURENT, COD_JUDET, DENUMIRE) VALUES ('12345678', "
                 "1, '12', 'SC Mare SRL')");
        theApp().m_strCIF = "12345678";
        strPath = app.Folder().File("12_12345678.crypt").string();
        std::ofstream(strPath, std::ios::binary) << EncryptTransferData(Document(iPersons));
        platform::SetFileDialogHook(
            [p = strPath](const platform::FileDialogRequest&) { return std::optional(p); });
    }
    ~Setup() { platform::SetFileDialogHook({}); }
};

void BM_Load(benchmark::State& state) {
    Setup setup(int(state.range(0)));
    platform::ScopedMessageRecorder rec;
    GapMeter gaps;
    qint64 maxGap = 0;
    for (auto _ : state) {
        CImportConventiiKrenoDlg dlg;
        dlg.show();
        dlg.SelectButton()->click();
        gaps.Start();
        dlg.LoadButton()->click();
        maxGap = std::max(maxGap, gaps.Stop());
        if (dlg.Grid()->GetRowCount() != state.range(0) || !rec.messages().empty())
            state.SkipWithError("load failed");
    }
    state.counters["max_gap_ms"] = double(maxGap);
}

void BM_SaveToSuccessMessage(benchmark::State& state) {
    Setup setup(int(state.range(0)));
    platform::ScopedMessageRecorder rec;
    GapMeter gaps;
    qint64 maxGap = 0;
    for (auto _ : state) {
        CImportConventiiKrenoDlg dlg;
        dlg.show();
        dlg.SelectButton()->click();
        dlg.LoadButton()->click();
        rec.clear();
        gaps.Start();
        const auto start = std::chrono::steady_clock::now();
        dlg.SaveButton()->click();
        const auto end = std::chrono::steady_clock::now();
        maxGap = std::max(maxGap, gaps.Stop());
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
        if (rec.lastText() != "Import efectuat cu succes!")
            state.SkipWithError(rec.lastText().c_str());
    }
    state.counters["max_gap_ms"] = double(maxGap);
}

BENCHMARK(BM_Load)->Arg(5000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SaveToSuccessMessage)
    ->Arg(5000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
// A very large employer: no target, but the window must keep answering.
BENCHMARK(BM_Load)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_SaveToSuccessMessage)
    ->Arg(100000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

} // namespace
