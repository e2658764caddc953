"""A whole month through the real program: import the employer's conventions transfer file,
set the month's system constants, add the month, fill the timesheet and the payroll, save,
view, finalize, and read the saved rows back from the database file.

    month_walk.py BIN_DIR      (run through run-e2e, which provides the display and the buses)
"""

import os
import subprocess
import sys
import tempfile


sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from atspi_driver import (E2EError, MainWindow, Program, click, find, find_all,  # noqa: E402
                          isql, key, main_window, previous_month, run_walk, type_into_cell,
                          wait_for, window_gone)

CIF = "12345678"
PERSONS = [  # CNP, name, first name, measure id, measure type
    ("1850212123410", "POPESCU", "ION", "900001", "13"),
    ("2990101000011", "IONESCU", "MARIA", "900002", "14"),
]
CONSTANTS = {"ISR": "500", "SMB": "2000", "SMN": "3000", "PROC_ANGAJATOR": "0.50",
             "ZILELUC": "20"}
INCOMES = {"POPESCU": "4000", "IONESCU": "3500"}


def conventions_xml(year):
    """The agency's document: conventions running from the year before the working month's
    until two years after it."""
    start, end = "%d-01-01" % (year - 1), "%d-12-31" % (year + 2)
    rows = []
    for cnp, nume, prenume, id_ma, tip in PERSONS:
        rows.append(
            '  <asigurat CIF="%s" CNP="%s" CNP_CORECT="%s" NUME="%s" PRENUME="%s" ID_PERS="7%s" '
            'STARE_PERS="0" DATA_STARE="2024-12-20" INFO_STARE="activ" DATA_PENS="" '
            'DATA_ANG="%s" CATEGORIE_PERS="ABS" ID_MA="%s" TIP_MA="%s" '
            'DATA_START="%s" DATA_SFARSIT="%s" DOC_NR="1/2024" '
            'DOC_DATA="2024-12-20" STARE_MA="1" DOC_NUME_PERS="Ion Pop" DOC_NUME_FUNCTIE="Sef" '
            'TIPCM="0" BAZA_CALCUL_L116="0"/>' % (CIF, cnp, cnp, nume, prenume, id_ma[-5:], start,
                                                  id_ma, tip, start, end))
    return ('<?xml version="1.0" encoding="UTF-8"?>\n<exportKRENO>\n  <antet data="2024-12-20" '
            'judet="12"/>\n' + "\n".join(rows) + "\n</exportKRENO>\n")


