// The upload of a transfer file to a loopback server that records every byte it receives:
// the request byte for byte, the judgement of the reply, and every way the upload can fail
// without holding the program.

#include "exchange/IncarcareDecont.h"

#include "RecordingServer.h"
#include "TestFiles.h"
#include "WorkFolder.h"
#include "core/VORTAPLApp.h"
#include "platform/MessageBox.h"

#include <QApplication>
#include <QProgressDialog>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <gtest/gtest.h>

#include <filesystem>

using testfiles::WriteFile;
using testhttp::RecordingServer;

namespace {

const std::string kBoundaryLine = "-----------------------------90721038027008\r\n";

class UploadTest : public ::testing::Test {
protected:
    void SetUp() override { theApp().m_strHostName = "127.0.0.1"; }
    // A file of n bytes whose full path has exactly iPathLength characters.
    std::string FileAt(std::size_t iPathLength, std::size_t n) {
        const std::string folder = "/tmp/vortapl-upl-" + std::to_string(::getpid());
        std::filesystem::create_directories(folder);
        m_folder = folder;
        // Long paths are made of folders, a name having at most 255 bytes.
        std::string path = folder + "/";
        while (iPathLength - path.size() - 6 > 200) {
            path += std::string(199, 'd') + "/";
            std::filesystem::create_directories(path);
        }
        path += std::string(iPathLength - path.size() - 6, 'f') + ".crypt";
        std::string bytes(n, '\0');
        for (std::size_t i = 0; i < n; ++i)
            bytes[i] = static_cast<char>(i * 7);
        WriteFile(path, bytes);
        return path;
    }
    void TearDown() override {
        if (!m_folder.empty())
            std::filesystem::remove_all(m_folder);
    }
    bool Upload(const std::string& path, RecordingServer& server, int iReplyMs = 120000) {
        UploadOptions o;
        o.iPort = server.Port();
        o.iReplyTimeoutMs = iReplyMs;
        return UploadSettlementFile(path, nullptr, o);
    }

    testsupport::StartedApp s;
    platform::ScopedMessageRecorder rec;
    std::string m_folder;
};

} // namespace

TEST_F(UploadTest, TheRequestIsWrittenByteForByte) {
    const std::string path = FileAt(40, 900);
    ASSERT_EQ(path.size(), 40u);
    RecordingServer server("HTTP/1.1 200 OK\r\n\r\n<html><b>Fisier valid incarcat cu success</b>");
    EXPECT_TRUE(Upload(path, server));
    EXPECT_TRUE(rec.messages().empty()) << rec.lastText();

    const std::string got = server.Received().toStdString();
    const std::string head =
        "POST /vortapl/incarca_fisiere_pe_server.php HTTP/1.1\r\nHost: VORTAPL\r\nConnection: "
        "Keep-Alive\r\nContent-Type: multipart/form-data; "
        "boundary=---------------------------90721038027008\r\nContent-Length: 1241\r\n\r\n";
    ASSERT_EQ(got.substr(0, head.size()), head);
    const std::string body = got.substr(head.size());
    EXPECT_EQ(body.size(), 1245u);
    const std::string expected =
        kBoundaryLine + "Content-Disposition: form-data; name=\"fisierSursa\"; filename=\"" + path +
        "\"\r\nContent-Type: application/octet-stream\r\n\r\n" + testfiles::ReadFile(path) +
        "\r\n" + kBoundaryLine +
        "Content-Disposition: form-data; name=\"post\"\r\n\r\nsubmit\r\n\r\n"
        "-----------------------------90721038027008--\r\n\r\n";
    EXPECT_EQ(body, expected);
    EXPECT_EQ(UploadRequestHead(path, 900) + testfiles::ReadFile(path) + UploadRequestTrailer(),
              got);
}

TEST_F(UploadTest, AHeadLongerThanOnePieceArrivesWhole) {
    const std::string path = FileAt(1100, 50);
    ASSERT_EQ(path.size(), 1100u);
    RecordingServer server("Fisier valid incarcat cu success");
    EXPECT_TRUE(Upload(path, server));
    EXPECT_GT(UploadRequestHead(path, 50).size(), std::size_t(kUploadPiece));
    EXPECT_EQ(server.Received().toStdString(),
              UploadRequestHead(path, 50) + testfiles::ReadFile(path) + UploadRequestTrailer());
}

TEST_F(UploadTest, OnlyTheSuccessSentenceCounts) {
    const std::string path = FileAt(40, 90);
    for (const char* reply : {"HTTP/1.1 200 OK\r\n\r\nFisier invalid", "", "HTTP/1.1 500 Error"}) {
        RecordingServer server(reply);
        EXPECT_FALSE(Upload(path, server)) << reply;
    }
    EXPECT_TRUE(rec.messages().empty()) << rec.lastText(); // a refusal shows nothing here
    EXPECT_TRUE(std::filesystem::exists(path));
}

TEST_F(UploadTest, FailuresSayWhatHappened) {
    const std::string path = FileAt(40, 90);
    theApp().m_strHostName = "nu-exista.invalid";
    RecordingServer server("x");
    EXPECT_FALSE(Upload(path, server));
    EXPECT_EQ(rec.lastText(), "Eroare la WinsockStart()!");
    EXPECT_EQ(rec.messages().back().icon, platform::Icon::Error);

    theApp().m_strHostName = "127.0.0.1";
    rec.clear();
    EXPECT_FALSE(Upload(path + ".lipsa", server));
    EXPECT_EQ(rec.lastText(), "Fisierul " + path + ".lipsa nu a putut fi deschis pentru citire!");
    EXPECT_EQ(rec.messages().back().caption, "VORTAPL");

    rec.clear();
    UploadOptions closed;
    {
        QTcpServer probe; // a port nobody listens on
        probe.listen(QHostAddress::LocalHost, 0);
        closed.iPort = probe.serverPort();
    }
    EXPECT_FALSE(UploadSettlementFile(path, nullptr, closed));
    EXPECT_EQ(rec.lastText(), "Eroare la conectarea cu serverul KRENO!");

    rec.clear();
    RecordingServer silent("", true);
    EXPECT_FALSE(Upload(path, silent, 300));
    EXPECT_EQ(rec.lastText(),
              "Serverul KRENO nu a raspuns in timp util!\nVa rugam sa incercati mai tarziu.");
}

TEST_F(UploadTest, CancelStopsTheUploadAndSaysSo) {
    const std::string path = FileAt(40, 90);
    RecordingServer silent("", true);
    QTimer::singleShot(400, [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* p = qobject_cast<QProgressDialog*>(w))
                p->cancel();
    });
    EXPECT_FALSE(Upload(path, silent));
    EXPECT_EQ(rec.lastText(), "Trimiterea decontului pe serverul KRENO a fost anulata!");
}
