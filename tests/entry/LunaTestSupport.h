#pragma once
// What the tests of the month pages share: an employer with its conventions imported from a
// document of the test data, and the summary and conventions pages joined as the main window
// joins them (what one page sends reaches every page, in tab order).

#include "EntryTestSupport.h"
#include "core/Database.h"
#include "core/VORTAPLApp.h"
#include "entry/DateConventiiAngajatorDlg.h"
#include "entry/SubventiiDlg.h"
#include "exchange/ConventiiKreno.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace lunatest {

inline std::string DataFile(const std::string& name) {
    std::ifstream in(std::string(VORTAPL_TEST_DATA) + "/entry/" + name, std::ios::binary);
    EXPECT_TRUE(in) << name;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Saves the persons of a conventions document under strCIF, as the import does.
inline void ImportConventii(const std::string& strDocument, const std::string& strCIF) {
    std::vector<ConventieRow> rows;
    std::string strError;
    ASSERT_EQ(ParseConventii(strDocument, rows, strError), ParseResult::Ok) << strError;
    ASSERT_TRUE(VerificaConventii(rows, strError)) << strError;
    SaveConventii(theApp().m_db, strCIF, "0123456789abcdef0123456789abcdef", rows);
}

using entrytest::Exec;
using entrytest::SetConstant;

inline void AddEmployer(const std::string& strCIF, const std::string& strCodJudet, int iCurent) {
    Exec("INSERT INTO ATN_AGENTI (CIF, CURENT, COD_JUDET, DENUMIRE) VALUES (?, ?, ?, ?)",
         {strCIF, std::int64_t(iCurent), strCodJudet, std::string("SC Exemplu SRL")});
}

struct PaginiLuna {
    CSubventiiDlg subventii;
    CDateConventiiAngajatorDlg conventii;
    std::vector<int> trimise; // what the pages sent, in order

    PaginiLuna() {
        for (CTabPage* p : {static_cast<CTabPage*>(&subventii), static_cast<CTabPage*>(&conventii)})
            p->SetHost([this](int iCode, long long iParam) {
                trimise.push_back(iCode);
                Notify(iCode, iParam);
            });
    }
    void Notify(int iCode, long long iParam = 0) {
        subventii.OnNotify(iCode, iParam);
        conventii.OnNotify(iCode, iParam);
    }
    // A month added: every page cleared, then built for the month.
    void NewMonth(int iAn, int iLuna) {
        Notify(notify::Clear);
        Notify(notify::NewMonth, iAn * 100 + iLuna);
    }
    // A saved month shown.
    void LoadMonth(int iAn, int iLuna) {
        Notify(notify::Clear);
        Notify(notify::LoadMonth, iAn * 100 + iLuna);
    }
};

} // namespace lunatest
