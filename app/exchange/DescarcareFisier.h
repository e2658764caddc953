#pragma once
// One file fetched from the agency's web site into a local file, waited on with a progress
// window: the program's URL-to-file download. A dead or stalled server cannot hold the program:
// the transfer gives up after a time without data, and the user may cancel it. The local file
// is replaced only by a complete, successful download (an error page never takes its place).

#include <string>

class QWidget;

class CDescarcareFisier {
public:
    // Milliseconds without any data after which a download is given up.
    static constexpr int kTimeoutImplicit = 30000;

    explicit CDescarcareFisier(QWidget* pParent = nullptr, int iTimeoutMs = kTimeoutImplicit);

    // Blocks (the window keeps painting) until the download ends; true when the whole body of
    // a successful HTTP response has been written to strPath.
    bool DownloadToFile(const std::string& strUrl, const std::string& strPath);

    // Why the last download failed, for the trace log; empty after a success.
    const std::string& GetLastError() const { return m_strLastError; }
    // When the local file could not take the download (a link, a protected file, a full
    // disk), the sentence for the user; empty when the failure was the network's.
    const std::string& GetLocalError() const { return m_strLocalError; }
    bool WasCancelled() const { return m_bCancelled; }

private:
    QWidget* m_pParent;
    int m_iTimeoutMs;
    std::string m_strLastError;
    std::string m_strLocalError;
    bool m_bCancelled = false;
};
