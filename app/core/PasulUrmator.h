#pragma once
// The one line each page shows while no month is open: what the user has to do next.

#include <string>

struct StarePornire {
    bool bAgentImplicit = false;    // a default employer is set
    bool bConstanteLunaPrec = true; // the previous month has its system constants
    int iAnPrec = 0, iLunaPrec = 0; // that previous month
};

std::string PasulUrmator(const StarePornire& stare);

// The state as the database and the clock give it now.
StarePornire CitesteStarePornire();
