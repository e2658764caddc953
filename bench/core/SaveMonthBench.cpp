// Saving a month of 500 persons through the real pages (every detail table, one
// transaction), beside the engine's own time for the same rows: the rows the save wrote are
// read back once, and then deleted and inserted again with one prepared statement per table
// and nothing of the program in between.
#include "WorkFolder.h"
#include "core/Commands.h"
#include "core/Database.h"
#include "core/LunaDecont.h"
#include "core/VORTAPLApp.h"
#include "core/VORTAPLDlg.h"
#include "main/MainWindowRunner.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace {
constexpr int kPersons = 500;
constexpr int kAn = 2026, kLuna = 11;
const char* const kTables[] = {
    "ATO_RAPORTARE",       "ATO_RAPORTARE_PONTAJ", "ATO_RAPORTARE_STATDEPLATA",
    "ATO_RAPORTARE_ART80", "ATO_RAPORTARE_ART85",  "ATO_RAPORTARE_L116",
    "ATO_RAPORTARE_L72",   "ATO_RAPORTARE_ART93_4"};

struct Month {
    testsupport::StartedApp s;
    std::unique_ptr<CVORTAPLDlg> dlg;

    Month() {
        platform::SetFixedNow(platform::MakeDateTime(kAn, kLuna + 1, 5, 10));
        s.Exec("INSERT INTO ATN_AGENTI (CIF, CURENT, COD_JUDET, DENUMIRE, TIP_CALCUL) VALUES "
               "('RO100', 1, '12', 'BENCH SRL', 0)");
        core::Transaction tr(s.App().m_db);
        tr.Start();
        core::Statement st(tr);
        for (const char* cs : {"ISR", "SMB", "SMN", "PROC_ANGAJATOR", "ZILELUC"})
            st.Execute("INSERT INTO ATN_CS (AN, LN, CS, VALOARE) VALUES (?, ?, ?, ?)",
                       {std::int64_t(kAn), std::int64_t(kLuna), std::string(cs), 1000.0});
        // Persons spread over every measure type, so every law table has rows.
        const int types[] = {13, 14, 22, 22, 23};
        for (int i = 0; i < kPersons; ++i) {
            const int tip = types[i % 5];
            const bool old = tip == 22 && i % 10 == 3; // before 22 Oct 2013: Law 116
            st.Execute("INSERT INTO ATO_INFO_CONVENTII (CIF, CNP, CNP_CORECT, NUME, PRENUME, "
                       "ID_PERS, STARE_PERS, ID_MA, TIP_MA, DATA_START, DATA_SFARSIT, STARE_MA, "
                       "DOC_NR, DOC_DATA, TIPCM, SUMA_BAZA_CALCUL_L116) VALUES ('RO100', ?, ?, "
                       "?, 'ION', ?, 0, ?, ?, ?, ?, 1, '1', ?, 0, 500)",
                       {std::int64_t(18502120000000LL + i), std::int64_t(1850212000000LL + i),
                        "PERSOANA " + std::to_string(i), std::int64_t(700000 + i),
                        std::int64_t(900000 + i), std::int64_t(tip),
                        core::Date{old ? 2013 : 2024, old ? 1 : 1, 1}, core::Date{2029, 12, 31},
                        core::Date{2023, 12, 1}});
        }
        tr.Commit();
        s.App().m_constante.Load();
        dlg = CreateMainWindow();
    }
    ~Month() { platform::SetFixedNow(std::nullopt); }

    bool Open() {
        platform::ScopedMessageRecorder boxes;
        boxes.queue(platform::Answer::Yes);
        dlg->RunCommand(cmd::AdaugareLuna);
        return dlg->m_bLunaDeschisa;
    }
};

// The rows of one table of the settlement, with its column names and types.
struct TableRows {
    std::string insert;
    std::vector<std::vector<core::Value>> rows;
};

