#pragma once
// Writing a document file so that it is either wholly replaced or left as it was (not
// exported). The new content goes to a temporary file in the same folder; every write, the
// flush to disk and the close are checked, and only then is it renamed over the old file.
// A symbolic link is followed: the file it names is replaced and the link stays. A path that
// names a device or a pipe cannot be replaced and is written in place, still checked.

#include <QByteArray>
#include <QString>

namespace pagero {

class SafeFile {
public:
    explicit SafeFile(const QString& path);
    ~SafeFile(); // a file not committed is discarded
    SafeFile(const SafeFile&) = delete;
    SafeFile& operator=(const SafeFile&) = delete;

    bool open();
    bool write(const QByteArray& data);
    // For writers that open the file themselves (the PDF printer): the path they must write,
    // valid after open(); commit once they have closed it.
    QString writePath() const { return m_writePath; }
    // Flushes to disk, closes and renames into place. False on any failure; the old file is
    // then intact and nothing is left behind.
    bool commit();
    void discard();
    // "Fisierul <path> nu poate fi scris: <reason>" after a failure.
    QString errorString() const { return m_error; }

private:
    bool fail(const QString& reason);

    QString m_path;      // as given, for messages
    QString m_target;    // the file replaced (the link's target for a symbolic link)
    QString m_writePath; // the temporary file, or the target itself when written in place
    int m_fd = -1;
    bool m_inPlace = false;
    bool m_open = false;
    QString m_error;
};

// Writes the whole content through a SafeFile; false with the reason in *error.
bool writeWholeFile(const QString& path, const QByteArray& data, QString* error);

} // namespace pagero
