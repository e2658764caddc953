#pragma once
// Conventions cache of the default employer: the conventions running in the working month,
// with the slots the timesheet and payroll fill. Filled by the conventions page.

#include <memory>
#include <string>
#include <vector>

struct __tagDATECONVENTIIANGAJATOR {
    std::string strCNP, strCNPCorect, strNume, strPrenume, strIdMa, strDocNr, strDocData;
    int iTipMa = 0;
};

class _NDateConventiiAngajator {
public:
    int GetCount() const { return static_cast<int>(m_records.size()); }
    void Clear() { m_records.clear(); }
    const __tagDATECONVENTIIANGAJATOR* At(int i) const {
        return i >= 0 && i < GetCount() ? m_records[static_cast<size_t>(i)].get() : nullptr;
    }

protected:
    std::vector<std::unique_ptr<__tagDATECONVENTIIANGAJATOR>> m_records;
};
