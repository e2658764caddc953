// A law table with the settlement: its person rows (and, for Art. 80 and Art. 85, the four
// totals of the settlement row) saved in the caller's transaction and loaded back.

#include "lawtables/LawTablePage.h"

#include "core/ConventiiCache.h"
#include "core/Database.h"
#include "core/DetailId.h"
#include "core/VORTAPLApp.h"
#include "entry/ValoriDetaliu.h"
#include "widgets/XSimGrid.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

using lawtable::Tip;

namespace {

// The convention number and date joined to the stored rows, the date as DD.MM.YYYY.
const char* const kJoinHead =
    "SELECT r.*, a.doc_nr,  case when extract(day from doc_data) >= 10 then extract(day from "
    "doc_data) else '0'||extract(day from doc_data) end ||'.'|| case when extract(month from "
    "doc_data)>=10 then extract (month from doc_data) else '0'||extract (month from doc_data) "
    "end ||'.'||extract(year from doc_data) as doc_data  from (";
const char* const kJoinTail = ") as R LEFT OUTER JOIN ATO_INFO_CONVENTII A ON  R.CIF = A.CIF AND "
                              "R.ID_MA = A.ID_MA AND R.CNP = A.CNP ";

// A numeric cell as the value bound for it. An empty cell (hours or amounts not worked yet) is
// stored as 0; a cell that holds no number stops the save rather than store a wrong value.
void CheckParsed(const std::string& t, const char* end, const char* szAntet) {
    if (errno != 0 || end == t.c_str() || *end != '\0')
        throw std::runtime_error("Valoarea \"" + t + "\" din coloana \"" + szAntet +
                                 "\" nu este un numar.");
}

std::int64_t WholeNumber(const std::string& strText, const char* szAntet) {
    const std::string t = core::Trim(strText);
    if (t.empty())
        return 0;
    char* end = nullptr;
    errno = 0;
    const long long v = std::strtoll(t.c_str(), &end, 10);
    CheckParsed(t, end, szAntet);
    return v;
}

double Amount(const std::string& strText, const char* szAntet) {
    const std::string t = core::Trim(strText);
    if (t.empty())
        return 0;
    char* end = nullptr;
    errno = 0;
    const double v = std::strtod(t.c_str(), &end);
    CheckParsed(t, end, szAntet);
    return v;
}

void AppendCell(std::vector<core::Value>& values, const lawtable::Coloana& col,
                const std::string& strText) {
    switch (col.tip) {
    case Tip::Text:
        values.emplace_back(strText);
        break;
    case Tip::TextSauNull:
        if (strText.empty())
            values.emplace_back(core::Null{});
        else
            values.emplace_back(strText);
        break;
    case Tip::Suma:
        values.emplace_back(Amount(strText, col.szAntet));
        break;
    default:
        values.emplace_back(WholeNumber(strText, col.szAntet));
    }
}

std::string CellOf(const core::Statement& st, const lawtable::Coloana& col) {
    const std::string name = col.szColoanaDB;
    if (!st.Has(name) || st.IsNull(name))
        return {};
    switch (col.tip) {
    case Tip::Numar:
    case Tip::Suma:
        return detaliu::Format0(st.GetDouble(name));
    case Tip::Intreg:
        return std::to_string(st.GetInt(name));
    default:
        return st.GetText(name);
    }
}

void AppendMonth(std::vector<core::Value>& values, int iAN, int iLN, const std::string& strCIF) {
    values.emplace_back(std::int64_t(iAN));
    values.emplace_back(std::int64_t(iLN));
    values.emplace_back(strCIF);
}

} // namespace

