#include "exchange/IncarcareDecont.h"

#include "core/VORTAPLApp.h"
#include "platform/MessageBox.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QHostAddress>
#include <QHostInfo>
#include <QProgressDialog>
#include <QTcpSocket>
#include <QTimer>

namespace {

const char* kBoundary = "---------------------------90721038027008";
const char* kSuccess = "Fisier valid incarcat cu success";

void Eroare(const std::string& strText) {
    platform::ShowMessage(strText, "VORTAPL", platform::Icon::Error);
}

// Runs the event loop until done() holds, the time since the last progress passes iLimitMs,
// or the user cancels. Returns 0 when done, 1 on time-out, 2 on cancel.
int WaitFor(QTcpSocket& socket, QProgressDialog& progress, const std::function<bool()>& done,
            int iLimitMs, QElapsedTimer& idle) {
    QEventLoop loop;
    QTimer tick;
    tick.setInterval(50);
    QObject::connect(&tick, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(&socket, &QTcpSocket::readyRead, &loop, &QEventLoop::quit);
    QObject::connect(&socket, &QTcpSocket::bytesWritten, &loop, &QEventLoop::quit);
    QObject::connect(&socket, &QTcpSocket::stateChanged, &loop, &QEventLoop::quit);
    QObject::connect(&socket, &QTcpSocket::errorOccurred, &loop, &QEventLoop::quit);
    tick.start();
    while (!done()) {
        if (progress.wasCanceled())
            return 2;
        if (idle.elapsed() > iLimitMs)
            return 1;
        loop.exec();
    }
    return 0;
}

} // namespace

std::string UploadRequestHead(const std::string& strPath, long long iFileSize) {
    const long long P = QString::fromStdString(strPath).size();
    std::string h;
    h += "POST /vortapl/incarca_fisiere_pe_server.php HTTP/1.1\r\n";
    h += "Host: VORTAPL\r\n";
    h += "Connection: Keep-Alive\r\n";
    h += std::string("Content-Type: multipart/form-data; boundary=") + kBoundary + "\r\n";
    h += "Content-Length: " + std::to_string(iFileSize + P + 301) + "\r\n";
    h += "\r\n";
    h += std::string("--") + kBoundary + "\r\n";
    h += "Content-Disposition: form-data; name=\"fisierSursa\"; filename=\"" + strPath + "\"\r\n";
    h += "Content-Type: application/octet-stream\r\n";
    h += "\r\n";
    return h;
}

std::string UploadRequestTrailer() {
    std::string t;
    t += "\r\n";
    t += std::string("--") + kBoundary + "\r\n";
    t += "Content-Disposition: form-data; name=\"post\"\r\n";
    t += "\r\n";
    t += "submit\r\n\r\n";
    t += std::string("--") + kBoundary + "--\r\n\r\n";
    return t;
}

int ResolveServerAddress(const std::string& strHost, QHostAddress& address) {
    const QHostInfo info = QHostInfo::fromName(QString::fromStdString(strHost));
    for (const QHostAddress& a : info.addresses())
        if (a.protocol() == QAbstractSocket::IPv4Protocol) {
            address = a;
            return 0;
        }
    theApp().WriteLog("Eroare gethostbyname()");
    return 2;
}

bool UploadSettlementFile(const std::string& strPath, QWidget* pParent,
                          const UploadOptions& options) {
    CVORTAPLApp& app = theApp();
    // HOSTNAME names the host; "host:port" reaches a server on another port than 80.
    std::string strHost = app.m_strHostName;
    int iPort = options.iPort;
    const std::size_t colon = strHost.rfind(':');
    if (colon != std::string::npos && colon + 1 < strHost.size() &&
        strHost.find_first_not_of("0123456789", colon + 1) == std::string::npos &&
        strHost.size() - colon <= 6) {
        iPort = std::stoi(strHost.substr(colon + 1));
        strHost.resize(colon);
    }
    QHostAddress address;
    if (ResolveServerAddress(strHost, address) != 0) {
        Eroare("Eroare la WinsockStart()!");
        return false;
    }
    QFile file(QString::fromStdString(strPath));
    if (!file.open(QIODevice::ReadOnly)) {
        platform::ShowMessage("Fisierul " + strPath + " nu a putut fi deschis pentru citire!",
                              "VORTAPL", platform::Icon::None);
        return false;
    }
    const QByteArray data = file.readAll();
    file.close();
    const std::string head = UploadRequestHead(strPath, data.size());
    const std::string trailer = UploadRequestTrailer();

    QProgressDialog progress("Se trimite decontul pe serverul KRENO...", "Renunta", 0, 100,
                             pParent);
    progress.setWindowTitle("VORTAPL");
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(300);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.setValue(0);

    QTcpSocket socket;
    QElapsedTimer idle;
    idle.start();
    const auto cancelled = [&] {
        socket.abort();
        app.WriteLog("[ERR][UploadSettlementFile] oo-->> anulat de utilizator");
        platform::ShowMessage("Trimiterea decontului pe serverul KRENO a fost anulata!", "VORTAPL",
                              platform::Icon::Information);
        return false;
    };

    socket.connectToHost(address, static_cast<quint16>(iPort));
    int w = WaitFor(
        socket, progress,
        [&] {
            return socket.state() == QAbstractSocket::ConnectedState ||
                   socket.state() == QAbstractSocket::UnconnectedState;
        },
        options.iConnectTimeoutMs, idle);
    if (w == 2)
        return cancelled();
    if (w == 1 || socket.state() != QAbstractSocket::ConnectedState) {
        socket.abort();
        Eroare("Eroare la conectarea cu serverul KRENO!");
        return false;
    }

    // Head, file and trailer: the socket sends them in order; the head and the trailer are
    // handed over in pieces of at most 1024 bytes, the file at once.
    const qint64 iTotal = static_cast<qint64>(head.size() + trailer.size()) + data.size();
    const auto send = [&](const char* p, qint64 n) {
        while (n > 0) {
            const qint64 piece = std::min<qint64>(n, kUploadPiece);
            if (socket.write(p, piece) != piece)
                return false;
            p += piece;
            n -= piece;
        }
        return true;
    };
    if (!send(head.data(), static_cast<qint64>(head.size()))) {
        Eroare("Eroare la trimiterea datelor pe serverul KRENO![1]");
        return false;
    }
    if (socket.write(data) != data.size()) {
        Eroare("Eroare la trimiterea datelor pe serverul KRENO![2]");
        return false;
    }
    if (!send(trailer.data(), static_cast<qint64>(trailer.size()))) {
        Eroare("Eroare la trimiterea datelor pe serverul KRENO![3]");
        return false;
    }

    QByteArray reply;
    qint64 iLastPending = socket.bytesToWrite();
    w = WaitFor(
        socket, progress,
        [&] {
            const qint64 pending = socket.bytesToWrite();
            if (pending != iLastPending) {
                iLastPending = pending;
                idle.restart();
            }
            progress.setValue(
                static_cast<int>(100 * (iTotal - pending) / std::max<qint64>(1, iTotal)));
            if (socket.bytesAvailable() > 0) {
                reply += socket.readAll();
                idle.restart();
            }
            return socket.state() == QAbstractSocket::UnconnectedState;
        },
        options.iReplyTimeoutMs, idle);
    reply += socket.readAll();
    if (w == 2)
        return cancelled();
    if (w == 1) {
        socket.abort();
        app.WriteLog("[ERR][UploadSettlementFile] oo-->> serverul nu a raspuns");
        Eroare("Serverul KRENO nu a raspuns in timp util!\nVa rugam sa incercati mai tarziu.");
        return false;
    }
    if (socket.bytesToWrite() > 0) { // closed before taking the whole request
        Eroare("Eroare la trimiterea datelor pe serverul KRENO![3]");
        return false;
    }
    socket.close();
    const bool ok = reply.contains(kSuccess);
    app.WriteLog(std::string("UploadSettlementFile: raspunsul serverului ") +
                 (ok ? "confirma primirea" : "nu confirma primirea"));
    return ok;
}
