#pragma once
// Queries shared by many pages. Each runs in a transaction of its own on the application's
// database, traces its statement, and on a database error logs "[ERR][signature] oo-->> text"
// and returns false. None shows a message: the caller decides what the user sees.

#include <string>

bool GetDBVersion(std::string& strVersion);
bool IsAgentDefined(const std::string& strCIF);
bool IsLunaFinala(int iAnul, int iLuna, const std::string& strCIF);
bool ExistaDecont(int iAnul, int iLuna, const std::string& strCIF);
bool DeschideLuna(int iAnul, int iLuna, const std::string& strCIF);
bool SetAgentImplicit(const std::string& strCIF);
bool GetAgentImplicit(std::string& strCIF);
bool GetDateAgentImplicit(std::string& strCIF, std::string& strDEN, std::string& strCodJudet);
bool GetDetaliuAgentImplicit(const std::string& strProp, std::string& strVal);
bool GetModCalculAgent(std::string& strCIF, int& bFaraRotunjire);
bool GetCSAsString(const std::string& strCS, int iAnul, int iLuna, std::string& strVal);
bool ExistaCS(int iAn, int iLn);
bool GetNewMA(const std::string& strCIF, int iAnul, int iLuna, int& iNewMA);

// The document of a convention from the conventions cache of the month: the first record whose
// ID_MA equals strIdMA ignoring letter case gives its DOC_NR and DOC_DATA. Without such a
// record both outputs are emptied and the result is false. No database access.
bool GetDocumentConventie(const std::string& strIdMA, std::string& strDocNr,
                          std::string& strDocData);
