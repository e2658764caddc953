#pragma once
// The agency's conventions file and what the import does with it, without any widget: reading
// and deciphering the transfer file, the persons of the document, the check of their values
// against the columns of ATO_INFO_CONVENTII, and the replacement of one employer's conventions.
// The dialog (ImportConventiiKrenoDlg.h) shows what these functions report.

#include "core/Database.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr int kConventiiColCount = 23;

// The attributes of an "asigurat", in the order of the preview table's columns; the table's
// captions are these names, and the 22nd and 23rd fill TIPCM and SUMA_BAZA_CALCUL_L116.
extern const std::array<const char*, kConventiiColCount> kConventiiAtribute;
// The receiving columns of ATO_INFO_CONVENTII, in the same order.
extern const std::array<const char*, kConventiiColCount> kConventiiColoane;

// One person-and-measure as the file gives it: the 23 attribute texts ("" when missing).
using ConventieRow = std::array<std::string, kConventiiColCount>;
// The same, as bound to the insert statement.
using ConventieValori = std::array<core::Value, kConventiiColCount>;

// Called as long work advances, with the amount done and the whole amount.
using ProgressFn = std::function<void(std::int64_t iDone, std::int64_t iTotal)>;

// Reads the whole transfer file and deciphers it in memory, so no plain copy of the persons'
// data is ever written to disk (nor over a file of the same name beside the transfer file).
// A remainder shorter than one record is dropped. strDigest receives the MD5 of the transfer
// file's bytes (as Md5Digest.h writes it): the digest of exactly what was read, which the
// import records. On failure strError holds the message.
bool ReadTransferFile(const std::string& strPath, std::string& strPlain, std::string& strDigest,
                      std::string& strError, const ProgressFn& progress = {});

enum class ParseResult {
    Ok,
    ReaderError, // not readable as XML: strError holds the reader's text
    NoChildren,  // no root element, or a root without a child element
    WrongRoot,   // the root is not exportKRENO
    NoPersons    // exportKRENO holds elements, but not a single asigurat
};

// The reader's text for a document that the XML parser lets pass but XML does not allow.
inline constexpr const char* kXmlIncorect = "Fisierul XML este in format incorect!";

// The persons of a plain conventions document, in document order: the children of the root
// named "asigurat" (any letter case); other children are skipped. Any encoding (XmlText.h).
// A document that is not well-formed (EsteXmlBineFormat) is refused as a reader error with
// kXmlIncorect, whatever it holds.
// progress is called every few hundred persons with the persons read so far (total 0).
ParseResult ParseConventii(std::string_view bytes, std::vector<ConventieRow>& rows,
                           std::string& strError, const ProgressFn& progress = {});

// True when every row has the CIF of the first, compared without regard to letter case.
bool AuAcelasiCIF(const std::vector<ConventieRow>& rows);

// The bound values of a row: empty numbers and dates give NULL (TIPCM and the Law 116 base
// give 0), texts are kept as they stand, numbers and dates are checked against their column.
// On failure strError names the attribute and says what is wrong with its value.
bool ConvertConventie(const ConventieRow& row, ConventieValori& values, std::string& strError);

// Checks every row; on the first that cannot be saved strError holds the whole message.
bool VerificaConventii(const std::vector<ConventieRow>& rows, std::string& strError,
                       const ProgressFn& progress = {});

// A date read from text the way the database reads one: year first ("2020-03-15", "2020-3-5",
// "2020/3/15", "2020.03.15", "2020:3:15"), day first after a dot ("15.03.2020", "15.3.20"),
// month first otherwise ("03/15/2020", "3-15-2020", "3,15,2020"), an English month name
// ("15-MAR-2020", "15 March 2020"); a year left out is the current one, a two-digit year the
// nearest of its century. Surrounding blanks are ignored.
bool ParseDataText(std::string_view text, core::Date& date);

// The rows that repeat a person's convention of an earlier row (same CNP and ID_MA, read as
// the numbers the columns hold), in file order; rows without both keys are never repeats.
// Call after VerificaConventii.
std::vector<std::size_t> ConventiiRepetate(const std::vector<ConventieRow>& rows);

// The warning that names the repeated conventions (CNP, ID_MA), each once.
std::string MesajConventiiRepetate(const std::vector<ConventieRow>& rows,
                                   const std::vector<std::size_t>& repetate);

// In one transaction: the import record (strCIF, strDigest), the deletion of the employer's
// conventions and one insert per row, every row under strCIF. progress is called after each
// row. Any error rolls everything back and is thrown as core::DbError.
void SaveConventii(core::Database& db, const std::string& strCIF, const std::string& strDigest,
                   const std::vector<ConventieRow>& rows, const ProgressFn& progress = {});
