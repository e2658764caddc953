#include "exchange/FisiereKreno.h"

#include "core/VORTAPLApp.h"

#include <filesystem>

std::string NumeFisierConventii(const std::string& strCodJudet, const std::string& strCIF) {
    return strCodJudet + "_" + strCIF + ".crypt";
}

std::string NumeFisierPIN(const std::string& strCodJudet, const std::string& strCIF) {
    return strCodJudet + "_" + strCIF + "_1.crypt";
}

std::string AdresaWebKreno(const std::string& strNume) {
    return theApp().m_strAdresaWeb + "dump_date_angajator/" + strNume;
}

std::string CaleInDirectorLucru(const std::string& strNume) {
    return (std::filesystem::path(theApp().m_strDirector) / strNume).string();
}
