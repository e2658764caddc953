#pragma once
// The annexes of the five law tables: the nominal table that the methodological norms of each
// law prescribe with the employer's monthly claim. An annex prints what the table shows: the
// person rows and totals are the grid's texts, not recomputed.

#include "entry/Tiparire.h"

class CLawTablePage;

namespace anexe {

enum class Rezultat {
    Document,     // composed, to be shown
    AltJudet,     // the Art. 93^4 annex exists only for county code "21"
    FaraPersoane, // no row of the table qualifies for printing
};

struct Anexa {
    Rezultat rezultat = Rezultat::Document;
    tiparire::Document doc;
    int iPersoane = 0; // rows printed
};

// The annex of the page's table for the employer a on the given day.
Anexa Compose(CLawTablePage& page, const tiparire::Angajator& a, const platform::DateTime& azi);

// Composes with the default employer (the working CIF when set) and today's date and opens the
// preview. A county other than "21" for Art. 93^4, or a table with no person to print, is told
// in one message. False only when no usable printer exists.
bool PrintAnnex(CLawTablePage& page);

} // namespace anexe
