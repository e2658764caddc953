#include "entry/AgentiDlg.h"

#include "core/Database.h"
#include "core/DbOperation.h"
#include "core/Lists.h"
#include "core/VORTAPLApp.h"
#include "core/ValueFunctions.h"
#include "entry/LimiteColoane.h"
#include "platform/MessageBox.h"
#include "platform/ModalDialog.h"
#include "widgets/DialogButtons.h"
#include "widgets/XSimGrid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The name is kept in capitals as it is typed, pasted or set, like every name the agency's
// documents carry.
class UpperCaseValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        input = input.toUpper();
        return Acceptable;
    }
};

std::string ToUpper(const std::string& s) {
    return QString::fromStdString(s).toUpper().toStdString();
}

void ShowError(const std::string& text) {
    platform::ShowMessage(text, "VORTAPL", platform::Icon::Error);
}

// One transaction around fn; an error is rolled back, logged under the operation's signature
// and shown, and the result is false.
bool RunInTransaction(const char* signature, core::TransactionMode mode,
                      const std::function<void(core::Statement&)>& fn) {
    std::string err;
    if (core::RunLogged(signature, fn, mode, core::LockResolution::Wait, &err))
        return true;
    ShowError(err);
    return false;
}

// Every grid row becomes a property row, an empty value included, so the employer always
// carries the full list the reference table offered when it was saved.
void InsertProprietati(core::Statement& st, const DateAgent& a) {
    for (const ProprietateAgent& p : a.proprietati)
        st.Execute("INSERT INTO ATN_AGENTI_DETALII(CIF,PROPRIETATE,VALOARE) VALUES(?, ?, ?)",
                   {a.strCIF, p.strDenumire, ToUpper(p.strValoare)});
}

// The values as they will be stored (names and values in capitals) checked against the lengths
// of their columns, so the user reads which field is too long instead of the engine's text.
RezultatValidare VerificaLungimi(const DateAgent& a) {
    RezultatValidare r;
    const auto tooLong = [](const std::string& value, int limit) {
        return limit > 0 && NumarCaractere(value) > static_cast<std::size_t>(limit);
    };
    if (const int n = LungimeColoana("ATN_AGENTI", "CIF"); tooLong(a.strCIF, n)) {
        r.camp = CampAgent::CIF;
        r.strMesaj = MesajPreaLung("CIF", n);
    } else if (const int m = LungimeColoana("ATN_AGENTI", "DENUMIRE"); tooLong(a.strDenumire, m)) {
        r.camp = CampAgent::Denumire;
        r.strMesaj = MesajPreaLung("DENUMIRE", m);
    } else {
        const int v = LungimeColoana("ATN_AGENTI_DETALII", "VALOARE");
        for (std::size_t i = 0; i < a.proprietati.size(); ++i) {
            if (tooLong(ToUpper(a.proprietati[i].strValoare), v)) {
                r.camp = CampAgent::Proprietate;
                r.iProprietate = static_cast<int>(i);
                r.strMesaj = MesajPreaLung(a.proprietati[i].strDenumire, v);
                break;
            }
        }
    }
    return r;
}

} // namespace

CAgentiDlg::CAgentiDlg(const std::string& strCIF, QWidget* parent)
    : QDialog(parent), m_strCIF(strCIF) {
    resize(640, 520);
    m_pCIF = new QLineEdit(this);
    m_pCIF->setObjectName("cif");
    m_pCIF->setMaxLength(15);
    m_pCIF->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), m_pCIF));
    m_pDenumire = new QLineEdit(this);
    m_pDenumire->setObjectName("denumire");
    m_pDenumire->setMaxLength(100);
    m_pDenumire->setValidator(new UpperCaseValidator(m_pDenumire));
    m_pJudet = new QComboBox(this);
    m_pJudet->setObjectName("judet");
    m_pJudet->setMaxVisibleItems(20);
    m_pCurent = new QCheckBox("Implicit selectat la pornirea aplicatiei", this);
    m_pCurent->setObjectName("curent");
    m_pFaraRotunjire = new QCheckBox("Seteaza modul de calcul a scutirii fara rotunjire", this);
    m_pFaraRotunjire->setObjectName("faraRotunjire");
    m_pGrid = new CXSimGrid(this);
    m_pGrid->setObjectName("grid");

    auto* form = new QFormLayout;
    form->addRow("CIF/CUI:", m_pCIF);
    form->addRow("DENUMIRE:", m_pDenumire);
    form->addRow("JUDET:", m_pJudet);

    // Enter belongs to the grid (it commits a value and moves down), never to a button.
    DialogButtons buttons = MakeDialogButtons(this, "&Salveaza", "&Renunta", false);
    connect(buttons.ok, &QPushButton::clicked, this, &CAgentiDlg::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_pCurent);
    layout->addWidget(m_pFaraRotunjire);
    layout->addWidget(m_pGrid, 1);
    layout->addLayout(buttons.row);

    SetGrid();

    _NJudete& judete = theApp().m_judete;
    QStringList names;
    for (int i = 0; i < judete.GetCount(); ++i)
        names << QString::fromStdString(judete.GetJudet(i));
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    m_pJudet->addItems(names);
    m_pJudet->setCurrentIndex(-1);

    if (!m_strCIF.empty()) {
        setWindowTitle("Actualizare date agent economic");
        m_pCIF->setText(QString::fromStdString(m_strCIF));
        m_pCIF->setEnabled(false);
        m_pJudet->setEnabled(false);
        LoadDateAgent(m_strCIF);
    } else {
        setWindowTitle("Adaugare agent economic");
    }
    m_pGrid->InitGrid(0);
    m_initial = UpdateData();
}

