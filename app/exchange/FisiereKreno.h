#pragma once
// Names and places of the files the agency publishes for an employer: the conventions file
// and the PIN file, in the folder "dump_date_angajator/" of its web site (option ADRESA_WEB)
// and, once downloaded, in the working folder.

#include <string>

// COD_JUDET + "_" + CIF + ".crypt"
std::string NumeFisierConventii(const std::string& strCodJudet, const std::string& strCIF);
// COD_JUDET + "_" + CIF + "_1.crypt"
std::string NumeFisierPIN(const std::string& strCodJudet, const std::string& strCIF);
// ADRESA_WEB + "dump_date_angajator/" + strNume
std::string AdresaWebKreno(const std::string& strNume);
// The working folder + "/" + strNume
std::string CaleInDirectorLucru(const std::string& strNume);
