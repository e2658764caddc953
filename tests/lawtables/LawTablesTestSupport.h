#pragma once
// What the law-table tests share: a started application with a month's constants, conventions
// put into the cache the way the conventions page, the timesheet and the payroll fill it, and
// the notifications sent the way the main window relays them.

#include "../entry/EntryTestSupport.h"
#include "WorkFolder.h"
#include "core/ConventiiCache.h"
#include "core/VORTAPLApp.h"
#include "lawtables/LawTablePage.h"
#include "widgets/XSimGrid.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace lawtest {

constexpr int kAN = 2024, kLN = 3;
constexpr long long kLuna = kAN * 100 + kLN;
const std::string kCIF = "RO12345";

struct Conventie {
    std::string cnp, nume, categorie;
    int tipMA = 13;
    std::string docData, dataStart, dataAng;
    double salariu = 0;
    int tipCM = 0;
    // timesheet and payroll
    int nol = 0, ore = 0, norma = 0;
    double venit = 0, venitCBFS = 0;
};

inline std::string Num(double f) {
    char sz[64];
    std::snprintf(sz, sizeof sz, "%.0f", f);
    return sz;
}

// The record as the conventions page writes slots 0..17 (ID_MA and ID_PERS derived from the
// key so that every person has distinct ones).
inline std::unique_ptr<__tagDATECONVENTIIANGAJATOR> Record(const Conventie& c) {
    auto r = std::make_unique<__tagDATECONVENTIIANGAJATOR>();
    auto& v = *r;
    v[slot::CNP] = c.cnp;
    v[slot::CNP_CORECT] = "1" + c.cnp.substr(c.cnp.size() - 12);
    v[slot::NUME] = c.nume;
    v[slot::PRENUME] = "Ion";
    v[slot::ID_PERS] = Num(std::stod(c.cnp.substr(c.cnp.size() - 4)) + 7000);
    v[slot::DATA_START] = c.dataStart;
    v[slot::DATA_ANG] = c.dataAng;
    v[slot::CATEGORIE_PERS] = c.categorie;
    v[slot::ID_MA] = Num(std::stod(c.cnp.substr(c.cnp.size() - 4)) + 9000);
    v[slot::TIP_MA] = std::to_string(c.tipMA);
    v[slot::TIPCM] = std::to_string(c.tipCM);
    v[slot::SUMA_BAZA_CALCUL_L116] = Num(c.salariu);
    v[slot::DOC_NR] = "CV-" + c.cnp.substr(c.cnp.size() - 3);
    v[slot::DOC_DATA] = c.docData;
    return r;
}

// What the timesheet (18..22) and the payroll (23..25) write for the person.
inline void Work(__tagDATECONVENTIIANGAJATOR& v, const Conventie& c) {
    v[slot::NOL] = std::to_string(c.nol);
    v[slot::NORMA] = std::to_string(c.norma);
    v[slot::ORE_LUCRATE_IN_CONVENTIE] = std::to_string(c.ore);
    v[slot::VENIT_BRUT_IN_CONVENTIE] = Num(c.venit);
    v[slot::VENIT_BRUT_CBFS_CONV] = Num(c.venitCBFS);
}

class Month {
public:
    Month() {
        auto& app = theApp();
        app.m_strCIF = kCIF;
        app.m_bFaraRotunjire = 0;
        app.m_bLunaFinala = false;
        app.m_totaluri.Clear();
        if (!app.m_pConventii)
            app.m_pConventii = std::make_unique<_NDateConventiiAngajator>();
        app.m_pConventii->Clear();
    }
    void Constant(const std::string& cs, int an, int ln, double value) {
        entrytest::SetConstant(an, ln, cs, value);
    }
    // The settlement row the summary inserts first during a save.
    void Settlement() {
        m_app.Exec("INSERT INTO ATO_RAPORTARE (AN, LN, CIF) VALUES (" + std::to_string(kAN) + ", " +
                   std::to_string(kLN) + ", '" + kCIF + "')");
    }
    // The conventions as imported, for the convention number and date joined on load.
    void Imported(const Conventie& c) {
        const auto r = Record(c);
        const auto& v = *r;
        m_app.Exec("INSERT INTO ATO_INFO_CONVENTII (CIF, CNP, ID_MA, DOC_NR, DOC_DATA) VALUES ('" +
                   kCIF + "', " + v[slot::CNP] + ", " + v[slot::ID_MA] + ", '" + v[slot::DOC_NR] +
                   "', " + (c.docData.empty() ? "NULL" : "'" + c.docData + "'") + ")");
    }
    void Add(const std::vector<Conventie>& list) {
        m_list.insert(m_list.end(), list.begin(), list.end());
        for (const Conventie& c : list) {
            theApp().m_pConventii->Add(Record(c));
            Imported(c);
        }
    }
    // The timesheet and the payroll have been worked: hours and incomes in the cache.
    void Worked() {
        for (size_t i = 0; i < m_list.size(); ++i)
            Work(*theApp().m_pConventii->GetAt(static_cast<int>(i)), m_list[i]);
    }
    __tagDATECONVENTIIANGAJATOR& Rec(const std::string& cnp) {
        return *theApp().m_pConventii->Find(cnp);
    }
    testsupport::StartedApp& App() { return m_app; }

private:
    testsupport::StartedApp m_app;
    std::vector<Conventie> m_list;
};

// A page hosted as the main window hosts it; counts the 1490 it sends.
template <class Page> struct Hosted {
    Page page;
    int totals = 0;
    Hosted() {
        page.SetHost([this](int code, long long) {
            if (code == 1490)
                ++totals;
        });
        page.resize(1200, 700);
    }
    CXSimGrid& grid() { return *page.Grid(); }
    std::string cell(int row, int col) { return GetCellText(grid(), row, col); }
    std::vector<std::vector<std::string>> all() {
        std::vector<std::vector<std::string>> rows;
        for (int r = 1; r <= grid().GetRowCount(); ++r) {
            rows.emplace_back();
            for (int c = 1; c <= grid().GetColCount(); ++c)
                rows.back().push_back(cell(r, c));
        }
        return rows;
    }
    std::vector<std::string> column(int col) {
        std::vector<std::string> v;
        for (int r = 1; r <= grid().GetRowCount(); ++r)
            v.push_back(cell(r, col));
        return v;
    }
};

} // namespace lawtest
