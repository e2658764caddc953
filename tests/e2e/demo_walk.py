"""The README's first hour, step by step, in the demonstration folder: `scripts/run --demo`
starts the program on a fresh demonstration folder, and the walk follows the ten numbered
steps of the README as a user would, through the accessibility bus, from the import of the
conventions to the finalized month and its annex preview. The saved month is then read back
from the database file.

    demo_walk.py BIN_DIR      (run through run-e2e, which provides the display and the buses)
"""

import os
import socket
import sys
import tempfile
import time
import urllib.request


HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
from atspi_driver import (E2EError, MainWindow, Program, click, find, isql, key,  # noqa: E402
                          main_window, previous_month, run_walk, type_into_cell, wait_for,
                          window, window_gone)

ROOT = os.path.dirname(os.path.dirname(HERE))
CIF = "31415926"
EMPLOYER = "Brutăria Ţăranului S.R.L."
PERSONS = 20
WAGE_FUND = "150000"
NEXT_STEP = ("Deschideti luna de lucru din Subventii si Scutiri > Adaugare luna curenta "
             "[CTRL + N].")
TABS = ["Subventii Centralizator", "Date Conventii-Date Angajator", "Pontaj", "Stat de Plata",
        "Tabel Articol 80", "Tabel Articol 85", "Tabel Legea 116", "Tabel Legea 72",
        "Tabel Art. 93^4"]
# The law tables the demonstration's schemes fill, with their database tables.
LAW_TABLES = {"Tabel Articol 80": "ATO_RAPORTARE_ART80", "Tabel Articol 85": "ATO_RAPORTARE_ART85",
              "Tabel Legea 116": "ATO_RAPORTARE_L116", "Tabel Legea 72": "ATO_RAPORTARE_L72"}


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def table_cells(table):
    """A grid's texts, row by row (row 0 is its header)."""
    t = table.queryTable()
    return [[t.getAccessibleAt(r, c).name for c in range(t.nColumns)] for r in range(t.nRows)]


def amount(text):
    return round(float(text.replace(" ", "").replace(",", ".") or 0), 2)


def income(row):
    """The gross income typed for the person on a payroll row (at least the demo's SMB)."""
    return str(4000 + 250 * (row % 5))


