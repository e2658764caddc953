#include "entry/StatDePlataCalcul.h"

#include "core/ValueFunctions.h"

double VenitInPerioada(double fVenit, int iNOL, int iOre) {
    if (iNOL == 0)
        return 0;
    return Rotunjire(fVenit / iNOL * iOre, 0);
}
