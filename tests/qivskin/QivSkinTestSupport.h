#pragma once
// A fixture that starts the skin library in a folder of its own, so that each test chooses
// whether a "skincolors.ini" is there, and ends it however often the test started it.
#include "qivskin/QivSkin.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

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