bool CLawTablePage::SaveData(core::Transaction& tr) {
    m_pGrid->CommitEdit();
    const int n = PersonCount();
    if (n == 0)
        return true;
    CXSimGrid& g = *m_pGrid;
    const std::string strTable = m_def.szTabelaDB;
    const std::string& strCIF = theApp().m_strCIF;
    const Index index(*this); // each row's record is looked up for its values
    try {
        std::string sql = "INSERT INTO " + strTable + " (ID,AN,LN,CIF";
        std::string marks = " VALUES ( ?, ?, ?, ?";
        for (const lawtable::Coloana& col : m_def.coloane) {
            if (col.tip == Tip::Nestocat || col.tip == Tip::Alaturat)
                continue;
            sql += std::string(", ") + col.szColoanaDB;
            marks += ", ?";
        }
        for (const lawtable::ValoareFisa& f : m_def.fisa) {
            sql += std::string(", ") + f.szColoanaDB;
            marks += ", ?";
        }
        sql += ")" + marks + ")";

        core::Statement st(tr);
        for (int row = 1; row <= n; ++row) {
            std::vector<core::Value> values;
            values.emplace_back(core::NextDetailId(tr, strTable));
            AppendMonth(values, m_iAN, m_iLN, strCIF);
            for (size_t c = 0; c < m_def.coloane.size(); ++c) {
                const lawtable::Coloana& col = m_def.coloane[c];
                if (col.tip != Tip::Nestocat && col.tip != Tip::Alaturat)
                    AppendCell(values, col, GetCellText(g, row, static_cast<int>(c) + 1));
            }
            const std::string key = GetCellText(g, row, 1);
            const __tagDATECONVENTIIANGAJATOR* pRec = Record(row);
            for (const lawtable::ValoareFisa& f : m_def.fisa) {
                // A person the cache no longer holds keeps the values loaded with the month;
                // failing both, 0 marks the value as unknown.
                std::int64_t v = 0;
                if (pRec)
                    v = WholeNumber((*pRec)[f.iSlot], f.szColoanaDB);
                else if (auto it = m_fisaIncarcata.find(key); it != m_fisaIncarcata.end())
                    v = it->second[f.szColoanaDB];
                values.emplace_back(v);
            }
            st.Execute(sql, values);
        }

        if (m_def.szTotaluriDecont && m_iTotalRows == 3) {
            const std::string p = m_def.szTotaluriDecont;
            const int R = g.GetRowCount();
            auto total = [&](int row, int col) {
                return Amount(GetCellText(g, row, col), "TOTAL");
            };
            std::vector<core::Value> values;
            values.emplace_back(total(R - 2, m_def.iColSuma));
            values.emplace_back(total(R - 2, m_def.iColPlatit));
            values.emplace_back(total(R - 1, m_def.iColPlatit));
            values.emplace_back(total(R, m_def.iColPlatit));
            AppendMonth(values, m_iAN, m_iLN, strCIF);
            st.Execute("UPDATE ATO_RAPORTARE SET " + p + "T1 = ?, " + p + "T2 = ?, " + p +
                           "SCUTIRE = ?, " + p + "T3 = ? WHERE AN=? AND LN = ? AND CIF = ?",
                       values);
        }
        return true;
    } catch (const std::exception& e) {
        return Fail(Signature("SaveData(IBPP::Transaction& tr)"), e.what());
    }
}

bool CLawTablePage::LoadFromDB() {
    SetHeaders();
    CXSimGrid& g = *m_pGrid;
    std::vector<core::Value> month;
    AppendMonth(month, m_iAN, m_iLN, theApp().m_strCIF);
    core::Transaction tr(theApp().m_db, core::TransactionMode::ReadOnly);
    try {
        tr.Start();
        core::Statement st(tr);
        const std::string inner = std::string("SELECT * FROM ") + m_def.szTabelaDB +
                                  " WHERE  AN = ? AND LN = ? AND CIF = ? ";
        st.Execute(m_def.bJoinConventii ? kJoinHead + inner + kJoinTail : inner, month);
        double fTotal = 0;
        g.SetRedraw(false);
        while (st.Fetch()) {
            const int row = g.GetRowCount() + 1;
            g.InsertRows(row, 1);
            for (size_t c = 0; c < m_def.coloane.size(); ++c) {
                const lawtable::Coloana& col = m_def.coloane[c];
                if (col.tip != Tip::Nestocat)
                    SetCellText(g, row, static_cast<int>(c) + 1, CellOf(st, col));
            }
            auto& fisa = m_fisaIncarcata[GetCellText(g, row, 1)];
            for (const lawtable::ValoareFisa& f : m_def.fisa)
                fisa[f.szColoanaDB] = st.IsNull(f.szColoanaDB) ? 0 : st.GetInt64(f.szColoanaDB);
            fTotal += lawrules::CitesteDouble(GetCellText(g, row, m_def.iColSuma));
        }
        g.SetRedraw(true);
        AddTotalRows();

        double fScutire = 0, fSubventie = fTotal;
        if (m_def.szTotaluriDecont) {
            const std::string p = m_def.szTotaluriDecont;
            st.Execute("SELECT " + p + "T1, " + p + "T2, " + p + "SCUTIRE, " + p + "T3 " +
                           "FROM ATO_RAPORTARE WHERE  AN = ? AND LN = ? AND CIF = ? ",
                       month);
            double v[4] = {0, 0, 0, 0};
            if (st.Fetch()) {
                const std::string names[4] = {p + "T1", p + "T2", p + "SCUTIRE", p + "T3"};
                for (int i = 0; i < 4; ++i)
                    v[i] = st.IsNull(names[i]) ? 0 : st.GetDouble(names[i]);
            }
            ShowSettlementTotals(v[0], v[1], v[2], v[3]);
            fSubventie = v[0];
            fScutire = v[2];
        } else if (m_iTotalRows == 1) {
            SetCellText(g, g.GetRowCount(), m_def.iColSuma, detaliu::Format0(fTotal));
        }
        tr.Commit();
        theApp().m_totaluri.*m_def.pScutire = fScutire;
        theApp().m_totaluri.*m_def.pSubventie = fSubventie;
        SendToParent(notify::Totals);
        FormatGrid();
        return true;
    } catch (const std::exception& e) {
        g.SetRedraw(true);
        try {
            tr.Rollback();
        } catch (...) {
        }
        return Fail(Signature("LoadFromDB()"), e.what());
    }
}
