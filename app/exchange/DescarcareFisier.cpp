#include "exchange/DescarcareFisier.h"

#include "core/TraceLog.h"
#include "exchange/FisierDestinatie.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QProgressDialog>
#include <QSaveFile>
#include <QUrl>

#include <memory>

namespace {
// The progress window appears only for downloads that take noticeably long.
constexpr int kProgressDelayMs = 400;
} // namespace

CDescarcareFisier::CDescarcareFisier(QWidget* pParent, int iTimeoutMs)
    : m_pParent(pParent), m_iTimeoutMs(iTimeoutMs) {}

bool CDescarcareFisier::DownloadToFile(const std::string& strUrl, const std::string& strPath) {
    m_strLastError.clear();
    m_strLocalError.clear();
    m_bCancelled = false;
    const auto fail = [&](const std::string& strWhy) {
        m_strLastError = strWhy;
        core::WriteLog("[ERR][CDescarcareFisier::DownloadToFile] oo-->> " + strUrl + ": " + strWhy);
        return false;
    };

    const QUrl url(QString::fromStdString(strUrl), QUrl::TolerantMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty() || (scheme != "http" && scheme != "https"))
        return fail("adresa nu este valida");

    // The download replaces the local file by rename of a complete copy; a link there would
    // be followed by the copy, and a protected file replaced.
    m_strLocalError = MotivDestinatieRefuzata(strPath);
    if (!m_strLocalError.empty())
        return fail(m_strLocalError);
    QSaveFile file(QString::fromStdString(strPath));
    // The local file could not be written: the user's sentence and the cause for the log.
    const auto failWrite = [&] {
        m_strLocalError = "Fisierul " + strPath + " nu a putut fi scris!";
        return fail("fisierul " + strPath +
                    " nu poate fi scris: " + file.errorString().toStdString());
    };
    if (!file.open(QIODevice::WriteOnly))
        return failWrite();

    QNetworkAccessManager manager;
    QNetworkRequest request(url);
    request.setTransferTimeout(m_iTimeoutMs);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply* reply = manager.get(request);

    QProgressDialog progress(
        QString("Se descarca %1 ...").arg(QFileInfo(QString::fromStdString(strPath)).fileName()),
        "&Renunt", 0, 0, m_pParent);
    progress.setWindowTitle("VORTAPL");
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(kProgressDelayMs);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.setValue(0); // starts the delay after which the window appears

    bool bWriteFailed = false;
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::readyRead, &loop, [&] {
        const QByteArray data = reply->readAll();
        if (!bWriteFailed && file.write(data) != data.size()) {
            bWriteFailed = true;
            reply->abort();
        }
    });
    QObject::connect(reply, &QNetworkReply::downloadProgress, &loop,
                     [&](qint64 iReceived, qint64 iTotal) {
                         // In kilobytes, so that files past 2 GB still fit the bar's int range.
                         if (iTotal > 0 && progress.maximum() != int(iTotal / 1024 + 1))
                             progress.setMaximum(int(iTotal / 1024 + 1));
                         if (progress.maximum() > 0)
                             progress.setValue(int(iReceived / 1024));
                     });
    QObject::connect(&progress, &QProgressDialog::canceled, &loop, [&] {
        m_bCancelled = true;
        reply->abort();
    });
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    loop.exec();

    const std::unique_ptr<QNetworkReply> owned(reply);
    if (reply->bytesAvailable() > 0 && !bWriteFailed) {
        const QByteArray rest = reply->readAll();
        bWriteFailed = file.write(rest) != rest.size();
    }
    progress.reset();
    progress.hide();

    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (m_bCancelled)
        return fail("descarcare anulata");
    if (bWriteFailed)
        return failWrite();
    if (status.isValid() && (status.toInt() < 200 || status.toInt() > 299))
        return fail("serverul a raspuns " + status.toString().toStdString());
    if (reply->error() == QNetworkReply::OperationCanceledError)
        return fail("serverul nu a trimis date timp de " + std::to_string(m_iTimeoutMs) + " ms");
    if (reply->error() != QNetworkReply::NoError)
        return fail(reply->errorString().toStdString());
    if (!file.commit())
        return failWrite();
    return true;
}
