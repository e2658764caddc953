#pragma once
// A small HTTP server on the loopback interface, for the download tests. It runs in the
// test's own thread: the download's event loop serves it while it waits.

#include <QByteArray>
#include <QHostAddress>
#include <QString>
#include <QTcpServer>
#include <QTcpSocket>

#include <map>
#include <string>
#include <vector>

namespace testhttp {

class LocalHttpServer {
public:
    struct Page {
        int status = 200;
        QByteArray body;
        bool silent = false; // accepts the request and never answers
    };

    LocalHttpServer() {
        m_server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&m_server, &QTcpServer::newConnection, &m_server, [this] { Accept(); });
    }

    bool Listening() const { return m_server.isListening(); }
    // "http://127.0.0.1:port/"
    std::string BaseUrl() const {
        return "http://127.0.0.1:" + std::to_string(m_server.serverPort()) + "/";
    }
    void Serve(const std::string& path, const QByteArray& body, int status = 200) {
        m_pages[path] = Page{status, body, false};
    }
    void Silent(const std::string& path) { m_pages[path] = Page{200, {}, true}; }
    // Paths requested so far, in order.
    const std::vector<std::string>& Requests() const { return m_requests; }

private:
    void Accept() {
        while (QTcpSocket* s = m_server.nextPendingConnection()) {
            QObject::connect(s, &QTcpSocket::readyRead, s, [this, s] { Read(s); });
            QObject::connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
        }
    }

    void Read(QTcpSocket* s) {
        QByteArray& buf = m_buffers[s];
        buf += s->readAll();
        const int end = buf.indexOf("\r\n\r\n");
        if (end < 0)
            return;
        const QList<QByteArray> line = buf.left(buf.indexOf("\r\n")).split(' ');
        const std::string path = line.size() > 1 ? line[1].toStdString() : std::string();
        m_buffers.erase(s);
        m_requests.push_back(path);
        auto it = m_pages.find(path);
        const Page page = it == m_pages.end() ? Page{404, "Not found", false} : it->second;
        if (page.silent)
            return;
        QByteArray reply = "HTTP/1.1 " + QByteArray::number(page.status) +
                           (page.status == 200 ? " OK" : " Error") +
                           "\r\nContent-Type: application/octet-stream\r\nContent-Length: " +
                           QByteArray::number(page.body.size()) + "\r\nConnection: close\r\n\r\n";
        s->write(reply + page.body);
        s->disconnectFromHost();
    }

    QTcpServer m_server;
    std::map<std::string, Page> m_pages;
    std::map<QTcpSocket*, QByteArray> m_buffers;
    std::vector<std::string> m_requests;
};

} // namespace testhttp
