#pragma once
// A main window on a real database with nine small pages in place of the real ones: each
// records the notifications it gets, keeps a text "entered" by the user, and writes a row of
// the settlement when the month is saved (the summary the settlement row, the timesheet and
// payroll one detail row each), or refuses to.

#include "WorkFolder.h"
#include "core/ConventiiCache.h"
#include "core/Database.h"
#include "core/DetailId.h"
#include "core/TabPage.h"
#include "core/VORTAPLApp.h"
#include "core/VORTAPLDlg.h"

#include <QLineEdit>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace lunatest {

struct Event {
    int page, code;
    long long param;
    bool operator==(const Event&) const = default;
};

class TestPage : public CTabPage {
public:
    TestPage(int index, std::vector<Event>& journal)
        : m_index(index), m_journal(journal), m_edit(new QLineEdit(this)) {}

    void OnNotify(int code, long long param) override {
        CTabPage::OnNotify(code, param);
        m_journal.push_back({m_index, code, param});
        if (code == notify::NewMonth || code == notify::LoadMonth)
            m_iLuna = static_cast<int>(param);
        if (code == notify::Clear)
            m_edit->clear();
        if (code == notify::Finalized)
            m_edit->setReadOnly(param != 0);
    }

    bool SaveData(core::Transaction& tr) override {
        m_journal.push_back({m_index, 0, 0}); // 0: SaveData ran
        if (m_bRefuse)
            return false;
        auto& app = theApp();
        const std::int64_t an = m_iLuna / 100, ln = m_iLuna % 100;
        core::Statement st(tr);
        if (m_index == CVORTAPLDlg::TabSubventii && !m_bNoRow)
            st.Execute("INSERT INTO ATO_RAPORTARE (AN, LN, CIF, STARE, FS) VALUES (?, ?, ?, 0, ?)",
                       {an, ln, app.m_strCIF, app.m_totaluri.FS});
        const char* table = m_index == CVORTAPLDlg::TabPontaj      ? "ATO_RAPORTARE_PONTAJ"
                            : m_index == CVORTAPLDlg::TabStatPlata ? "ATO_RAPORTARE_STATDEPLATA"
                                                                   : nullptr;
        if (table && !m_bNoRow)
            st.Execute(std::string("INSERT INTO ") + table +
                           " (ID, AN, LN, CIF, CNP, CNP_CORECT, NUME) VALUES (?, ?, ?, ?, ?, ?, ?)",
                       {core::NextDetailId(tr, table), an, ln, app.m_strCIF,
                        std::int64_t(11850212123453), std::int64_t(1850212123453),
                        m_edit->text().toStdString()});
        if (m_afterWrite)
            m_afterWrite();
        return true;
    }

    QLineEdit* Edit() const { return m_edit; }
    bool m_bRefuse = false;
    bool m_bNoRow = false; // the page writes nothing
    std::function<void()> m_afterWrite;

private:
    int m_index;
    std::vector<Event>& m_journal;
    QLineEdit* m_edit;
    int m_iLuna = 0;
};

struct Fixture {
    testsupport::StartedApp s;
    std::vector<Event> journal;
    std::vector<TestPage*> pages;
    std::unique_ptr<CVORTAPLDlg> dlg;

    explicit Fixture(bool withEmployer = true) {
        core::ResetDetailIds();
        if (withEmployer)
            s.Exec("INSERT INTO ATN_AGENTI (CIF, CURENT, COD_JUDET, DENUMIRE, TIP_CALCUL) "
                   "VALUES ('RO100', 1, '12', 'PRIMA SRL', 0)");
        std::vector<CTabPage*> list;
        for (int i = 0; i < CVORTAPLDlg::TabCount; ++i) {
            pages.push_back(new TestPage(i, journal));
            list.push_back(pages.back());
        }
        dlg = std::make_unique<CVORTAPLDlg>(list);
        if (!s.App().m_pConventii)
            s.App().m_pConventii = std::make_unique<_NDateConventiiAngajator>();
    }

    // Every valid system constant of the month, reloaded into the constants list.
    void Constants(int an, int ln, double smb = 2000) {
        for (const char* cs : {"ISR", "SMB", "SMN", "PROC_ANGAJATOR", "ZILELUC"})
            s.Exec("INSERT INTO ATN_CS (AN, LN, CS, VALOARE) VALUES (" + std::to_string(an) + ", " +
                   std::to_string(ln) + ", '" + cs + "', " +
                   (std::string(cs) == "SMB" ? std::to_string(smb) : std::string("1")) + ")");
        s.App().m_constante.Load();
    }

    // The month's settlement rows as text, to compare the database before and after.
    std::string Dump() {
        std::string out;
        core::Transaction tr(s.App().m_db);
        tr.Start();
        core::Statement st(tr);
        st.Execute("SELECT AN, LN, CIF, STARE, COD_UNIC, FS, DATA_STARE FROM ATO_RAPORTARE "
                   "ORDER BY AN, LN, CIF");
        while (st.Fetch()) {
            auto t = st.GetTimestamp("DATA_STARE");
            out += "R " + std::to_string(st.GetInt("AN")) + "-" + std::to_string(st.GetInt("LN")) +
                   " " + st.GetText("CIF") + " stare " + std::to_string(st.GetInt("STARE")) +
                   " cod " + (st.IsNull("COD_UNIC") ? "-" : std::to_string(st.GetInt("COD_UNIC"))) +
                   " fs " + std::to_string(st.GetDouble("FS")) + " t " +
                   std::to_string(t.second * 1000 + t.msec) + "\n";
        }
        for (const char* table : {"ATO_RAPORTARE_PONTAJ", "ATO_RAPORTARE_STATDEPLATA"}) {
            core::Statement d(tr);
            d.Execute(std::string("SELECT ID, AN, LN, NUME FROM ") + table + " ORDER BY ID");
            while (d.Fetch()) {
                auto t = d.GetTimestamp("ID");
                out += std::string(table) + " " + std::to_string(d.GetInt("AN")) + "-" +
                       std::to_string(d.GetInt("LN")) + " " + d.GetText("NUME") + " id " +
                       std::to_string(t.minute * 60000 + t.second * 1000 + t.msec) + "\n";
            }
        }
        tr.Commit();
        return out;
    }

    long long Count(const std::string& sqlCount) {
        return testsupport::CountRows(s.App().m_db, sqlCount);
    }

    std::vector<Event> Take() {
        std::vector<Event> out;
        out.swap(journal);
        return out;
    }
};

} // namespace lunatest
