// The fixed texts of the annexes: the table heads and the legal notes under the tables, as the
// methodological norms word them (misspellings included: the agency compares the printouts with
// its own forms).
#include "lawtables/AnexeTexte.h"

namespace anexe::texte {

const std::vector<const char*> kNote80Lat = {
    "   Coloana 1 - se completeaza numarul conventiei incheiate cu KRENO/DAVRO",
    "   Coloana 2 - se completeaza cu data conventiei incheiate cu KRENO/DAVRO (zz/ll/aa)",
    "   Coloanele 3 si 4 - se completeaza cu numele si prenumele, respectiv codul numeric personal "
    "al absolventului",
    "   Coloana 5 - se completeaza dupa cum urmeaza: ",
    "     - cod A - absolventi de invatamant secundar inferior, ciclul inferior al liceului sau de "
    "invatamant profesional,",
    "               scoala de arte si meserii;",
    "     - cod B - absolventi de invatamant secundar superior sau liceal ori invatamant "
    "postliceal;",
    "     - cod C - absolventi de invatamant superior.",
    "  In situatia in care absolventii provin din randul persoanelor cu handicap, codurile "
    "corespunzatoare studiilor",
    "vor fi insotite de litera \"H\".",
    "   Coloana 6 - se completeaza cu numarul de ore efectiv lucrate de absolvent in luna "
    "(inclusiv orele aferente",
    "concediului de odihna) pentru care se acorda suma cuvenita lunar din cuantumul subventiei "
    "prevazute la art. 80",
    "alin. (1) lit. a)-c) din Legea nr. 76/2002, cu modificarile si completarile ulterioare, "
    "acordata angajatorului",
    "în functie de categoria absolventului.",
    "   Coloana 7 - se completeaza cu suma cuvenita lunar din cuantumul cuantumul subventiei "
    "prevazute la art.80 alin. (1) lit a)-c)",
    "din Legea 76/2002, cu modificarile si completarile ulterioare, acordata angajatorului in "
    "functie de categoria absolventului.",
    "   Coloana 8 - se completeaza cu sume numai pentru care absolventii pentru care conventia a "
    "fost incheiata anterior datei",
    "de 22 octombrie 2013 si pentru care se beneficiaza de scutire de la plata contributiei "
    "datorate de angajator in conformitate",
    "cu art. 80 din Legea 76/2002, cu modificiarile si completarile ulterioare. Se completeaza cu "
    "sumele platite absolventilor reprezentand",
    "elementele constitutive ale bazei de calcul al contributiei datorate de angajator la bugetul "
    "asigurarilor pentru somaj potrivit",
    "dispozitiilor titlului IX^2 \"Contributii sociale obligatorii\" din legea 571/2003 privind "
    "Codul fiscal, cu modificarile si ",
    "completarile ulterioare. Pentru absolventii pentru care nu se beneficiaza de scutire conform "
    "art. 80 din Legea nr. 76/2002, cu ",
    "modificarile si completarile ulterioare (conventie incheiata ulterior datei de 22 octombrie "
    "2013), se completeaza cu zero.",
    "   Coloana 9 - se completeaza, dupa caz, cu data si motivul încetarii/suspendarii/reluarii "
    "dupa suspendare a raporturilor ",
    "de munca sau de serviciu.",
    "Total A1 - totalul sumelor care se completeaza în coloana 7.",
    "Total B1 - totalul sumelor care se completeaza în coloana 8 si care sunt corespunzatoare "
    "absolventilor pentru care se beneficiaza",
    "de scutire conform art. 80 din Legea nr. 76/2002, cu modificarile si completarile ulterioare.",
    "Total C1 - se completeaza în situatia în care conventia a fost încheiata anterior datei de 22 "
    "octombrie 2013 si angajatorul beneficiaza",
    "de scutire de plata contributiei datorate la BAS, conform art. 80 din Legea nr. 76/2002, cu "
    "modificarile si completarile ulterioare.",
};

const std::vector<const char*> kNote80Ingust = {
    "    *) Coloana 3 se va completa dupa cum urmeaza:",
    "       - cod A - absolventi ai ciclului inferior al liceului sau ai scolii de arte si "
    "meserii;",
    "       - cod B - absolventi de invatamant secundar superior sau invatamant postliceal;",
    "       - cod C - absolventi de invatamant superior.",
    "       modificarile si completarile ulterioare.",
    "       In situatia in care absolventii provin din randul persoanelor cu handicap, codurile "
    "corespunzatoare",
    "       studiilor vor fi insotite de litera \"H\"",
    "   **) Coloana 4 se completeaza cu numarul orelor efectiv lucrate de absolvent in luna pentru "
    "care se acorda ",
    "       suma cuvenita lunar din cuantumul subventiei prevazute la art. 80 alin. (1) lit. a)-c) "
    "din Legea 76/2002 ",
    "       privind sistemul asigurarilor pentru somaj si stimularea ocuparii fortei de munca, cu "
    "modificarile si ",
    "       completarile ulterioare, acordata angajatorului in functie de categoria absolventului.",
    "  ***) Coloana 5 se completeaza cu suma cuvenita pentru timpul efectiv lucrat din cuantumul "
    "subventiei",
    "       prevazute la art.80 alin. (1) lit a)-c) din Legea 76/2002, cu modificarile si "
    "completarile ulterioare,",
    "       acordata angajatorului in functie de categoria absolventului.",
    " ****) Coloana 6 se completeaza cu sumele platite absolventilor reprezentand elementele "
    "constitutive ale",
    "       bazei de calcul al contributiei datorate de angajator la bugetul de asigurarilor "
    "pentru somaj potrivit",
    "       dispozitiilor titlului IX2 <Contributii sociale obligatorii> din Legea nr 571/2003 "
    "privind Codul fiscal,",
    "       cu modificarile si completarile ulterioare.",
    "*****) Coloana 7 se completeaza, dupa caz, cu data si motivul incetarii/suspendarii/reluarii "
    "dupa suspendare a",
    "       raporturilor de munca.",
};

const std::vector<const char*> kNote85Lat = {
    "   Coloana 1 - se completeaza numarul conventiei incheiate cu KRENO/DAVRO",
    "   Coloana 2 - se completeaza cu data conventiei incheiate cu KRENO/DAVRO (zz/ll/aa)",
    "   Coloanele 3 si 4 - se completeaza cu numele si prenumele, respectiv codul numeric personal "
    "al absolventului",
    "   Coloana 5 - se completeaza dupa cum urmeaza: ",
    "     - cod A - someri in varsta de peste 45 ani inregistrati in evidenta agentiei;",
    "     - cod B - someri parinti unici sustinatori ai familiilor monoparentale inregistrati in "
    "evidenta agentiei;",
    "     - cod C - persoane cu dizabilitati;",
    "     - cod D - someri inregistrati in evidenta agentiei care in termen de 5 ani de la data "
    "angajarii indeplinesc",
    "conditiile pentru acordarea pensiei anticipate partiale;",
    "     - cod E - someri inregistrati in evidenta agentiei care in termen de 5 ani de la data "
    "angajarii indeplinesc",
    "conditiile pentru acordarea pensiei pentru limita de varsta si nu indemplinesc conditiile de "
    "a solicita",
    "pensia anticipata partiala.",
    "   Coloana 6 - se completeaza cu numarul de ore efectiv lucrate in luna de persoanele "
    "prevazute la art. 85 din ",
    "Legea 76/2002, cu modificarile si completarile ulterioare (inclusiv orele aferente "
    "concediului de odihna), pentru",
    "care se acorda suma cuvenita lunar din cuantumu subventiei prevazute la art. 85 alin. (1), "
    "(2) si (5) din aceeasi",
    "lege, acordata angajatorului.",
    "   Coloana 7 - se completeaza cu suma cuvenita lunar din cuantumul cuantumul subventiei "
    "prevazute la art.8 alin. (1),(2) si (5)",
    "din Legea 76/2002, cu modificarile si completarile ulterioare, acordata angajatorului.",
    "   Coloana 8 - se completeaza cu sume numai pentru persoanele cu codurile A si B, pentru care "
    "conventia a fost încheiata",
    "anterior datei de 22 octombrie 2013 si pentru care se beneficiaza de scutire de la plata "
    "contributiei datorate de ",
    "angajator în conformitate cu art. 85 alin. (1) din Legea nr. 76/2002, cu modificarile si "
    "completarile ulterioare. ",
    "Se completeaza cu sumele platite persoanelor cu codurile A si B, reprezentând elementele "
    "constitutive ale bazei ",
    "de calcul al contributiei datorate de angajator la bugetul asigurarilor pentru somaj potrivit "
    "dispozitiilor titlului ",
    "IX2 \"Contributii sociale obligatorii\" din Legea nr. 571/2003 privind Codul fiscal, cu "
    "modificarile si completarile ",
    "ulterioare. Pentru persoanele cu codurile A si B, pentru care nu se beneficiaza de scutire "
    "conform art. 85 alin. (1) ",
    "din Legea nr. 76/2002, cu modificarile si completarile ulterioare (conventie încheiata "
    "ulterior datei de 22 octombrie ",
    "2013), se completeaza cu zero.",
    "   Coloana 9 - se completeaza, dupa caz, cu data si motivul încetarii/suspendarii/reluarii "
    "dupa suspendare a raporturilor",
    "de munca sau de serviciu.",
    "Total A1 - totalul sumelor care se completeaza în coloana 7.",
    "Total B1 - totalul sumelor care se completeaza în coloana 8 si care sunt corespunzatoare "
    "persoanelor cu codurile A si B pentru",
    "care se beneficiaza de scutire conform art. 85 alin. (1) din Legea nr. 76/2002, cu "
    "modificarile si completarile ulterioare.",
    "Total C1 - se completeaza în situatia în care conventia a fost încheiata anterior datei de 22 "
    "octombrie 2013 si angajatorul ",
    "beneficiaza de scutire de plata contributiei datorate la BAS, conform art. 85 alin. (1) din "
    "Legea nr. 76/2002, cu modificarile",
    "si completarile ulterioare.",
};

const std::vector<const char*> kNote85Ingust = {
    "    *) Coloana 3 se va completa dupa cum urmeaza:",
    "       - cod A - someri in varsta de peste 45 de ani inregistrati in evidenta agentiei;",
    "       - cod B - someri unici sustinatori ai familiilor monoparentale inregistrati in "
    "evidenta agentiei;",
    "       - cod C - persoane cu handicap.",
    "       - cod D - someri inregistrati in evidenta agentiei care in termen de 3 ani de la data "
    "angajarii.",
    "                 indeplinesc conditiile pentru acordarea pensiei anticipate partiale.",
    "       - cod E - someri inregistrati in evidenta agentiei care in termen de 3 ani de la data "
    "angajarii",
    "                 indeplinesc conditiile pentru acordarea pensiei pentru limita de varsta si "
    "nu indeplinesc",
    "                 conditiile pentru a solicita pensie anticipata partiala.",
    "   **) Coloana 4 se completeaza cu numarul orelor efectiv lucrate in luna de persoanele "
    "prevazute la art. 85 din ",
    "       Legea nr 76/2002 privind sistemul asigurarilor pentru somaj si stimularea ocuparii "
    "fortei de munca,",
    "       cu modificarile si completarile ulterioare, acordata angajatorului.",
    "  ***) Coloana 5 se completeaza cu suma cuvenita pentru timpul efectiv lucrat din cuantumul "
    "subventiei",
    "       prevazute la art.85 alin.(1), (2) si (5) din Legea nr 76/2002, cu modificarile si "
    "completarile ulterioare,",
    "       acordata angajatorului.",
    " ****) Coloana 6 se completeaza numai pentru categoriile de persoane prevazute la codurile A "
    "si B, cu sumele",
    "       platite acestor persoane reprezentand elementele constituitive ale bazei de calcul al "
    "contributiei",
    "       datorate de angajator la bugetul asigurarilor pentru somaj potrivit dispozitiilor "
    "titlului IX2",
    "       <Contributii sociale obligatorii> din legea nr. 571/2003 privind Codul fiscal, cu "
    "modificarile si ",
    "       completarile ulterioare.",
    "*****) Coloana 7 se completeaza, dupa caz, cu data si motivul incetarii/suspendarii/reluarii "
    "dupa suspendare a",
    "       raporturilor de munca.",
};

const std::vector<const char*> kNote93_4 = {
    "Coloana 1 - se completeaza numarul conventiei încheiate cu KRENO/DAVRO.",
    "Coloana 2 - se completeaza cu data conventiei încheiate cu KRENO/DAVRO (zz/ll/aa).",
    "Coloanele 3 si 4 - se completeaza cu numele si prenumele, respectiv codul numeric personal.",
    "Coloana 5 - se completeaza dupa cum urmeaza:",
    " - cod A - tanar care se afla in sistemul de protectie a copilului sau provine din acest "
    "sistem;",
    " - cod B - tanar cu dizabilitati;",
    " - cod C - tanar care nu are familie sau a carui familie nu ii poate asigura intretinerea;",
    " - cod D - tanar care are copii in intretinere;",
    " - cod E - tanar care a executat una sau mai multe pedepse privative de libertate;",
    " - cod F - tanar care este victima a traficului de persoane.",
    "Coloana 6 se completeaza cu salariul de baza stabilit la data angajarii tanarului, dar nu mai "
    "mult de doua ori valoarea",
    "  indicatorului social de referinta al asigurarilor pentru somaj si stimularii ocuparii "
    "fortei de munca, în vigoare la data",
    "  încadrarii în munca (coloana 8 din tabelul nominal - anexa la Conventia prevazuta în anexa "
    "nr. 28 la Normele metodologice",
    "  de aplicare a Legii nr. 76/2002 privind sistemul asigurarilor pentru somaj si stimularea "
    "ocuparii fortei de munca,",
    "  aprobate prin Hotarârea Guvernului nr. 174/2002, cu modificarile si completarile "
    "ulterioare).",
    "Coloana 7 se completeaza cu numarul de ore efectiv lucrate în luna de persoanele prevazute la "
    "art. 93^4 din Legea nr. 76/2002,",
    "  cu modificarile si completarile ulterioare (inclusiv orele aferente concediului de odihna) "
    "pentru care se acorda suma cuvenita",
    "  lunar din cuantumul subventiei prevazute la art. 93^4 alin. (1) din Legea nr. 76/2002, cu "
    "modificarile si completarile",
    "  ulterioare, acordata angajatorului.",
    "Coloana 8 se completeaza cu suma cuvenita din cuantumul subventiei prevazute la art. 93^4 "
    "alin. (1) din Legea nr. 76/2002,",
    "  cu modificarile si completarile ulterioare, acordata angajatorului.",
    "Coloana 9 se completeaza, dupa caz, cu data si motivul încetarii/suspendarii/reluarii dupa "
    "suspendare a raporturilor de munca.",
};

const std::vector<const char*> kNote116 = {
    "*) coloana 3 se va completa dupa cum urmeaza:",
    "cod A - tineri proveniti din centrele de plasament si centrele de primire a copilului din "
    "cadrul serviciilor",
    "        publice specializate si al organismelor private autorizate in domeniul protectiei "
    "copiilor;",
    "cod B - tineri singuri cu copii in intretinere;",
    "cod C - tineri familisti cu copii in intretinere;",
    "cod D - tineri familisti fara copii in intretinere;",
    "cod E - tineri familisti care au executat pedepse privative de libertate;",
    "cod F - alte categorii de tineri aflati in dificultate.",
    "**) Coloana 4: se completeaza salariul de baza stabilit la data angajarii, dar nu mai mult de "
    "75% din castigul",
    "    salarial mediu net pe economie, comunicat de Institutul National de Statistica sau, dupa "
    "caz, suma ",
    "    reprezentand 50% din indemnizatia de somaj, in conditiile art. 8 alin. (2) din Legea nr. "
    "116/2002.",
    "***) coloana 7: se vor mentiona, dupa caz, motivele incetarii sau suspendarii raporturilor de "
    "munca.",
};

const std::vector<const char*> kNote72 = {
    "    *) Coloana 4 se va completeaza in acelasi mod in care se completeaza rubrica \"tip "
    "contract\" din cuprinsul declaratiei",
    "       privind evidenta nominala a asiguratilor si a obligatiilor de plata la bugetul "
    "asigurarilor pentru somaj, asa cum se",
    "       prevede in cap1. la Procedura privind declararea lunarea a evidentei nominale si a "
    "obligatiilor de plata la bugetul",
    "       asigurarilor de somaj, aprobata prin Ordinul ministrului muncii, solidaritatii sociale "
    "si familiei nr. 405/2004, cu",
    "       modificarile si completarile ulterioare.",
    "   **) Coloana 5 se completeaza cu numarul orelor efectiv lucrate in perioada de vacanta din "
    "luna respectiva",
    "  ***) Coloana 6 se completeaza cu suma cuvenita lunar angajatorului, in conditiile Legii nr. "
    "72/2007 privind stimularea ",
    "       incadrarii in munca a elevilor si studentilor, pentru elevul/studentul respectiv.",
    " ****) Coloana 7 se completeaza cu numarul de zile lucratoare din luna, pentru care se "
    "acorda, in conditiile legii,",
    "       stimulentul financiar.",
    "*****) Coloana 8 se completeaza, dupa caz, cu data si motivul incetarii/suspendarii/reluarii "
    "dupa suspendare a",
    "       raporturilor de munca.",
};

const std::vector<const char*> kCap80Lat = {
    "|    |            |          |                              |               |Categoria | Nr "
    "ore |Suma cuven|          |               |",
    "| Nr.|  Conventia |   Data   |    Numele si prenumele       |  Cod Numeric  |    de    | "
    "efectiv| pt timp  |  Sume    |     Obs.      |",
    "|crt.|  numarul   |conventiei|                              |   Personal    "
    "|absolventi|lucrate | efectiv  |  platite |               |",
    "|    |            |          |                              |               |          |      "
    "  | lucrat   |          |               |",
    "|  0 |     1      |     2    |              3               |       4       |    5     |   6  "
    "  |    7     |     8    |      9        |",
};

const std::vector<const char*> kCap80Ingust = {
    "|    |                              |               |  Categ   | Nr ore |Suma cuven|  Sume    "
    "|               |",
    "| Nr.|    Numele si prenumele       |  Cod Numeric  |    de    | efectiv| pt timp  | platite  "
    "|     Obs.      |",
    "|crt.|                              |   Personal    |   abs.   |lucrate | efectiv  |          "
    "|    *****)     |",
    "|    |                              |               |    *)    |   **)  |lucr ***) |   ****)  "
    "|               |",
    "|  0 |            1                 |       2       |    3     |   4    |    5     |     6    "
    "|      7        |",
};

const std::vector<const char*> kCap93_4 = {
    "|    |            |          |                              |               |Categoria |Suma "
    "rep  |Nr ore |Suma cuven|               |",
    "| Nr.| Conventia  |   Data   |    Numele si prenumele       |  Cod Numeric  |    de    |baza "
    "de   |pt timp|pt timp   |     Obs.      |",
    "|crt.|  numarul   |conventiei|                              |   Personal    | persoane |calc "
    "a mas|efectiv|efectiv   |               |",
    "|    |            |          |                              |               |          |de "
    "stim   |lucrat | lucrat   |               |",
    "|  0 |     1      |     2    |              3               |       4       |    5     |     "
    "6    |   7   |     8    |      9        |",
};

const std::vector<const char*> kCap116 = {
    "|    |                              |               |  Categ   |   Suma   |  Ore   |  Suma    "
    "|               |",
    "| Nr.|    Numele si prenumele       |  Cod Numeric  |    de    |   baza   |  lucr  | cuvenita "
    "|      Obs.     |",
    "|crt.|                              |   Personal    |   pers   |   calcul |        |          "
    "|      ***)     |",
    "|    |                              |               |    *)    |   **)    |        |          "
    "|               |",
    "|  0 |            1                 |       2       |    3     |     4    |    5   |     6    "
    "|       7       |",
};

const std::vector<const char*> kCap72 = {
    "|    |                              |               |  Categ   |  Tip   |   Nr   |  Suma    | "
    "   Nr    |               |",
    "| Nr.|    Numele si prenumele       |  Cod Numeric  |    de    | contr  |  Ore   | cuvenita | "
    "zile luc |     Obs.      |",
    "|crt.|                              |   Personal    |   pers   | munc   |lucrate |  pt timp | "
    " in luna |    *****)     |",
    "|    |                              |               | elev/stud|   *)   |   **)  |lucr ***) | "
    "  ****)  |               |",
    "|  0 |            1                 |       2       |    3     |   4    |    5   |     6    | "
    "   7     |       8       |",
};

} // namespace anexe::texte