class Walk:
    def __init__(self, bin_dir):
        self.bin_dir = bin_dir
        self.folder = tempfile.mkdtemp(prefix="vortapl-e2e-")
        self.db = os.path.join(self.folder, "VORTAPL.DAT")
        os.environ["FIREBIRD_LOCK"] = os.path.join(self.folder, ".fblock")
        os.makedirs(os.environ["FIREBIRD_LOCK"])
        self.program = None
        self.year, self.month = previous_month()

    # --- preparing the working folder -------------------------------------------------------
    def prepare(self):
        subprocess.run([os.path.join(self.bin_dir, "vortapl-initdb"), self.db], check=True,
                       capture_output=True, timeout=60)
        isql(self.db, "INSERT INTO ATN_AGENTI (CIF, CURENT, COD_JUDET, DENUMIRE, TIP_CALCUL) "
                      "VALUES ('%s', 1, '12', 'FIRMA E2E SRL', 0);\nCOMMIT;\n" % CIF)
        xml = os.path.join(self.folder, "conventii_e2e.xml")
        with open(xml, "w", encoding="utf-8") as f:
            f.write(conventions_xml(self.year))
        subprocess.run([os.path.join(self.bin_dir, "vortapl-transfer"), "encrypt", xml],
                       check=True, capture_output=True, timeout=60)
        os.remove(xml)

    def start(self):
        self.log = open(os.path.join(self.folder, "program-output.txt"), "w")
        self.program = Program(os.path.join(self.bin_dir, "vortapl"), self.folder, self.log)
        self.win = MainWindow(main_window())

    # --- the walk -------------------------------------------------------------------------
    def import_conventions(self):
        self.win.import_conventions("conventii_e2e.crypt", lambda dlg: any(
            c.name == "POPESCU" for c in find_all(dlg, "table cell", only_showing=False)))

    def set_constants(self):
        dlg = self.win.constants_editor(self.month, self.year)
        table = find(dlg, "table")
        tab = table.queryTable()
        for row in range(1, tab.nRows):
            code = tab.getAccessibleAt(row, 1).name
            if code in CONSTANTS:
                type_into_cell(table, row, 2, CONSTANTS[code])
        click(find(dlg, "push button", "Salveaza"))
        window_gone("Constante Sistem")

    def add_month(self):
        self.win.add_month(self.month, self.year)

    def fill_month(self):
        self.win.type_wage_fund("20000")
        self.win.fill_timesheet()
        # Payroll: the gross income of each person.
        self.win.show_tab("Stat de Plata")
        table = self.win.page_table()
        tab = table.queryTable()
        wait_for("the payroll rows", lambda: tab.nRows >= 1 + len(PERSONS))
        for row in range(1, tab.nRows):
            name = tab.getAccessibleAt(row, 3).name
            income = next((v for k, v in INCOMES.items() if name.startswith(k)), None)
            if income:
                type_into_cell(table, row, 6, income)
        wait_for("the period incomes", lambda: all(
            tab.getAccessibleAt(r, 7).name not in ("", "0") for r in range(1, tab.nRows)))

    def save(self, finalize=False):
        self.win.save_month(finalize)

    def view(self):
        self.win.view_month(self.month, self.year)

    def escape_keeps_the_month(self):
        """Escape with a month open asks first; "No" keeps the month on screen."""
        self.win.show_tab("Subventii Centralizator")
        key("Escape")
        self.win.answer("Nu", "Abandonam modificarile curente?")
        self.win.wait_header("IN CONSTRUCTIE")

    def exit(self):
        self.win.menu("Optiuni suplimentare", "Iesire [ALT+X]")
        self.program.wait_exit(30)

    def read_back(self):
        out = isql(self.db, "SET LIST ON;\n"
                   "SELECT STARE, COD_UNIC, FS FROM ATO_RAPORTARE WHERE AN = %d AND LN = %d "
                   "AND CIF = '%s';\n"
                   "SELECT COUNT(*) AS PONTAJ FROM ATO_RAPORTARE_PONTAJ;\n"
                   "SELECT NUME, VENIT_BRUT_NOEL FROM ATO_RAPORTARE_STATDEPLATA ORDER BY NUME;\n"
                   "SELECT COUNT(*) AS ART80 FROM ATO_RAPORTARE_ART80;\n"
                   "SELECT COUNT(*) AS ART85 FROM ATO_RAPORTARE_ART85;\n"
                   % (self.year, self.month, CIF))
        values = {}
        rows = []
        for line in out.splitlines():
            parts = line.split(None, 1)
            if len(parts) == 2:
                values[parts[0]] = parts[1].strip()
                rows.append((parts[0], parts[1].strip()))
        print("read back:", values)
        expect = {"STARE": "1", "PONTAJ": "2", "ART80": "1", "ART85": "1"}
        for k, v in expect.items():
            if values.get(k) != v:
                raise E2EError("%s is %r, expected %r\n%s" % (k, values.get(k), v, out))
        if values.get("COD_UNIC") in (None, "<null>"):
            raise E2EError("no settlement code\n" + out)
        if not values.get("FS", "").startswith("20000"):
            raise E2EError("wage fund %r\n%s" % (values.get("FS"), out))
        incomes = [v for k, v in rows if k == "VENIT_BRUT_NOEL"]
        if [i.split(".")[0] for i in incomes] != ["3500", "4000"]:
            raise E2EError("payroll incomes %r\n%s" % (incomes, out))

    def run(self):
        self.prepare()
        self.start()
        self.import_conventions()
        self.set_constants()
        self.add_month()
        self.fill_month()
        self.save()
        self.view()
        self.escape_keeps_the_month()
        self.save(finalize=True)
        self.view()
        self.win.wait_header("FINALIZATA")
        self.exit()
        self.read_back()

def main():
    walk = Walk(sys.argv[1])
    return run_walk(walk, walk.folder)


if __name__ == "__main__":
    sys.exit(main())
