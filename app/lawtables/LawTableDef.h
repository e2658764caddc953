#pragma once
// What makes one law table different from the others, as data: its columns with their headers,
// help texts, sources and stored columns, its total rows, its stored table, the layout of its
// grid and the scheme that computes its amounts. CLawTablePage does the rest, once for all.

#include "core/MonthTotals.h"
#include "lawtables/LawRules.h"

#include <string>
#include <utility>
#include <vector>

namespace lawtable {

// Where a column's text comes from when a new month is built from the conventions cache.
enum class Sursa {
    Gol,     // stays empty (computed, or typed by the user)
    Slot,    // the record's slot
    Nume,    // slot 2, one blank, slot 3
    DataDoc, // the convention date (slot 17) as DD.MM.YYYY
    Tasca    // the exemption flag from the convention date
};

// How a column is stored and loaded back.
enum class Tip {
    Nestocat,    // not stored
    Numar,       // whole number (CNP, ID_MA): bound as 64-bit, loaded "%.0f"
    Intreg,      // hours, flags, days: bound as 64-bit, loaded "%d"
    Suma,        // amount: bound as a double, loaded "%.0f"
    Text,        // text, stored as typed
    TextSauNull, // text typed by the user: empty is stored as NULL
    Alaturat     // not stored: joined from the conventions on load (DOC_NR, DOC_DATA)
};

struct Coloana {
    const char* szAntet;
    std::string strHelp;
    Sursa sursa = Sursa::Gol;
    int iSlot = -1;
    const char* szColoanaDB = nullptr; // stored (or joined) column
    Tip tip = Tip::Nestocat;
};

// A value of the insert that the grid does not show, taken from the person's cache record.
struct ValoareFisa {
    const char* szColoanaDB;
    int iSlot;
};

struct RandTotal {
    const char* szEticheta;
    int iUltimaColoanaEticheta; // the label spans columns 2 to this one
};

// The computation of a scheme.
enum class Schema {
    Art80,   // ISR x factor by category; exemption of the paid amounts
    Art85,   // as Art. 80, factor 1, SMB for old D/E conventions; exemption for A and B only
    BazaSMN, // Art. 93^4 and Law 116: base from SMN and the convention salary
    L72      // half the ISR; working days from the daily norm
};

struct Format {
    int iInaltimeAntet = 70;
    std::vector<std::pair<int, int>> latimi; // (column, width) after fitting; 0 hides
    std::vector<int> centrate;               // columns centred
    std::vector<int> blocate;                // columns the user cannot type into
    bool bBlocareDoarCuRanduri = false;      // lock only when the grid has rows
};

struct Definitie {
    const char* szClasa = ""; // the page's class, in its log lines
    const char* szTitlu = "";
    lawrules::Tabel tabel = lawrules::Tabel::Niciunul;
    Schema schema = Schema::Art80;
    std::vector<Coloana> coloane; // columns 1..C
    std::vector<RandTotal> totaluri;
    const char* szTabelaDB = "";
    bool bJoinConventii = false; // the load joins DOC_NR and DOC_DATA from the conventions
    const char* szTotaluriDecont = nullptr; // "ART80": four totals kept in the settlement row
    std::vector<ValoareFisa> fisa;          // inserted after the grid's columns
    int iColOre = 0;                        // hours (slot 21)
    int iColSuma = 0;                       // the amount due
    int iColBaza = 0;                       // base of the amount (BazaSMN)
    int iColPlatit = 0;                     // amount paid (Art80, Art85)
    int iColZile = 0;                       // working days (L72)
    int iColTasca = 0;                      // exemption flag (Art80, Art85)
    int iColCategorie = 4;
    bool bRecalcLaVenituri = true; // notification 1489 recomputes
    bool bRecalcLaMutare = false;  // leaving a row recomputes it
    bool bVerificaSMN = false;     // the fill checks SMN of each hiring month
    Format format;
    double MonthTotals::*pScutire = nullptr;
    double MonthTotals::*pSubventie = nullptr;
};

} // namespace lawtable
