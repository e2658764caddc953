#pragma once
// How many characters a text column of the database holds, read from the database's own
// catalogue, so an editor can refuse an over-long value in Romanian, naming the field and its
// limit, before the engine refuses it with a text of its own in English.

#include <string>

// Characters the column holds; 0 when it is no text column or cannot be read. Read once per
// column and kept (the schema does not change while the program runs).
int LungimeColoana(const std::string& strTabela, const std::string& strColoana);

// "ADRESA poate sa aiba doar 255 caractere!": the wording of the editor's own length checks.
std::string MesajPreaLung(const std::string& strCamp, int iMaxCaractere);
