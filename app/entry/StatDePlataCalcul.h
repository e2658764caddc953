#pragma once
// The payroll rule: the gross income that belongs to the convention period is the month's gross
// income spread over the month's normal hours (NOL) and taken for the hours of the period.

// Rotunjire(fVenit / iNOL * iOre) in whole lei; 0 when NOL is 0 (no hours to spread over).
double VenitInPerioada(double fVenit, int iNOL, int iOre);
