#pragma once
// Helpers shared by the pagero tests: a document subclass that opens the protected operations,
// a fixture with a temporary folder, and hooks that make every dialog fail the test instead of
// blocking.

#include "pagero/MorPrint.h"

#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>
#include <vector>

class TestDoc : public MorPrint {
public:
    using MorPrint::CalculateFont;
    using MorPrint::Conv;
    using MorPrint::Initializari;
    using MorPrint::Paging;
    // The laid-out lines of a page, trailing blanks kept.
    std::vector<std::string> page(int p) {
        std::vector<std::string> lines;
        for (int i = 0; i < GetLinesOnPage(); ++i)
            lines.push_back(GetPageLine(p, i).toStdString());
        return lines;
    }
    int headerRule() const { return m_iHeaderRule; }
    int footerRule() const { return m_iFooterRule; }
    bool needsPaging() const { return m_bNeedsPaging != 0; }
};

inline QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Writes data as the whole file; false when it could not be written in full.
inline bool writeFile(const QString& path, const QByteArray& data) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(data) == data.size();
}

inline QString fixture(const char* name) {
    return QStringLiteral(VORTAPL_TEST_DATA "/pagero/") + QLatin1String(name);
}

inline std::string padded(const std::string& s, int width) {
    std::string out = s.substr(0, size_t(width));
    out.resize(size_t(width), ' ');
    return out;
}

class PageroTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        MorPrint::SetMessageHook([this](const QString& text, const QString& caption, int) {
            m_messages.push_back((caption + QStringLiteral(": ") + text).toStdString());
        });
        MorPrint::SetDialogHook([](QDialog&) {
            ADD_FAILURE() << "a dialog was opened without a test hook";
            return 0;
        });
        MorPrint::SetFileNameHook(
            [](QWidget*, const QString&, const QString&, bool, const QString&) {
                ADD_FAILURE() << "a file name was asked without a test hook";
                return QString();
            });
        MorPrint::SetPrinterSetupHook([](QPrinter&, QWidget*) {
            ADD_FAILURE() << "the printer set-up opened without a test hook";
            return false;
        });
        MorPrint::SetQuestionHook([](const QString& text, const QString&) {
            ADD_FAILURE() << "a question was asked without a test hook: " << text.toStdString();
            return false;
        });
        MorPrint::SetDefaultPrinterFactory(nullptr);
    }
    void TearDown() override {
        MorPrint::SetMessageHook(nullptr);
        MorPrint::SetDialogHook(nullptr);
        MorPrint::SetFileNameHook(nullptr);
        MorPrint::SetPrinterSetupHook(nullptr);
        MorPrint::SetQuestionHook(nullptr);
        MorPrint::SetDefaultPrinterFactory(nullptr);
    }
    QString path(const char* name) const { return m_dir.filePath(QLatin1String(name)); }
    QString folder() const { return m_dir.path(); }

    QTemporaryDir m_dir;
    std::vector<std::string> m_messages;
};
