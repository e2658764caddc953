#pragma once
// A fixture that starts the skin library in a folder of its own, so that each test chooses
// whether a "skincolors.ini" is there, and ends it however often the test started it; and a
// host window with the child controls the library takes over.
#include "qivskin/QivSkin.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QValidator>
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>

class SkinTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_previous = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
    }
    void TearDown() override {
        while (ExitQivSkinLib()) {
        }
        QDir::setCurrent(m_previous);
    }
    void writeSettings(const QByteArray& text) {
        QFile f(m_dir.filePath(QStringLiteral("skincolors.ini")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text);
    }

    QTemporaryDir m_dir;
    QString m_previous;
};

// A top-level window with its controls placed by hand, as a dialog template would place them.
struct Host {
    std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
    QPushButton* button = new QPushButton(QStringLiteral("OK"), window.get());
    QLineEdit* edit = new QLineEdit(window.get());
    QLineEdit* number = new QLineEdit(window.get());
    QLineEdit* framed = new QLineEdit(window.get());
    QLabel* label = new QLabel(QStringLiteral("Nume:"), window.get());
    QListWidget* list = new QListWidget(window.get());
    QTreeWidget* tree = new QTreeWidget(window.get());

    Host() {
        window->setWindowTitle(QStringLiteral("Gazda"));
        window->resize(300, 200);
        button->setGeometry(10, 150, 80, 24);
        edit->setGeometry(10, 10, 120, 30);
        edit->setFrame(false);
        number->setGeometry(10, 50, 120, 30);
        number->setFrame(false);
        number->setValidator(new QIntValidator(number));
        framed->setGeometry(150, 10, 120, 24);
        label->setGeometry(150, 50, 60, 20);
        list->setGeometry(10, 90, 100, 50);
        tree->setGeometry(150, 90, 100, 50);
    }
};

inline void sendMouse(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButton button,
                      Qt::MouseButtons held) {
    QMouseEvent e(type, QPointF(pos), QPointF(w->mapToGlobal(pos)), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}
