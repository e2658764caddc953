#pragma once
// A loopback server for the upload tests: it records every byte of one request and answers
// once the request's last boundary has arrived (or never, when silent).

#include <QByteArray>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>

namespace testhttp {

class RecordingServer {
public:
    explicit RecordingServer(QByteArray reply, bool silent = false)
        : m_reply(std::move(reply)), m_silent(silent) {
        m_server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&m_server, &QTcpServer::newConnection, &m_server, [this] {
            while (QTcpSocket* s = m_server.nextPendingConnection())
                QObject::connect(s, &QTcpSocket::readyRead, s, [this, s] { Read(s); });
        });
    }
    int Port() const { return m_server.serverPort(); }
    const QByteArray& Received() const { return m_received; }

private:
    void Read(QTcpSocket* s) {
        m_received += s->readAll();
        if (m_silent || !m_received.endsWith("90721038027008--\r\n\r\n"))
            return;
        s->write(m_reply);
        s->disconnectFromHost();
    }
    QTcpServer m_server;
    QByteArray m_reply, m_received;
    bool m_silent;
};

} // namespace testhttp
