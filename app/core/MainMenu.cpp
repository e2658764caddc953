// The main window's menu bar: every command in its pop-up, with its shortcut.
#include "core/AboutDlg.h"
#include "core/Commands.h"
#include "core/OptiuniDlg.h"
#include "core/VORTAPLApp.h"
#include "core/VORTAPLDlg.h"
#include "platform/ModalDialog.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

void CVORTAPLDlg::BuildMenu() {
    m_pMenuBar = new QMenuBar(this);
    auto add = [this](QMenu* menu, int id, const char* text, QKeySequence key = {}) {
        QString caption = QString::fromUtf8(text);
        // The caption names its key ("... [CTRL + N]"); a tab before that part puts it in the
        // menu's key column, in place of the shortcut Qt would add a second time.
        if (!key.isEmpty())
            if (qsizetype at = caption.lastIndexOf(" ["); at > 0)
                caption[at] = '\t';
        QAction* a = menu->addAction(caption);
        a->setData(id);
        if (!key.isEmpty()) {
            a->setShortcut(key);
            a->setShortcutContext(Qt::WindowShortcut);
            addAction(a); // shortcuts work whichever child has the focus
        }
        connect(a, &QAction::triggered, this, [this, id] { RunCommand(id); });
        m_actions[id] = a;
        return a;
    };

    QMenu* luna = m_pMenuBar->addMenu("&Subventii si Scutiri");
    add(luna, cmd::AdaugareLuna, "Adaugare luna curenta [CTRL + N]", QKeySequence("Ctrl+N"));
    add(luna, cmd::VizualizareLuna, "Vizualizare luna existenta");
    luna->addSeparator();
    add(luna, cmd::SalvareLuna, "Salvare luna curenta [CTRL + S]", QKeySequence("Ctrl+S"));
    add(luna, cmd::FinalizareLuna, "Finalizare luna curenta [CTRL + SHIFT + S]",
        QKeySequence("Ctrl+Shift+S"));
    add(luna, cmd::RedeschideLuna, "Redeschide luna finala");
    luna->addSeparator();
    add(luna, cmd::Renuntare, "Renuntare");

    QMenu* imp = m_pMenuBar->addMenu("&Import");
    add(imp, cmd::ImportConventii, "Import conventii KRENO");

    QMenu* exp = m_pMenuBar->addMenu("&Export");
    add(exp, cmd::ExportAnexe, "Export anexe pentru depunere KRENO");
    add(exp, cmd::SalveazaPeServer, "Salveaza decont pe serverul KRENO");

    QMenu* nom = m_pMenuBar->addMenu("&Nomenclatoare");
    add(nom, cmd::ConstanteSistem, "Constante Sistem");
    nom->addSeparator();
    QMenu* agenti = nom->addMenu("&Agenti");
    add(agenti, cmd::AdaugareAgent, "Adaugare agent nou");
    add(agenti, cmd::ModificareAgent, "Modificare agent existent");
    agenti->addSeparator();
    add(agenti, cmd::SetareAgentImplicit, "Setare agent implicit");

    QMenu* tip = m_pMenuBar->addMenu("&Tiparire Anexe");
    add(tip, cmd::PrintCentralizator, "Centralizator Subventii");
    tip->addSeparator();
    add(tip, cmd::PrintPontaj, "Extras din Pontaj");
    add(tip, cmd::PrintStatPlata, "Extras din statul de plata");
    tip->addSeparator();
    add(tip, cmd::PrintArt80, "Anexa Art. 80");
    add(tip, cmd::PrintArt85, "Anexa Art. 85");
    add(tip, cmd::PrintL116, "Anexa Legea 116");
    add(tip, cmd::PrintL72, "Anexa Legea 72");
    add(tip, cmd::PrintArt93_4, "Anexa Art. 93^4");

    QMenu* opt = m_pMenuBar->addMenu("&Optiuni suplimentare");
    add(opt, cmd::Ajutor, "Ajutor");
    add(opt, cmd::OptiuniAplicatie, "Optiuni aplicatie");
    add(opt, cmd::DespreAplicatie, "Despre aplicatie");
    opt->addSeparator();
    add(opt, cmd::VerificaVersiune, "Verifica versiune noua");
    add(opt, cmd::ActualizeazaSarbatori, "Actualizeaza sarbatorile legale de pe site-ul VORT");
    opt->addSeparator();
    add(opt, cmd::Iesire, "&Iesire [ALT+X]", QKeySequence("Alt+X"));

    SetCommandHandler(cmd::Iesire, [this] { reject(); });
    SetCommandHandler(cmd::DespreAplicatie, [this] {
        CAboutDlg dlg(this);
        platform::RunModal(dlg);
    });
    SetCommandHandler(cmd::OptiuniAplicatie, [this] {
        COptiuniDlg dlg(this);
        if (platform::RunModal(dlg) == QDialog::Accepted)
            theApp().ReadWebOptions();
    });
    SetCommandHandler(cmd::Ajutor, [this] { OnAjutor(); });
    SetCommandHandler(cmd::ModificareAgent, [this] { OnModificareAgent(); });
    SetCommandHandler(cmd::SetareAgentImplicit, [this] { OnSetareAgentImplicit(); });
    SetCommandHandler(cmd::AdaugareAgent, [this] {
        if (!m_runEmployerEditor)
            return RunCommand(-1);
        if (m_runEmployerEditor(""))
            RefreshHeader();
    });
}
