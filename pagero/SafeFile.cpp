// Replacing document files through a temporary file renamed into place.
#include "pagero/SafeFile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pagero {

namespace {

QString systemError(int err) {
    return QString::fromLocal8Bit(strerror(err));
}

// The file a path finally names, following symbolic links (also to a file yet to be made).
QString resolveLinks(const QString& path) {
    QString current = QFileInfo(path).absoluteFilePath();
    for (int hops = 0; hops < 40; ++hops) {
        const QFileInfo info(current);
        if (!info.isSymLink())
            return current;
        current = info.symLinkTarget();
    }
    return current;
}

} // namespace

SafeFile::SafeFile(const QString& path) : m_path(path) {}

SafeFile::~SafeFile() {
    discard();
}

bool SafeFile::fail(const QString& reason) {
    m_error = QStringLiteral("Fisierul %1 nu poate fi scris: %2").arg(m_path, reason);
    discard();
    return false;
}

bool SafeFile::open() {
    discard();
    m_error.clear();
    if (m_path.isEmpty())
        return fail(QStringLiteral("lipseste numele"));
    m_target = resolveLinks(m_path);
    const QByteArray target = QFile::encodeName(m_target);
    struct stat st = {};
    const bool exists = ::stat(target.constData(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode))
        return fail(systemError(EISDIR));
    m_inPlace = exists && !S_ISREG(st.st_mode);
    if (m_inPlace) {
        m_writePath = m_target;
        m_fd = ::open(target.constData(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    } else {
        const QFileInfo info(m_target);
        QByteArray temp =
            QFile::encodeName(info.absolutePath() + QStringLiteral("/.") + info.fileName()) +
            ".XXXXXX";
        m_fd = ::mkstemp(temp.data());
        if (m_fd >= 0) {
            m_writePath = QFile::decodeName(temp);
            // The new file keeps the old one's permissions, or gets those of a new file.
            mode_t mode = st.st_mode & 07777;
            if (!exists) {
                const mode_t mask = ::umask(0);
                ::umask(mask);
                mode = 0666 & ~mask;
            }
            ::fchmod(m_fd, mode);
        }
    }
    if (m_fd < 0)
        return fail(systemError(errno));
    m_open = true;
    return true;
}

bool SafeFile::write(const QByteArray& data) {
    if (!m_open)
        return false;
    const char* p = data.constData();
    qsizetype left = data.size();
    while (left > 0) {
        const ssize_t n = ::write(m_fd, p, size_t(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return fail(systemError(n < 0 ? errno : ENOSPC));
        p += n;
        left -= n;
    }
    return true;
}

bool SafeFile::commit() {
    if (!m_open)
        return false;
    // fsync covers what any handle wrote to the file, also a writer's own.
    if (::fsync(m_fd) != 0 && !(m_inPlace && (errno == EINVAL || errno == EROFS)))
        return fail(systemError(errno));
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0)
        return fail(systemError(errno));
    if (!m_inPlace) {
        if (::rename(QFile::encodeName(m_writePath).constData(),
                     QFile::encodeName(m_target).constData()) != 0)
            return fail(systemError(errno));
        // The rename itself reaches the disk with the folder.
        const int dir = ::open(QFile::encodeName(QFileInfo(m_target).absolutePath()).constData(),
                               O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dir >= 0) {
            ::fsync(dir);
            ::close(dir);
        }
    }
    m_open = false;
    m_writePath.clear();
    return true;
}

void SafeFile::discard() {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (m_open && !m_inPlace && !m_writePath.isEmpty())
        ::unlink(QFile::encodeName(m_writePath).constData());
    m_open = false;
    m_writePath.clear();
}

bool writeWholeFile(const QString& path, const QByteArray& data, QString* error) {
    SafeFile file(path);
    if (file.open() && file.write(data) && file.commit())
        return true;
    if (error)
        *error = file.errorString();
    return false;
}

} // namespace pagero
