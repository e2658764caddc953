#include "core/DetailId.h"

#include <QDateTime>

#include <map>

namespace core {
namespace {

std::map<std::string, qint64>& lastIds() {
    static std::map<std::string, qint64> ids; // table -> last ID handed out, ms since epoch
    return ids;
}

qint64 toMs(const Timestamp& t) {
    QDateTime dt(QDate(t.year, t.month, t.day), QTime(t.hour, t.minute, t.second, t.msec));
    return dt.isValid() ? dt.toMSecsSinceEpoch() : 0;
}

Timestamp fromMs(qint64 ms) {
    QDateTime dt = QDateTime::fromMSecsSinceEpoch(ms);
    QDate d = dt.date();
    QTime t = dt.time();
    return {d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second(), t.msec()};
}

} // namespace

Timestamp NextDetailId(Transaction& tr, const std::string& strTable) {
    auto& ids = lastIds();
    auto it = ids.find(strTable);
    if (it == ids.end()) {
        qint64 last = 0;
        Statement st(tr);
        // The table name is one of the program's own, never user input.
        st.Execute("SELECT MAX(ID) AS MAXID FROM " + strTable);
        if (st.Fetch() && !st.IsNull("MAXID"))
            last = toMs(st.GetTimestamp("MAXID"));
        it = ids.emplace(strTable, last).first;
    }
    qint64 next = std::max(QDateTime::currentMSecsSinceEpoch(), it->second + 1);
    it->second = next;
    return fromMs(next);
}

void ResetDetailIds() {
    lastIds().clear();
}

} // namespace core
