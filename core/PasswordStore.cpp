#include "core/PasswordStore.h"

#include "core/FileWriter.h"
#include "core/RunError.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString kMediumName = QStringLiteral("password.dat");
const QString kBackupSuffix = QStringLiteral(".bak");

// The names of the files the program writes in the folder of the file called name.
QStringList writtenBeside(const QString& name)
{
    return {name, name + kBackupSuffix, FileOps::kHiddenList};
}

} // namespace

PasswordStore::PasswordStore(QString programDir, FileWriter& writer)
    : m_programDir(std::move(programDir)), m_writer(writer)
{
}

QString PasswordStore::programEntry() const
{
    return FileOps::ResolveName(m_programDir, PasswordFile::kFileName);
}

QString PasswordStore::path() const
{
    return FileOps::LinkTarget(programEntry());
}

bool PasswordStore::linkTargetMissing() const
{
    const QString entry = programEntry();
    return QFileInfo(entry).isSymLink() && !QFileInfo::exists(entry);
}

QString PasswordStore::backupPath() const
{
    const QFileInfo info(path());
    return FileOps::ResolveName(info.absolutePath(), info.fileName() + kBackupSuffix);
}

void PasswordStore::StartRun()
{
    m_backedUp = false;
    const QFileInfo entry(programEntry());
    FileOps::RemoveLeftovers(entry.absolutePath(), writtenBeside(entry.fileName()));
    const QFileInfo target(path());
    if (target.absoluteFilePath() != entry.absoluteFilePath() && target.absoluteDir().exists())
        FileOps::RemoveLeftovers(target.absolutePath(), writtenBeside(target.fileName()));
}

QByteArray PasswordStore::Read() const
{
    return FileOps::ReadAll(path(), true, m_maxFileSize);
}

PasswordFile::Loaded PasswordStore::Load()
{
    PasswordFile::Loaded loaded = PasswordFile::Load(Read());
    m_unlisted = loaded.unlisted;
    return loaded;
}

void PasswordStore::checkSize(qsizetype size) const
{
    if (size > m_maxFileSize)
        throw FileOps::DescribedError(RunError::OutOfMemory,
                                      QStringLiteral("the Password File would be larger than the 256 MB the program "
                                                     "can read"));
}

void PasswordStore::backUpOnce()
{
    if (m_backedUp)
        return;
    const QString file = path();
    const QString copy = backupPath();
    try {
        if (QFileInfo::exists(file)) {
            m_writer.Write(copy, FileOps::ReadAll(file, true, m_maxFileSize));
            FileOps::SetAttr(copy, FileOps::kAttrHidden, m_writer);
        }
    } catch (const RunError& error) {
        throw FileOps::DescribedError(error.number(),
                                      QStringLiteral("the backup copy ") + copy + QStringLiteral(" cannot be written"));
    }
    m_backedUp = true;
}

void PasswordStore::Write(const QByteArray& content)
{
    checkSize(content.size());
    backUpOnce();
    m_writer.Write(path(), content);
}

void PasswordStore::WriteConverted(const std::vector<QString>& plainLines)
{
    Write(PasswordFile::Content(plainLines));
}

void PasswordStore::Replace(const QByteArray& content)
{
    checkSize(content.size());
    if (PasswordFile::Load(content).scan.earlierLayout)
        checkSize(
            PasswordFile::Content(PasswordFile::ConvertLines(PasswordFile::PlainLines(content)).plainLines).size());
    m_backedUp = false; // the file as it is now is the state before this change
    Write(content);
}

void PasswordStore::Hide()
{
    FileOps::SetAttr(path(), FileOps::kAttrHidden, m_writer);
}

void PasswordStore::CreateEmpty()
{
    const QString file = path();
    if (FileOps::EntryExists(file))
        return;
    m_writer.Write(file, QByteArray());
    Hide();
}

void PasswordStore::CreateFirstRunFile()
{
    if (!FileOps::EntryExists(programEntry()))
        CreateEmpty();
}

QString PasswordStore::MediumFile(const QString& folder)
{
    return FileOps::ResolveName(folder, kMediumName);
}

void PasswordStore::Export(const QString& folder)
{
    const QString target = MediumFile(folder);
    // What an interrupted export left behind goes first.
    FileOps::RemoveLeftovers(folder, {QFileInfo(target).fileName(), FileOps::kHiddenList});
    m_writer.Write(target, Read());
    FileOps::SetAttr(target, FileOps::kAttrNormal, m_writer);
}

QByteArray PasswordStore::ReadMedium(const QString& folder) const
{
    return FileOps::ReadAll(MediumFile(folder), false, m_maxFileSize);
}