std::vector<TableRows> ReadBack(core::Database& db) {
    std::vector<TableRows> out;
    core::Transaction tr(db);
    tr.Start();
    for (const char* table : kTables) {
        core::Statement cols(tr);
        cols.Execute("SELECT TRIM(RF.RDB$FIELD_NAME) AS NAME, F.RDB$FIELD_TYPE AS FTYPE, "
                     "F.RDB$FIELD_SCALE AS FSCALE FROM RDB$RELATION_FIELDS RF JOIN RDB$FIELDS F "
                     "ON F.RDB$FIELD_NAME = RF.RDB$FIELD_SOURCE WHERE RF.RDB$RELATION_NAME = ? "
                     "ORDER BY RF.RDB$FIELD_POSITION",
                     {std::string(table)});
        std::vector<std::pair<std::string, int>> columns; // name, kind
        while (cols.Fetch()) {
            const int type = cols.GetInt("FTYPE"), scale = cols.GetInt("FSCALE");
            int kind = 0; // 0 text, 1 integer, 2 double, 3 date, 4 timestamp
            if (type == 7 || type == 8 || type == 16)
                kind = scale < 0 ? 2 : 1;
            else if (type == 10 || type == 27)
                kind = 2;
            else if (type == 12)
                kind = 3;
            else if (type == 35)
                kind = 4;
            columns.emplace_back(cols.GetText("NAME"), kind);
        }
        TableRows t;
        std::string names, marks;
        for (const auto& [name, kind] : columns) {
            names += (names.empty() ? "" : ", ") + name;
            marks += marks.empty() ? "?" : ", ?";
        }
        t.insert = std::string("INSERT INTO ") + table + " (" + names + ") VALUES (" + marks + ")";
        core::Statement st(tr);
        st.Execute(std::string("SELECT ") + names + " FROM " + table +
                       " WHERE AN = ? AND LN = ? AND CIF = 'RO100'",
                   {std::int64_t(kAn), std::int64_t(kLuna)});
        while (st.Fetch()) {
            std::vector<core::Value> row;
            for (const auto& [name, kind] : columns) {
                if (st.IsNull(name))
                    row.emplace_back(core::Null{});
                else if (kind == 1)
                    row.emplace_back(st.GetInt64(name));
                else if (kind == 2)
                    row.emplace_back(st.GetDouble(name));
                else if (kind == 3)
                    row.emplace_back(st.GetDate(name));
                else if (kind == 4)
                    row.emplace_back(st.GetTimestamp(name));
                else
                    row.emplace_back(st.GetText(name));
            }
            t.rows.push_back(std::move(row));
        }
        out.push_back(std::move(t));
    }
    tr.Commit();
    return out;
}

void BM_SaveMonth500(benchmark::State& state) {
    Month m;
    std::size_t rows = 0;
    for (auto _ : state) {
        state.PauseTiming();
        if (!m.Open()) {
            state.SkipWithError("the month did not open");
            return;
        }
        platform::ScopedMessageRecorder boxes;
        boxes.queue(platform::Answer::Yes); // warnings accepted
        state.ResumeTiming();
        m.dlg->Luna()->OnAnexeSalveazamodificarile(false);
        state.PauseTiming();
        if (m.dlg->m_bLunaDeschisa) {
            state.SkipWithError(("not saved: " + boxes.lastText()).c_str());
            return;
        }
        state.ResumeTiming();
    }
    for (const TableRows& t : ReadBack(m.s.App().m_db))
        rows += t.rows.size();
    state.counters["rows"] = double(rows);
}
BENCHMARK(BM_SaveMonth500)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_EngineSameRows500(benchmark::State& state) {
    Month m;
    if (!m.Open()) {
        state.SkipWithError("the month did not open");
        return;
    }
    {
        platform::ScopedMessageRecorder boxes;
        boxes.queue(platform::Answer::Yes);
        m.dlg->Luna()->OnAnexeSalveazamodificarile(false);
    }
    const std::vector<TableRows> tables = ReadBack(m.s.App().m_db);
    std::size_t rows = 0;
    for (const TableRows& t : tables)
        rows += t.rows.size();
    for (auto _ : state) {
        core::Transaction tr(m.s.App().m_db);
        tr.Start();
        {
            core::Statement del(tr);
            del.Execute("DELETE FROM ATO_RAPORTARE WHERE AN=? AND LN=? AND CIF=?",
                        {std::int64_t(kAn), std::int64_t(kLuna), std::string("RO100")});
        }
        for (const TableRows& t : tables) {
            core::Statement st(tr);
            for (const auto& row : t.rows)
                st.Execute(t.insert, row);
        }
        tr.Commit();
    }
    state.counters["rows"] = double(rows);
}
BENCHMARK(BM_EngineSameRows500)->Unit(benchmark::kMillisecond)->Iterations(5);
} // namespace
