#include "core/PasulUrmator.h"

#include "core/Queries.h"
#include "platform/Clock.h"

#include <cstdio>

std::string PasulUrmator(const StarePornire& s) {
    if (!s.bAgentImplicit)
        return "Nu exista un angajator implicit: adaugati-l din Nomenclatoare > Agenti > "
               "Adaugare agent nou si alegeti-l din Nomenclatoare > Agenti > Setare agent "
               "implicit.";
    if (!s.bConstanteLunaPrec) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "%02d.%04d", s.iLunaPrec, s.iAnPrec);
        return std::string("Lipsesc constantele de sistem ale lunii ") + buf +
               ": completati-le din Nomenclatoare > Constante Sistem.";
    }
    return "Deschideti luna de lucru din Subventii si Scutiri > Adaugare luna curenta "
           "[CTRL + N].";
}

StarePornire CitesteStarePornire() {
    StarePornire s;
    std::string strCIF, strDEN, strJud;
    s.bAgentImplicit = GetDateAgentImplicit(strCIF, strDEN, strJud) && !strCIF.empty();
    const platform::DateTime now = platform::Now();
    s.iAnPrec = now.month == 1 ? now.year - 1 : now.year;
    s.iLunaPrec = now.month == 1 ? 12 : now.month - 1;
    s.bConstanteLunaPrec = ExistaCS(s.iAnPrec, s.iLunaPrec);
    return s;
}
