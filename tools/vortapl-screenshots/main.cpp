// vortapl-screenshots FOLDER OUT: starts the program's windows on the working folder FOLDER
// (a demonstration folder made by tools/demo/make-demo) and saves a picture of each step of
// the README's walkthrough into OUT. Boxes are answered with their first button and logged.

#include "core/Commands.h"
#include "core/Database.h"
#include "core/VORTAPLApp.h"
#include "core/VORTAPLDlg.h"
#include "exchange/ImportConventiiKrenoDlg.h"
#include "main/MainWindowRunner.h"
#include "platform/MessageBox.h"
#include "platform/ModalDialog.h"
#include "widgets/AppIcon.h"

#include <QApplication>
#include <QDialog>
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
            return Picture(d, "02-import-conventii.png", [&](QDialog& dd) {
                if (auto* imp = qobject_cast<CImportConventiiKrenoDlg*>(&dd)) {
                    imp->PathEdit()->setText(QString::fromStdString(conventii));
                    imp->LoadButton()->click();
                }
            });
        });
        w->RunCommand(cmd::ImportConventii);
    }
    {
        platform::ScopedModalHook hook(
            [&](QDialog& d) { return Picture(d, "03-constante-sistem.png"); });
        w->RunCommand(cmd::ConstanteSistem);
    }
    return 0;
}
