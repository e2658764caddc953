// What the law-table benchmarks share: a month's conventions cache of N persons.
#pragma once

#include "core/ConventiiCache.h"
#include "core/VORTAPLApp.h"

#include <functional>
#include <memory>
#include <string>

namespace benchmonth {

using Persoana = __tagDATECONVENTIIANGAJATOR;

// Through a function: GCC 12 warns falsely on short literals assigned in place.
inline void Set(Persoana& p, int iSlot, std::string strText) {
    p[iSlot] = std::move(strText);
}

// N persons hired on 25.10.2013 under Art. 80, category A, each with a measure of their own,
// who worked 84 of the month's 168 hours in the convention and earned 2500 lei in it;
// `adjust` then gives person i what sets one benchmark's month apart.
inline void FillConventions(int iPersons, const std::function<void(int, Persoana&)>& adjust) {
    auto& cache = *theApp().m_pConventii;
    cache.Clear();
    for (int i = 0; i < iPersons; ++i) {
        auto r = std::make_unique<Persoana>();
        Persoana& p = *r;
        Set(p, slot::CNP, std::to_string(185010000000000LL + i));
        Set(p, slot::CNP_CORECT, std::to_string(1850100000000LL + i));
        Set(p, slot::NUME, "Popescu" + std::to_string(i));
        Set(p, slot::PRENUME, "Ion");
        Set(p, slot::ID_PERS, std::to_string(700000 + i));
        Set(p, slot::DATA_START, "2013-10-25");
        Set(p, slot::DATA_ANG, "2013-10-25");
        Set(p, slot::CATEGORIE_PERS, "A");
        Set(p, slot::ID_MA, std::to_string(900000 + i));
        Set(p, slot::TIP_MA, "13");
        Set(p, slot::DOC_NR, std::to_string(i) + "/2012");
        Set(p, slot::DOC_DATA, "2012-05-01");
        Set(p, slot::NOL, "168");
        Set(p, slot::NORMA, "8");
        Set(p, slot::ORE_LUCRATE_IN_CONVENTIE, "84");
        Set(p, slot::VENIT_BRUT_IN_CONVENTIE, "2500");
        Set(p, slot::VENIT_BRUT_CBFS_CONV, "0");
        if (adjust)
            adjust(i, p);
        cache.Add(std::move(r));
    }
}

} // namespace benchmonth
