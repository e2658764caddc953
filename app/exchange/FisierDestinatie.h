#pragma once
// Whether a file the exchange writes (a download, a deciphered file) may take the place of
// what stands at its path. Such files go into the working folder under names the agency
// chooses, so whatever stands there already is looked at first: a symbolic link is never
// followed (the data would land wherever it points) nor silently replaced, and a file the user
// protected against writing is not replaced behind their back. No Qt in here.

#include <string>

// "" when the path may be written (nothing there yet, or a writable plain file) or holds a
// directory (which no writer can replace anyway); else the sentence that says why not, naming
// the path.
std::string MotivDestinatieRefuzata(const std::string& strPath);
