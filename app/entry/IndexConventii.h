#pragma once
// The conventions cache looked up by its key for a whole pass over a page's rows: one hash
// built in one pass over the cache instead of a scan per row. It answers as the cache's own
// Find (the first record whose key equals, ignoring letter case; none for an empty key) and
// is valid while the cache is not rebuilt, so it lives for one pass only.

#include "core/ConventiiCache.h"

#include <QHash>
#include <QString>

class IndexConventii {
public:
    explicit IndexConventii(_NDateConventiiAngajator* pCache) {
        if (!pCache)
            return;
        for (int i = 0; i < pCache->GetCount(); ++i) {
            __tagDATECONVENTIIANGAJATOR* rec = pCache->GetAt(i);
            const QString key = QString::fromStdString((*rec)[slot::CNP]).toCaseFolded();
            if (!key.isEmpty() && !m_records.contains(key))
                m_records.insert(key, rec);
        }
    }
    __tagDATECONVENTIIANGAJATOR* Find(const QString& strKey) const {
        return strKey.isEmpty() ? nullptr : m_records.value(strKey.toCaseFolded(), nullptr);
    }

private:
    QHash<QString, __tagDATECONVENTIIANGAJATOR*> m_records;
};
