#include "core/MesajEroareBD.h"

#include <algorithm>
#include <cctype>
#include <initializer_list>

namespace core {
namespace {

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

bool ContainsAny(const std::string& strText, std::initializer_list<const char*> parts) {
    for (const char* p : parts)
        if (strText.find(p) != std::string::npos)
            return true;
    return false;
}

} // namespace

std::string ExplicatieEroareBD(const std::string& strEngineText) {
    const std::string t = Lower(strEngineText);
    if (ContainsAny(t, {"primary or unique key", "duplicate value", "unique key constraint"}))
        return "Inregistrarea exista deja in baza de date (de exemplu un angajator cu acelasi "
               "CIF). Verificati datele introduse sau modificati inregistrarea existenta.";
    if (ContainsAny(t, {"no space left", "disk full", "insufficient disk space",
                        "there is not enough space"}))
        return "Discul pe care se afla baza de date este plin. Eliberati spatiu pe disc si "
               "reluati operatia.";
    if (ContainsAny(t, {"read-only", "readonly", "read only", "permission denied",
                        "access is denied", "no permission"}))
        return "Baza de date nu poate fi scrisa: dosarul de lucru sau fisierul VORTAPL.DAT este "
               "doar pentru citire. Cereti drept de scriere pe dosar sau porniti programul "
               "intr-un alt dosar de lucru.";
    if (ContainsAny(t, {"already opened", "lock time-out", "is in use", "object in use",
                        "device or resource busy", "lock conflict", "deadlock",
                        "being used by another process"}))
        return "Baza de date este deschisa de un alt program VORTAPL pornit in acelasi dosar de "
               "lucru. Inchideti celalalt program si porniti din nou.";
    return {};
}

std::string MesajEroareBD(const std::string& strEngineText) {
    const std::string strExplicatie = ExplicatieEroareBD(strEngineText);
    if (strExplicatie.empty())
        return strEngineText;
    return strExplicatie + "\n\nDetalii pentru asistenta tehnica:\n" + strEngineText;
}

} // namespace core