class DemoWalk:
    def __init__(self, bin_dir):
        self.bin_dir = bin_dir
        self.base = tempfile.mkdtemp(prefix="vortapl-demo-e2e-")
        self.folder = os.path.join(self.base, "demo")
        self.db = os.path.join(self.folder, "VORTAPL.DAT")
        self.port = free_port()
        self.year, self.month = previous_month()
        self.incomes = {}
        self.program = None

    # 1. Start: scripts/run --demo makes the folder and opens it.
    def start(self):
        env = dict(os.environ, VORTAPL_BIN_DIR=self.bin_dir, VORTAPL_DEMO_HOME=self.folder,
                   VORTAPL_DEMO_PORT=str(self.port),
                   FIREBIRD_LOCK=os.path.join(self.base, ".fblock"))
        os.makedirs(env["FIREBIRD_LOCK"])
        self.log = open(os.path.join(self.base, "program-output.txt"), "w")
        self.program = Program([os.path.join(ROOT, "scripts", "run"), "--demo"], self.base,
                               self.log, env)
        self.win = MainWindow(main_window(120))  # the folder is made first
        self.win.wait_header("CIF/CUI: " + CIF)
        self.win.wait_header("DENUMIRE: " + EMPLOYER)
        self.win.wait_header("LUNA LUCRU: NEDEFINITA")
        for title in TABS:
            self.win.show_tab(title)
            wait_for("the next step on %r" % title, lambda: NEXT_STEP in self.win.labels())
        # The agency's files of the demonstration are served on this machine for the PIN check.
        with urllib.request.urlopen("http://127.0.0.1:%d/dump_date_angajator/" % self.port,
                                    timeout=10) as r:
            listing = r.read().decode("utf-8", "replace")
        if CIF not in listing:
            raise E2EError("the agency's files are not served:\n" + listing)

    # 2. Import the conventions from the demonstration folder.
    def import_conventions(self):
        def loaded(dlg):
            rows = find(dlg, "table").queryTable().nRows - 1  # without its header
            return rows >= PERSONS and rows
        self.win.import_conventions("12_%s.crypt" % CIF, loaded)

    # 3. The constants are already there: the previous month's are shown, then the editor closed.
    def check_constants(self):
        dlg = self.win.constants_editor(self.month, self.year)
        tab = find(dlg, "table").queryTable()
        want = {"ISR": "500", "SMB": "3700", "SMN": "5200"}

        def values():
            got = {tab.getAccessibleAt(r, 1).name: tab.getAccessibleAt(r, 2).name
                   for r in range(1, tab.nRows)}
            return got if all(got.get(k, "").startswith(v) for k, v in want.items()) else None
        print("constants of %02d/%04d:" % (self.month, self.year), wait_for("the constants' values", values))
        click(find(dlg, "push button", "Renunt"))
        window_gone("Constante Sistem")

    # 4. Add the month and type its wage fund.
    def add_month(self):
        self.win.add_month(self.month, self.year)
        if NEXT_STEP in self.win.labels():
            raise E2EError("the next-step line is still shown with the month open")
        self.win.type_wage_fund(WAGE_FUND)

    # 5. The timesheet: the norm of 8 hours, every working day of each convention present.
    def timesheet(self):
        self.win.fill_timesheet()

    # 6. The payroll: a gross income for every person with hours in the month.
    def payroll(self):
        self.win.show_tab("Stat de Plata")
        table = self.win.page_table()
        tab = table.queryTable()
        wait_for("the payroll rows", lambda: tab.nRows - 1 >= PERSONS - 1)
        # Hours come from the timesheet; a person whose convention does not reach the month
        # has none and keeps 0.
        wait_for("the hours of the timesheet", lambda: any(
            tab.getAccessibleAt(r, 5).name not in ("", "0") for r in range(1, tab.nRows)))
        for row in range(1, tab.nRows):
            if tab.getAccessibleAt(row, 5).name not in ("", "0"):
                self.incomes[tab.getAccessibleAt(row, 3).name] = income(row)
                type_into_cell(table, row, 6, income(row))
        print("incomes typed:", len(self.incomes))
        wait_for("the period incomes", lambda: all(
            tab.getAccessibleAt(r, 7).name not in ("", "0") for r in range(1, tab.nRows)
            if tab.getAccessibleAt(r, 3).name in self.incomes))

    # 7. The law tables fill themselves; Art. 80's total is the sum of its persons.
    def law_tables(self):
        for title in LAW_TABLES:
            self.win.show_tab(title)
            tab = self.win.page_table().queryTable()
            rows = wait_for("the persons of %r" % title, lambda: tab.nRows > 1 and tab.nRows)
            print("%s: %d rows" % (title, rows - 1))
        self.win.show_tab("Tabel Articol 80")
        cells = table_cells(self.win.page_table())
        col = cells[0].index("Suma Conventie")
        persons = [r for r in cells[1:] if r[3]]
        total = next(r for r in cells if r[2] == "TOTAL")
        self.art80 = amount(total[col])
        if not persons or self.art80 != sum(amount(r[col]) for r in persons) or self.art80 <= 0:
            raise E2EError("the Art. 80 total %r is not the sum of %r" % (total[col], persons))

    # 8. The summary splits each scheme into deduction and refund.
    def summary(self):
        self.win.show_tab("Subventii Centralizator")
        cells = table_cells(self.win.page_table())
        art80 = next(r for r in cells if r[1].startswith("Subventii conform Art.80"))
        print("summary, Art. 80: deduction %s, refund %s" % (art80[2], art80[3]))
        if amount(art80[2]) + amount(art80[3]) != self.art80:
            raise E2EError("the Art. 80 split %r does not add up to %s" % (art80, self.art80))

    # 9. Save, view, finalize, view.
    def save_and_finalize(self):
        self.win.save_month()
        self.win.view_month(self.month, self.year)
        self.win.wait_header("IN CONSTRUCTIE")
        self.win.save_month(finalize=True)
        self.win.view_month(self.month, self.year)
        self.win.wait_header("FINALIZATA")

    # 10. The Art. 80 annex in the print preview.
    def print_preview(self):
        self.win.menu("Tiparire Anexe", "Anexa Art. 80")
        preview = window("Previzualizare Tiparire", 60)
        for b in ("Imprimanta", "Tipareste", "Salveaza PDF"):
            find(preview, "push button", b)
        key("Escape")
        window_gone("Previzualizare Tiparire")

    def exit(self):
        self.win.menu("Optiuni suplimentare", "Iesire [ALT+X]")
        self.program.wait_exit(30)

    def read_back(self):
        sql = ["SET LIST ON;",
               "SELECT STARE, FS FROM ATO_RAPORTARE WHERE AN = %d AND LN = %d AND CIF = '%s';"
               % (self.year, self.month, CIF),
               "SELECT COUNT(*) AS NOEL FROM ATO_RAPORTARE_STATDEPLATA "
               "WHERE VENIT_BRUT_NOEL > 0;"]
        for n, table in enumerate(LAW_TABLES.values()):
            sql.append("SELECT COUNT(*) AS ROWS%d FROM %s;" % (n, table))
        out = isql(self.db, "\n".join(sql) + "\n")
        values = dict(l.split(None, 1) for l in out.splitlines() if len(l.split(None, 1)) == 2)
        print("read back:", values)
        if values.get("STARE") != "1" or not values.get("FS", "").startswith(WAGE_FUND):
            raise E2EError("the month is not finalized with its wage fund\n" + out)
        if values.get("NOEL") != str(len(self.incomes)):
            raise E2EError("%s incomes saved, %d typed\n%s" % (values.get("NOEL"),
                                                              len(self.incomes), out))
        for n, table in enumerate(LAW_TABLES.values()):
            if values.get("ROWS%d" % n, "0") == "0":
                raise E2EError("no rows saved in %s\n%s" % (table, out))

    def run(self):
        t0 = time.monotonic()
        for step in (self.start, self.import_conventions, self.check_constants, self.add_month,
                     self.timesheet, self.payroll, self.law_tables, self.summary,
                     self.save_and_finalize, self.print_preview, self.exit, self.read_back):
            step()
            print("%5.1f s  %s" % (time.monotonic() - t0, step.__name__))

def main():
    walk = DemoWalk(sys.argv[1])
    return run_walk(walk, walk.base)


if __name__ == "__main__":
    sys.exit(main())
