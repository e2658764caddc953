#include "core/ConventiiCache.h"

#include "core/ValueFunctions.h"

#include <QString>

#include <cstdio>
#include <cstdlib>

double __tagDATECONVENTIIANGAJATOR::Number(int i) const {
    const std::string& s = (*this)[i];
    double f = 0;
    return core::ParseDouble(s, f) ? f : 0;
}

int __tagDATECONVENTIIANGAJATOR::DateNumber(int i) const {
    int y = 0, m = 0, d = 0;
    char tail = 0;
    if (std::sscanf((*this)[i].c_str(), "%d-%d-%d%c", &y, &m, &d, &tail) != 3)
        return 0;
    return y * 10000 + m * 100 + d;
}

void _NDateConventiiAngajator::Clear() {
    m_strLastError.clear();
    m_records.clear();
}

void _NDateConventiiAngajator::Add(std::unique_ptr<__tagDATECONVENTIIANGAJATOR> pRecord) {
    m_strLastError.clear();
    if (pRecord)
        m_records.push_back(std::move(pRecord));
}

int _NDateConventiiAngajator::GetCount() const {
    return static_cast<int>(m_records.size());
}

__tagDATECONVENTIIANGAJATOR* _NDateConventiiAngajator::GetAt(int iPos) {
    m_strLastError.clear();
    if (iPos < 0 || iPos >= GetCount()) {
        char sz[96];
        std::snprintf(sz, sizeof sz, "Pozitia %d din lista este invalida.", iPos);
        m_strLastError = sz;
        return nullptr;
    }
    return m_records[static_cast<size_t>(iPos)].get();
}

const __tagDATECONVENTIIANGAJATOR* _NDateConventiiAngajator::At(int iPos) const {
    return iPos >= 0 && iPos < GetCount() ? m_records[static_cast<size_t>(iPos)].get() : nullptr;
}

__tagDATECONVENTIIANGAJATOR* _NDateConventiiAngajator::Find(const std::string& strCNPLung) {
    m_strLastError.clear();
    if (strCNPLung.empty()) {
        m_strLastError = "CNP Lung gol";
        return nullptr;
    }
    const QString key = QString::fromStdString(strCNPLung);
    for (auto& p : m_records)
        if (QString::fromStdString((*p)[slot::CNP]).compare(key, Qt::CaseInsensitive) == 0)
            return p.get();
    m_strLastError = "CNP Lung negasit";
    return nullptr;
}

bool _NDateConventiiAngajator::GetDocument(const std::string& strIdMA, std::string& strDocNr,
                                           std::string& strDocData) const {
    strDocNr.clear();
    strDocData.clear();
    if (strIdMA.empty())
        return false;
    const QString key = QString::fromStdString(strIdMA);
    for (const auto& p : m_records)
        if (QString::fromStdString((*p)[slot::ID_MA]).compare(key, Qt::CaseInsensitive) == 0) {
            strDocNr = (*p)[slot::DOC_NR];
            strDocData = (*p)[slot::DOC_DATA];
            return true;
        }
    return false;
}
