#pragma once
// The upload of a settlement's transfer file to the agency's server (option HOSTNAME, port
// 80): one multipart POST written byte for byte as the server expects it, and success judged
// by the sentence "Fisier valid incarcat cu success" in whatever the server answers before it
// closes the connection.
//
// Unlike a bare blocking socket, the upload cannot hold the program: connecting gives up after
// a time, so does a server that stops answering, and a progress window lets the user cancel.

#include <string>

class QHostAddress;
class QWidget;

// Items 1..10 of the request, up to the file's bytes; Content-Length is L + P + 301 with L
// the file's size and P the length of its path in characters.
std::string UploadRequestHead(const std::string& strPath, long long iFileSize);
// Items 11..16, after the file's bytes.
std::string UploadRequestTrailer();
// The request cut into the pieces it is sent in: at most 1024 bytes each.
constexpr int kUploadPiece = 1024;

// 0 with the first IPv4 address of the host, 2 when the name cannot be resolved.
int ResolveServerAddress(const std::string& strHost, QHostAddress& address);

struct UploadOptions {
    int iPort = 80;
    int iConnectTimeoutMs = 30000;
    int iReplyTimeoutMs = 120000; // without any byte from the server
};

// Sends the file to theApp().m_strHostName; true when the server accepted it. Every failure
// has been shown to the user (a reply without the success sentence shows nothing).
bool UploadSettlementFile(const std::string& strPath, QWidget* pParent,
                          const UploadOptions& options = {});
