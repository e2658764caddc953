// qivskin-demo: a small host program that skins one window with buttons, edits and lists, so
// the skin library can be seen at work. "skincolors.ini" in the current folder sets its colours.
//
//   qivskin-demo                     shows the window until it is closed
//   qivskin-demo --screenshot FILE   rests the mouse on the close button, saves a picture of the
//                                    whole screen to FILE and ends (for a virtual display)
#include "qivskin/QivSkin.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QTreeWidget>

#include <cstdio>

namespace {

QWidget* buildWindow() {
    auto* w = new QWidget;
    w->setWindowTitle(QStringLiteral("Date angajator - QivSkin"));
    auto* grid = new QGridLayout(w);
    grid->setContentsMargins(12, 10, 12, 10);

    grid->addWidget(new QLabel(QStringLiteral("Denumire:"), w), 0, 0);
    auto* name = new QLineEdit(QStringLiteral("SC Exemplu SRL"), w);
    name->setFrame(false);
    grid->addWidget(name, 0, 1, 1, 2);

    grid->addWidget(new QLabel(QStringLiteral("CIF:"), w), 1, 0);
    auto* cif = new QLineEdit(QStringLiteral("123456"), w);
    cif->setFrame(false);
    cif->setValidator(new QIntValidator(0, 999999999, cif));
    cif->setAlignment(Qt::AlignRight);
    grid->addWidget(cif, 1, 1);

    grid->addWidget(new QLabel(QStringLiteral("Localitate:"), w), 2, 0);
    auto* town = new QLineEdit(QStringLiteral("Bucuresti"), w);
    town->setFrame(false);
    town->setReadOnly(true);
    grid->addWidget(town, 2, 1, 1, 2);

    auto* list = new QListWidget(w);
    list->addItems({QStringLiteral("Art. 80"), QStringLiteral("Art. 85"),
                    QStringLiteral("Art. 93^4"), QStringLiteral("Legea 116"),
                    QStringLiteral("Legea 72")});
    list->setCurrentRow(1);
    grid->addWidget(list, 3, 0, 1, 2);

    auto* table = new QTreeWidget(w);
    table->setHeaderLabels({QStringLiteral("Luna"), QStringLiteral("Stare")});
    table->addTopLevelItem(
        new QTreeWidgetItem({QStringLiteral("2026-10"), QStringLiteral("FINALIZATA")}));
    table->addTopLevelItem(
        new QTreeWidgetItem({QStringLiteral("2026-11"), QStringLiteral("IN CONSTRUCTIE")}));
    grid->addWidget(table, 3, 2);

    grid->addWidget(new QCheckBox(QStringLiteral("Fara rotunjire"), w), 4, 0, 1, 2);

    auto* ok = new QPushButton(QStringLiteral("Salveaza"), w);
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Renunta"), w);
    auto* off = new QPushButton(QStringLiteral("Finalizeaza"), w);
    off->setEnabled(false);
    grid->addWidget(ok, 5, 0);
    grid->addWidget(cancel, 5, 1);
    grid->addWidget(off, 5, 2);
    QObject::connect(ok, &QPushButton::clicked, w, [w] {
        QMessageBox::information(w, QStringLiteral("QivSkin"), QStringLiteral("Salvat."));
    });
    QObject::connect(cancel, &QPushButton::clicked, w, &QWidget::close);
    w->resize(460, 300);
    return w;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QString screenshot;
    const QStringList args = app.arguments();
    const qsizetype at = args.indexOf(QStringLiteral("--screenshot"));
    if (at > 0 && at + 1 < args.size())
        screenshot = args[at + 1];

    if (!InitQivSkinLib()) {
        std::fprintf(stderr, "qivskin-demo: the skin library did not start\n");
        return 1;
    }
    QWidget* window = buildWindow();
    SetQivSkinTo(window, QivModeFull);
    window->move(40, 40);
    window->show();
    window->activateWindow();

    if (!screenshot.isEmpty()) {
        // the close button under the mouse shows its hover image and, after a moment, its tooltip
        QTimer::singleShot(300, window, [window] {
            QCursor::setPos(window->mapToGlobal(QPoint(window->width() - 10 - 6, 7 + 6)));
        });
        QTimer::singleShot(1500, window, [screenshot] {
            const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(0);
            const bool saved = shot.save(screenshot, "PNG");
            if (!saved)
                std::fprintf(stderr, "qivskin-demo: cannot write %s\n", qPrintable(screenshot));
            QCoreApplication::exit(saved ? 0 : 1);
        });
    }
    const int rc = app.exec();
    ReleaseQivSkinFrom(window);
    delete window;
    ExitQivSkinLib();
    return rc;
}
