#pragma once
// Conventions cache of the default employer: one record per convention running in the working
// month. The conventions page fills slots 0..17 from the imported conventions; the timesheet
// writes the hours (18..22) and the payroll the incomes (23..25), and the law tables read both.

#include <array>
#include <memory>
#include <string>
#include <vector>

// Slot positions of a record, in the order the agency's data and the pages fill them.
namespace slot {
enum : int {
    CNP = 0,        // the key, "%.0f" (shown as "CNP LUNG")
    CNP_CORECT = 1, // "%.0f"
    NUME = 2,
    PRENUME = 3,
    ID_PERS = 4,    // "%.0f"
    DATA_START = 5, // "%d-%02d-%02d", empty for a missing date
    DATA_SFARSIT = 6,
    DATA_PENS = 7,
    DATA_ANG = 8,
    CATEGORIE_PERS = 9,
    ID_MA = 10,                 // "%.0f"
    TIP_MA = 11,                // "%d"
    STARE_MA = 12,              // "%d"
    STARE_PERS = 13,            // "%d"
    TIPCM = 14,                 // "%d"
    SUMA_BAZA_CALCUL_L116 = 15, // "%.0f"
    DOC_NR = 16,
    DOC_DATA = 17,
    NOL = 18,                      // timesheet
    NORMA = 19,                    // timesheet
    MAX_PE_PERIOADA = 20,          // timesheet
    ORE_LUCRATE_IN_CONVENTIE = 21, // timesheet
    ORE_CBFS = 22,                 // timesheet
    VENIT_BRUT_NOEL = 23,          // payroll
    VENIT_BRUT_IN_CONVENTIE = 24,  // payroll
    VENIT_BRUT_CBFS_CONV = 25,     // payroll
    Count = 26
};
} // namespace slot

struct __tagDATECONVENTIIANGAJATOR {
    // (not "slots": Qt defines that word as a macro)
    std::array<std::string, slot::Count> values;

    const std::string& operator[](int i) const { return values[static_cast<size_t>(i)]; }
    std::string& operator[](int i) { return values[static_cast<size_t>(i)]; }
    // The slot read as a number: 0 for an empty slot or one that holds no number.
    double Number(int i) const;
    // Year*10000 + month*100 + day of a date slot, 0 when empty or unreadable.
    int DateNumber(int i) const;
};

class _NDateConventiiAngajator {
public:
    _NDateConventiiAngajator() = default;
    _NDateConventiiAngajator(const _NDateConventiiAngajator&) = delete;
    _NDateConventiiAngajator& operator=(const _NDateConventiiAngajator&) = delete;

    void Clear();
    void Add(std::unique_ptr<__tagDATECONVENTIIANGAJATOR> pRecord);
    int GetCount() const;
    // Null with "Pozitia %d din lista este invalida." outside 0..count-1.
    __tagDATECONVENTIIANGAJATOR* GetAt(int iPos);
    const __tagDATECONVENTIIANGAJATOR* At(int iPos) const;
    // First record whose slot 0 equals the key ignoring letter case; null with "CNP Lung gol"
    // for an empty key and "CNP Lung negasit" when nothing matches.
    __tagDATECONVENTIIANGAJATOR* Find(const std::string& strCNPLung);
    const std::string& GetLastError() const { return m_strLastError; }
    // DOC_NR and DOC_DATA of the first record whose ID_MA equals strIdMA ignoring letter case;
    // both emptied and false without such a record.
    bool GetDocument(const std::string& strIdMA, std::string& strDocNr,
                     std::string& strDocData) const;

private:
    std::vector<std::unique_ptr<__tagDATECONVENTIIANGAJATOR>> m_records;
    std::string m_strLastError;
};
