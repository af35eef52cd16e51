#pragma once

#include "core/FileOps.h"
#include "core/PasswordFile.h"

#include <QByteArray>
#include <QString>

#include <vector>

class FileWriter;

// The one owner of the password file for one run of the program: where it is, reading it, every write the
// program makes beside it (the content, the backup copy, the ".hidden" list, the empty file of a first run) and
// onto the removable medium, and the leftovers of interrupted writes. Every write goes through the one
// FileWriter. Failures raise RunError.
class PasswordStore
{
public:
    PasswordStore(QString programDir, FileWriter& writer);

    // The program folder's Password.dat, in any letter case; the file a link there leads to when the user made
    // it a link.
    QString path() const;
    // The entry in the program folder, a link itself when the user made one.
    QString programEntry() const;
    // A link in the program folder whose target is not there (a stick or a vault not mounted yet).
    bool linkTargetMissing() const;
    QString backupPath() const;

    // The start of a run: the leftovers of earlier runs go, beside the program folder's entry and beside the file
    // a link there leads to, and the next change keeps a new backup copy.
    void StartRun();

    // The whole file; raises 53 when it is not there.
    QByteArray Read() const;
    // The file read for the list. The plain lines the list cannot hold are kept for the next store.
    PasswordFile::Loaded Load();
    const std::vector<QString>& unlisted() const { return m_unlisted; }

    // Replaces the file with stored content (PasswordFile::StoreItems, with unlisted()), keeping the file as it
    // was before the run's first change as its backup copy. Content the program could not read back (larger than
    // it reads) is refused and nothing is written.
    void Write(const QByteArray& content);
    // Replaces an earlier-layout file with its conversion, under the same rules.
    void WriteConverted(const std::vector<QString>& plainLines);
    // Replaces the file with a password file from elsewhere, whole. The file as it was is its backup copy, and
    // the conversion that may follow keeps that copy. Refused, with nothing written, when the file or its
    // conversion would be larger than the program reads.
    void Replace(const QByteArray& content);
    // Gives the file the hidden attribute.
    void Hide();
    // Creates the empty, hidden file the user asked for when the file had gone; a link whose target is missing
    // gets it at its target. A file already there is left as it is.
    void CreateEmpty();
    // The first run's empty file: only where the program folder has no entry of that name at all, so a link the
    // user made is never replaced, nor written through while its target is away.
    void CreateFirstRunFile();

    // The file on a removable medium: password.dat in any letter case, resolved the one way both the export and
    // the import use.
    static QString MediumFile(const QString& folder);
    // Copies the file to the medium, in one step, with normal attributes; nothing there is read or written
    // through a link.
    void Export(const QString& folder);
    // The medium's file, never read through a link.
    QByteArray ReadMedium(const QString& folder) const;

    // The largest file the program reads back; smaller in tests.
    void setMaxFileSize(qsizetype bytes) { m_maxFileSize = bytes; }

private:
    void backUpOnce();
    void checkSize(qsizetype size) const;

    QString m_programDir;
    FileWriter& m_writer;
    std::vector<QString> m_unlisted;
    bool m_backedUp = false;
    qsizetype m_maxFileSize = FileOps::kMaxFileSize;
};
