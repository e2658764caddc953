#include "entry/LimiteColoane.h"

#include "core/Database.h"
#include "core/VORTAPLApp.h"

#include <map>
#include <utility>

int LungimeColoana(const std::string& strTabela, const std::string& strColoana) {
    static std::map<std::pair<std::string, std::string>, int> cache;
    const auto key = std::make_pair(strTabela, strColoana);
    if (const auto it = cache.find(key); it != cache.end())
        return it->second;
    int n = 0;
    try {
        core::Transaction tr(theApp().m_db, core::TransactionMode::ReadOnly);
        tr.Start();
        core::Statement st(tr);
        st.Execute("SELECT F.RDB$CHARACTER_LENGTH AS NR FROM RDB$RELATION_FIELDS R JOIN "
                   "RDB$FIELDS F ON F.RDB$FIELD_NAME = R.RDB$FIELD_SOURCE WHERE "
                   "R.RDB$RELATION_NAME = ? AND R.RDB$FIELD_NAME = ?",
                   {strTabela, strColoana});
        if (st.Fetch() && !st.IsNull("NR"))
            n = st.GetInt("NR");
        tr.Commit();
    } catch (const core::DbError&) {
        return 0; // not kept: the next call asks again
    }
    cache[key] = n;
    return n;
}

std::string MesajPreaLung(const std::string& strCamp, int iMaxCaractere) {
    return strCamp + " poate sa aiba doar " + std::to_string(iMaxCaractere) + " caractere!";
}