bool CAgentiDlg::Modificat() const {
    const DateAgent now = UpdateData();
    if (now.strCIF != m_initial.strCIF || now.strDenumire != m_initial.strDenumire ||
        now.strJudet != m_initial.strJudet || now.bCurent != m_initial.bCurent ||
        now.bFaraRotunjire != m_initial.bFaraRotunjire ||
        now.proprietati.size() != m_initial.proprietati.size())
        return true;
    for (std::size_t i = 0; i < now.proprietati.size(); ++i)
        if (now.proprietati[i].strValoare != m_initial.proprietati[i].strValoare)
            return true;
    return false;
}

void CAgentiDlg::reject() {
    m_pGrid->CommitEdit();
    if (Modificat() &&
        platform::ShowMessage("Datele modificate nu au fost salvate.\nDoriti sa inchideti "
                              "fereastra fara sa le salvati?",
                              "VORTAPL", platform::Icon::Question,
                              platform::Buttons::YesNo) != platform::Answer::Yes)
        return;
    QDialog::reject();
}

bool CAgentiDlg::SetGrid() {
    theApp().WriteLog("CString CAgentiDlg::SetGrid() ooo--->> IN");
    CXSimGrid& g = *m_pGrid;
    g.SetRedraw(false);
    g.InsertCols(1, 3);
    g.InsertRows(0, 1);
    g.SetCellText(0, ColProprietate, "Proprietate");
    g.SetCellText(0, ColValoare, "Valoare");
    g.SetCellText(0, ColObligatorie, "Obligatorie");
    g.AutoFitColumns(0, 1, 0, 3);
    const bool ok = RunInTransaction(
        "CAgentiDlg::SetGrid()", core::TransactionMode::ReadOnly, [&](core::Statement& st) {
            st.Execute("SELECT * FROM ATN_PROPRIETATI_AGENTI WHERE VALID = 1 ");
            while (st.Fetch()) {
                const int row = g.GetRowCount() + 1;
                g.InsertRows(row, 1);
                SetCellText(g, row, ColProprietate, st.GetText("DENUMIRE"));
                SetCellText(g, row, ColObligatorie, TextObligatorie(st.GetText("OBLIGATORIE")));
            }
        });
    g.SetAlignment(CXSimGrid::ScopeColumn, 0, 0, ColProprietate, 3);
    g.SetAlignment(CXSimGrid::ScopeColumn, 0, 0, ColValoare, 3);
    g.SetAlignment(CXSimGrid::ScopeColumn, 0, 0, ColObligatorie, 1);
    FitColumns();
    g.SetLocked(CXSimGrid::ScopeColumn, 0, ColProprietate, true);
    g.SetLocked(CXSimGrid::ScopeColumn, 0, ColObligatorie, true);
    g.SetRedraw(true);
    if (ok)
        theApp().WriteLog("CString CAgentiDlg::SetGrid() ooo--->> OUT");
    return ok;
}

bool CAgentiDlg::LoadDateAgent(const std::string& szCIF) {
    bool found = false;
    core::Transaction tr(theApp().m_db, core::TransactionMode::ReadOnly);
    try {
        tr.Start();
        core::Statement st(tr);
        st.Execute("SELECT A.*, J.JUDET FROM ATN_AGENTI A, JUDETE J WHERE A.COD_JUDET = "
                   "J.COD_JUDET AND CIF = ?",
                   {szCIF});
        if (!st.Fetch()) {
            tr.Commit();
            return false;
        }
        found = true;
        m_pDenumire->setText(QString::fromStdString(st.GetText("DENUMIRE")));
        const QString judet = QString::fromStdString(st.GetText("JUDET"));
        m_pJudet->setCurrentIndex(m_pJudet->findText(judet, Qt::MatchFixedString));
        m_pCurent->setChecked(st.GetInt("CURENT") != 0);
        m_pFaraRotunjire->setChecked(st.GetInt("TIP_CALCUL") != 0);

        st.Execute("SELECT * FROM ATN_AGENTI_DETALII WHERE CIF = ?", {szCIF});
        while (st.Fetch()) {
            const std::string prop = st.GetText("PROPRIETATE");
            for (int row = 1; row <= m_pGrid->GetRowCount(); ++row) {
                if (core::EqualsNoCase(GetCellText(*m_pGrid, row, ColProprietate), prop)) {
                    SetCellText(*m_pGrid, row, ColValoare, st.GetText("VALOARE"));
                    break;
                }
            }
        }
        tr.Commit();
    } catch (const core::DbError& e) {
        try {
            tr.Rollback();
        } catch (...) {
        }
        theApp().WriteLog(std::string("[ERR][LoadDateAgent(CString szCIF)] oo-->> ") + e.what());
        ShowError(e.what());
        return false;
    }
    FitColumns();
    return found;
}

