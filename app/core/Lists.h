#pragma once
// Reference lists read once at start and consulted without further queries. Each owns its
// records (in the order the database returned them) and keeps the text of its last error.
// The operations that read or write the database run on the one they are given, or on the
// default database (core::SetDefaultDatabase) when given none.

#include <memory>
#include <string>
#include <vector>

namespace core {
class Database;
}

struct __tagJudete {
    std::string strCod, strJudet, strSimbol;
};

struct __tagSarbatori {
    int iAn = 0, iLuna = 0, iZi = 0;
    std::string strDenumire;
};

struct __tagCS {
    int iAn = 0, iLuna = 0;
    std::string strCS;
    double fValoare = 0;
};

struct __tagOptiuniApp {
    std::string strParametru, strValoare, strDescriere;
};

template <class Record> class _NListBase {
public:
    const std::string& GetLastError() const { return m_strLastError; }
    int GetCount() const { return static_cast<int>(m_records.size()); }
    void Clear() {
        m_records.clear();
        m_strLastError.clear();
    }
    const Record* At(int i) const {
        return i >= 0 && i < GetCount() ? m_records[static_cast<size_t>(i)].get() : nullptr;
    }

protected:
    std::vector<std::unique_ptr<Record>> m_records;
    std::string m_strLastError;
};

class _NJudete : public _NListBase<__tagJudete> {
public:
    bool Load(); // loaded once: a second load appends
    bool Load(core::Database& db);
    std::string GetCod(int i);
    std::string GetJudet(int i);
    std::string GetSimbol(int i);
    std::string GetCodJudet(const std::string& strJudet) const;
    std::string GetNumeJudet(const std::string& strCod) const;
};

struct DataZi {
    int iAn = 0, iLuna = 0, iZi = 0;
};

class _NZileNelucratoare : public _NListBase<__tagSarbatori> {
public:
    bool Load();
    bool Load(core::Database& db);
    // The parts must be whole numbers making a valid date ("01x" is refused).
    bool Add(const std::string& strAN, const std::string& strLN, const std::string& strZI,
             const std::string& strDes);
    bool Add(core::Database& db, const std::string& strAN, const std::string& strLN,
             const std::string& strZI, const std::string& strDes);
    bool IsZiNelucratoare(int iAn, int iLuna, int iZi) const;
    bool IsSarbatoare(int iAn, int iLuna, int iZi) const;
    int GetZileLucratoare(const DataZi& start, const DataZi& end) const;
};

class _NConstanteSistem : public _NListBase<__tagCS> {
public:
    bool Load();
    bool Load(core::Database& db);
    // -1.0 (and the last error "Constanta de sistem negasita") when the month lacks it.
    double GetValoare(const std::string& strCS, int iAn, int iLuna);
};

class _NOptiuniApp : public _NListBase<__tagOptiuniApp> {
public:
    bool Load();
    bool Load(core::Database& db);
    int Find(const std::string& strParametru) const;
    std::string GetValoare(const std::string& strParametru) const;
    std::string GetParametru(int i);
    std::string GetValoare(int i);
    std::string GetDescriere(int i);
    bool Update(const std::string& strParametru, const std::string& strValoare);
    bool Update(core::Database& db, const std::string& strParametru, const std::string& strValoare);
};

// Distinct texts, compared without regard to letter case.
class CListaUnica {
public:
    bool Add(const std::string& strText);
    bool Contains(const std::string& strText) const;
    int GetCount() const { return static_cast<int>(m_items.size()); }
    std::string At(int i) const;
    void RemoveAll() { m_items.clear(); }

private:
    std::vector<std::string> m_items;
};

namespace core {
// Equal ignoring letter case, with Unicode case folding of UTF-8 text ("ŞTEFĂNESCU" equals
// "ştefănescu").
bool EqualsNoCase(const std::string& a, const std::string& b);
std::string Trim(const std::string& s);
} // namespace core
