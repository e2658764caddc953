// vortapl-screenshots FOLDER OUT: starts the program's windows on the working folder FOLDER
// (a demonstration folder made by tools/demo/make-demo) and saves a picture of each step of
// the README's walkthrough into OUT, from the import to a finalized month and its annex
// preview. Boxes are answered with their first button and logged.

#include "core/Commands.h"
#include "core/Database.h"
#include "core/VORTAPLApp.h"
#include "core/VORTAPLDlg.h"
#include "entry/DateConventiiAngajatorDlg.h"
#include "entry/PontajDlg.h"
#include "entry/StatDePlataDlg.h"
#include "exchange/ImportConventiiKrenoDlg.h"
#include "main/MainWindowRunner.h"
#include "pagero/MorPrint.h"
#include "platform/MessageBox.h"
#include "platform/ModalDialog.h"
#include "widgets/AppIcon.h"
#include "widgets/XSimGrid.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include <clocale>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

namespace {
std::string g_out;

void Save(QWidget& w, const char* name) {
    QApplication::processEvents();
    const std::string path = g_out + "/" + name;
    if (w.grab().save(QString::fromStdString(path)))
        std::printf("%s\n", path.c_str());
    else
        std::fprintf(stderr, "%s nu a putut fi scris\n", path.c_str());
}

// Shows the dialog a command opens, lets it settle, takes its picture and closes it.
int Picture(QDialog& d, const char* name, const std::function<void(QDialog&)>& prepare = {}) {
    d.show();
    if (prepare)
        prepare(d);
    Save(d, name);
    d.hide();
    return QDialog::Rejected;
}

// Types text into a grid cell the way the keyboard does, Enter storing it.
void TypeIntoCell(CXSimGrid& grid, int row, int col, const QString& text) {
    grid.SetCurrentCell(row, col);
    const auto press = [&](int key, const QString& t) {
        QWidget* target = grid.activeEditor() ? grid.activeEditor() : &grid;
        QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, t);
        QApplication::sendEvent(target, &down);
        QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, t);
        QApplication::sendEvent(target, &up);
        QApplication::processEvents();
    };
    for (QChar ch : text)
        press(ch.isDigit() ? Qt::Key_0 + (ch.unicode() - u'0') : Qt::Key_unknown, QString(ch));
    press(Qt::Key_Return, {});
}
} // namespace

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    QApplication::setApplicationName("VORTAPL");
    QApplication::setWindowIcon(VortaplIcon());
    std::setlocale(LC_NUMERIC, "C");
    if (argc != 3) {
        std::fprintf(stderr, "utilizare: vortapl-screenshots DOSAR_DEMO DOSAR_IMAGINI\n");
        return 2;
    }
    const std::filesystem::path folder = std::filesystem::absolute(argv[1]);
    g_out = std::filesystem::absolute(argv[2]).string();
    std::filesystem::create_directories(g_out);
    std::filesystem::current_path(folder);
    platform::SetMessageHook([](const platform::MessageRecord& r) {
        std::fprintf(stderr, "[caseta] %s\n", r.text.c_str());
        return r.buttons == platform::Buttons::YesNo || r.buttons == platform::Buttons::YesNoCancel
                   ? platform::Answer::Yes
                   : platform::Answer::Ok;
    });

    CVORTAPLApp app;
    core::EnsureFirebirdLockFolder();
    if (!app.Startup())
        return 1;
    auto w = CreateMainWindow();
    w->resize(1180, 720);
    w->show();
    Save(*w, "01-fereastra-principala.png");

    const std::string conventii = (folder / "12_31415926.crypt").string();
    {
        platform::ScopedModalHook hook([&](QDialog& d) {
            auto* imp = qobject_cast<CImportConventiiKrenoDlg*>(&d);
            const int r = Picture(d, "02-import-conventii.png", [&](QDialog&) {
                if (imp) {
                    imp->PathEdit()->setText(QString::fromStdString(conventii));
                    imp->LoadButton()->click();
                }
            });
            if (imp)
                imp->SaveButton()->click();
            return r;
        });
        w->RunCommand(cmd::ImportConventii);
    }
    {
        platform::ScopedModalHook hook(
            [&](QDialog& d) { return Picture(d, "03-constante-sistem.png"); });
        w->RunCommand(cmd::ConstanteSistem);
    }

    w->RunCommand(cmd::AdaugareLuna);
    w->ShowTab(CVORTAPLDlg::TabConventii);
    if (auto* conv =
            dynamic_cast<CDateConventiiAngajatorDlg*>(w->Page(CVORTAPLDlg::TabConventii))) {
        conv->FS()->setText("150000");
        conv->OnChangeFS();
    }
    Save(*w, "04-luna-adaugata.png");

    w->ShowTab(CVORTAPLDlg::TabPontaj);
    if (auto* pontaj = dynamic_cast<CPontajDlg*>(w->Page(CVORTAPLDlg::TabPontaj))) {
        for (auto* b : pontaj->findChildren<QPushButton*>())
            if (b->text() == "Aplica norma 8" || b->text() == "Marcheaza prezent")
                b->click();
    }
    Save(*w, "05-pontaj.png");

    w->ShowTab(CVORTAPLDlg::TabStatPlata);
    if (auto* stat = dynamic_cast<CStatDePlataDlg*>(w->Page(CVORTAPLDlg::TabStatPlata))) {
        CXSimGrid& grid = *stat->Grid();
        for (int row = 1; row <= grid.GetRowCount(); ++row)
            // A person with no hours in the convention's period has no income to declare.
            if (grid.GetCellText(row, 5) != "0")
                TypeIntoCell(grid, row, 6, QString::number(4000 + 250 * (row % 5)));
        grid.SetCurrentCell(1, 6);
    }
    Save(*w, "06-stat-de-plata.png");

    w->ShowTab(CVORTAPLDlg::TabArt80);
    Save(*w, "07-tabel-art80.png");
    w->ShowTab(CVORTAPLDlg::TabSubventii);
    Save(*w, "08-centralizator.png");

    // Saving closes the month; it is viewed again to be finalized, and once more to show it
    // closed for good.
    w->RunCommand(cmd::SalvareLuna);
    {
        platform::ScopedModalHook hook([&](QDialog& d) {
            d.show();
            QApplication::processEvents();
            for (auto* b : d.findChildren<QPushButton*>())
                if (QString(b->text()).remove(QLatin1Char('&')) == "Selecteaza")
                    b->click();
            d.hide();
            return d.result();
        });
        w->RunCommand(cmd::VizualizareLuna);
        w->RunCommand(cmd::FinalizareLuna);
        w->RunCommand(cmd::VizualizareLuna);
    }
    w->ShowTab(CVORTAPLDlg::TabSubventii);
    Save(*w, "09-luna-finalizata.png");

    MorPrint::SetDialogHook([&](QDialog& d) {
        d.resize(1000, 720);
        return Picture(d, "10-previzualizare-anexa.png");
    });
    w->ShowTab(CVORTAPLDlg::TabArt80);
    w->RunCommand(cmd::PrintArt80);
    MorPrint::SetDialogHook({});
    return 0;
}