void CAgentiDlg::FitColumns() {
    m_pGrid->AutoFitColumns(0, 1, m_pGrid->GetRowCount(), 3);
    // Values are typed into an empty column: give it room for an address from the start.
    m_pGrid->SetColWidth(ColValoare, std::max(m_pGrid->GetColWidth(ColValoare), 300));
}

DateAgent CAgentiDlg::UpdateData() const {
    DateAgent a;
    a.strCIF = m_pCIF->text().toStdString();
    a.strDenumire = m_pDenumire->text().toUpper().toStdString();
    a.strJudet = m_pJudet->currentIndex() >= 0 ? m_pJudet->currentText().toStdString() : "";
    a.bCurent = m_pCurent->isChecked();
    a.bFaraRotunjire = m_pFaraRotunjire->isChecked();
    for (int row = 1; row <= m_pGrid->GetRowCount(); ++row) {
        const std::string nume = GetCellText(*m_pGrid, row, ColProprietate);
        std::string valoare = GetCellText(*m_pGrid, row, ColValoare);
        // An account typed in groups of four is checked and stored without its blanks, as the
        // printouts and the export expect it.
        if (core::EqualsNoCase(nume, "IBAN"))
            valoare = IBANCompact(valoare);
        a.proprietati.push_back({nume, valoare, GetCellText(*m_pGrid, row, ColObligatorie)});
    }
    return a;
}

bool CAgentiDlg::AddAgent() {
    theApp().WriteLog("CString CAgentiDlg::AddAgent() ooo--->> IN");
    const DateAgent a = UpdateData();
    const bool ok = RunInTransaction(
        "CAgentiDlg::AddAgent()", core::TransactionMode::ReadWrite, [&](core::Statement& st) {
            const std::string cod = theApp().m_judete.GetCodJudet(a.strJudet);
            if (a.bCurent)
                st.Execute("UPDATE ATN_AGENTI SET CURENT = 0");
            st.Execute("INSERT INTO ATN_AGENTI(CIF,CURENT,COD_JUDET,DENUMIRE,TIP_CALCUL) "
                       "VALUES(?, ?, ?, ?, ?)",
                       {a.strCIF, std::int64_t(a.bCurent ? 1 : 0), cod, a.strDenumire,
                        std::int64_t(a.bFaraRotunjire ? 1 : 0)});
            InsertProprietati(st, a);
        });
    if (ok)
        theApp().WriteLog("CString CAgentiDlg::AddAgent() ooo--->> OUT");
    return ok;
}

bool CAgentiDlg::SaveAgent() {
    theApp().WriteLog("CString CAgentiDlg::SaveAgent() ooo--->> IN");
    const DateAgent a = UpdateData();
    const bool ok = RunInTransaction(
        "CAgentiDlg::SaveAgent()", core::TransactionMode::ReadWrite, [&](core::Statement& st) {
            if (a.bCurent)
                st.Execute("UPDATE ATN_AGENTI SET CURENT = 0");
            st.Execute("UPDATE ATN_AGENTI SET CURENT = ?, TIP_CALCUL = ?, DENUMIRE = ? WHERE "
                       "CIF = ? ",
                       {std::int64_t(a.bCurent ? 1 : 0), std::int64_t(a.bFaraRotunjire ? 1 : 0),
                        a.strDenumire, a.strCIF});
            // The employer keeps exactly the properties offered now: one no longer valid goes.
            st.Execute("DELETE FROM ATN_AGENTI_DETALII WHERE CIF = ? ", {a.strCIF});
            InsertProprietati(st, a);
        });
    if (ok)
        theApp().WriteLog("CString CAgentiDlg::SaveAgent() ooo--->> OUT");
    return ok;
}

void CAgentiDlg::OnOK() {
    m_pGrid->CommitEdit();
    const DateAgent agent = UpdateData();
    RezultatValidare r = ValideazaAgent(agent);
    if (r.Valid())
        r = VerificaLungimi(agent);
    if (!r.Valid()) {
        ShowError(r.strMesaj);
        switch (r.camp) {
        case CampAgent::CIF:
            m_pCIF->setFocus();
            break;
        case CampAgent::Denumire:
            m_pDenumire->setFocus();
            break;
        case CampAgent::Judet:
            m_pJudet->setFocus();
            break;
        case CampAgent::Proprietate:
            m_pGrid->setFocus();
            m_pGrid->SetCurrentCell(r.iProprietate + 1, ColValoare);
            break;
        case CampAgent::Niciunul:
            break;
        }
        return;
    }
    if (m_strCIF.empty() ? AddAgent() : SaveAgent())
        QDialog::accept();
}

void CAgentiDlg::accept() {
    OnOK();
}

bool RunAgentiDlg(const std::string& strCIF, QWidget* parent) {
    CAgentiDlg dlg(strCIF, parent);
    return platform::RunModal(dlg) == QDialog::Accepted;
}
