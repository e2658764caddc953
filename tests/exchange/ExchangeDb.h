#pragma once
// Helpers of the exchange tests that touch the application's database.

#include "core/Database.h"
#include "core/VORTAPLApp.h"

#include <string>
#include <vector>

namespace testdb {

// Every row of a query, each as its columns' texts joined by "|" ("<NULL>" for NULL).
inline std::vector<std::string> Rows(const std::string& sql, const std::vector<std::string>& cols) {
    core::Transaction tr(theApp().m_db, core::TransactionMode::ReadOnly);
    tr.Start();
    core::Statement st(tr);
    st.Execute(sql);
    std::vector<std::string> rows;
    while (st.Fetch()) {
        std::string row;
        for (std::size_t i = 0; i < cols.size(); ++i) {
            if (i > 0)
                row += '|';
            row += st.IsNull(cols[i]) ? std::string("<NULL>") : st.GetText(cols[i]);
        }
        rows.push_back(row);
    }
    tr.Commit();
    return rows;
}

inline int Count(const std::string& sql) {
    core::Transaction tr(theApp().m_db, core::TransactionMode::ReadOnly);
    tr.Start();
    core::Statement st(tr);
    st.Execute(sql);
    const int n = st.Fetch() ? st.GetInt("NR") : -1;
    tr.Commit();
    return n;
}

} // namespace testdb
