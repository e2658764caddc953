#pragma once
// The page every law table is: a title, a help pane that explains the column last selected (and
// why an amount could not be computed), and the grid of persons with its total rows. The rows
// come from the conventions cache of a new month or from the saved month; the amounts follow
// the timesheet (1488) and the payroll (1489); the totals go to MonthTotals and 1490.

#include "core/TabPage.h"
#include "lawtables/LawTableDef.h"

#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>

class CXSimGrid;
class QLabel;
class QPlainTextEdit;
class QPushButton;
struct __tagDATECONVENTIIANGAJATOR;

class CLawTablePage : public CTabPage {
    Q_OBJECT
public:
    CLawTablePage(const lawtable::Definitie& def, QWidget* parent);

    bool LoadFromDB() override;
    bool SaveData(core::Transaction& tr) override;
    void OnNotify(int iCode, long long iParam) override;

    bool FillFromConventions();
    void AddTotalRows();
    // Recomputes one person and then the totals; false when refused (no person in that row,
    // or the month is finalized).
    bool RecalcRow(int iRow);
    // Every person recomputed, the totals once.
    void RecalcAll();
    void RefreshHours();
    void FormatGrid();
    void ShowColumnHelp(int iCol);
    // The table's annex in the preview (lawtables/Anexe.h); false when no printer is usable.
    bool PrintAnnex();

    CXSimGrid* Grid() const { return m_pGrid; }
    QPlainTextEdit* HelpPane() const { return m_pHelp; }
    const lawtable::Definitie& Def() const { return m_def; }
    int AN() const { return m_iAN; }
    int LN() const { return m_iLN; }
    // Person rows: every row but the total rows present.
    int PersonCount() const;

    // The conventions record of a row's person (by CNP LUNG, first match, letter case
    // ignored); none for a row without one.
    __tagDATECONVENTIIANGAJATOR* Record(int iRow) const;
    // While it lives, Record looks the person up in the cache's records by key, built once:
    // a pass over every person (recompute, save, annex) does not scan the whole cache per row.
    class Index {
    public:
        explicit Index(CLawTablePage& page);
        ~Index();
        Index(const Index&) = delete;
        Index& operator=(const Index&) = delete;

    private:
        CLawTablePage& m_page;
        const std::unordered_map<std::string, __tagDATECONVENTIIANGAJATOR*>* m_pPrevious;
        std::unordered_map<std::string, __tagDATECONVENTIIANGAJATOR*> m_byKey;
    };

private:
    void SetHeaders();
    void SetMonth(long long iParam);
    void ComputePerson(int iRow, const lawrules::Constanta& cs);
    void UpdateTotals();
    void ShowSettlementTotals(double fA1, double fPlatit, double fC1, double fTotal);
    void UpdateHelpPane();
    bool Refused(int iRow) const;
    bool Fail(const std::string& strSignature, const std::string& strText);
    std::string Signature(const char* szOperation) const;

    const lawtable::Definitie& m_def;
    QLabel* m_pTitle;
    QPlainTextEdit* m_pHelp;
    CXSimGrid* m_pGrid;
    QPushButton* m_pAdauga;
    QPushButton* m_pElimina;
    int m_iAN = 0, m_iLN = 0;
    int m_iTotalRows = 0; // total rows at the end of the grid (0 until added)
    std::string m_strHelp;
    // Why a person's amount is empty, by CNP LUNG; shown under the column help.
    std::map<std::string, std::string> m_motive;
    // ID_MA and ID_PERS of the persons of a loaded month, by CNP LUNG: a later save keeps
    // them for a person the cache no longer holds.
    std::map<std::string, std::map<std::string, std::int64_t>> m_fisaIncarcata;
    const std::unordered_map<std::string, __tagDATECONVENTIIANGAJATOR*>* m_pIndex = nullptr;
};
