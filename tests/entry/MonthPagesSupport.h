#pragma once
// A month on the timesheet and payroll pages: the conventions cache filled the way the
// conventions page fills it, the month's constants, and the two pages joined by a relay that
// passes every notification to both, in tab order, and keeps a journal of what was sent.

#include "EntryTestSupport.h"
#include "core/ConventiiCache.h"
#include "core/Lists.h"
#include "core/TabPage.h"
#include "core/VORTAPLApp.h"
#include "entry/PontajDlg.h"
#include "entry/StatDePlataDlg.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace monthtest {

struct Persoana {
    std::string cnpLung, cnp, nume, prenume;
    int start[3], sfarsit[3]; // year, month, day
};

inline std::string Date(const int d[3]) {
    char sz[32];
    std::snprintf(sz, sizeof sz, "%d-%02d-%02d", d[0], d[1], d[2]);
    return sz;
}

// Slots 0..17 of one record per person, in the given order.
inline void FillCache(const std::vector<Persoana>& persoane) {
    auto& cache = *theApp().m_pConventii;
    cache.Clear();
    int id = 1;
    for (const Persoana& p : persoane) {
        auto rec = std::make_unique<__tagDATECONVENTIIANGAJATOR>();
        const std::string n = std::to_string(id);
        rec->values = {p.cnpLung,        p.cnp,
                       p.nume,           p.prenume,
                       "100" + n,        Date(p.start),
                       Date(p.sfarsit),  std::string(),
                       Date(p.start),    std::string("A"),
                       "50" + n,         std::string("13"),
                       std::string("1"), std::string("1"),
                       std::string("0"), std::string("0"),
                       "D" + n,          Date(p.start)};
        cache.Add(std::move(rec));
        ++id;
    }
}

inline __tagDATECONVENTIIANGAJATOR& Rec(int i) {
    return *theApp().m_pConventii->GetAt(i);
}

// The two pages as the main window holds them: the timesheet before the payroll; whatever a
// page sends reaches both, synchronously.
struct Pages {
    CPontajDlg pontaj;
    CStatDePlataDlg stat;
    std::vector<int> sent;

    Pages() {
        auto relay = [this](int code, long long param) {
            sent.push_back(code);
            Send(code, param);
        };
        pontaj.SetHost(relay);
        stat.SetHost(relay);
    }
    void Send(int code, long long param = 0) {
        pontaj.OnNotify(code, param);
        stat.OnNotify(code, param);
    }
    int Count(int code) const {
        int n = 0;
        for (int c : sent)
            n += c == code;
        return n;
    }
};

// ZILELUC of a month, stored and taken into the constants list.
inline void SetZileLuc(int an, int ln, int zile) {
    entrytest::SetConstant(an, ln, "ZILELUC", zile);
}

// The settlement row the detail rows hang on.
inline void AddSettlement(int an, int ln) {
    theApp().m_db.ExecuteImmediate("INSERT INTO ATO_RAPORTARE (AN, LN, CIF, STARE) VALUES (" +
                                   std::to_string(an) + ", " + std::to_string(ln) + ", '" +
                                   theApp().m_strCIF + "', 0)");
}

} // namespace monthtest
