#pragma once

#include <QString>

// The program's longer messages, word for word; paragraphs are joined by CR LF CR LF.
namespace Messages {

// The maker's contact lines, shown at the end of the error log's message and of the help-file message.
QString ContactText();
// Shown once before a file of the earlier layout is converted.
QString UpgradeMessage();
// A store that could not be written: the file on disk is unchanged.
QString StoreFailed(const QString& errorText);
// An entry the store leaves out, as it cannot be written.
QString EntryNotStored(const QString& name);
QString ExportPrompt();
// The start-up's offer to create a missing password file, and the same where the file is a link whose target is
// not there.
QString NoPasswordFile();
QString LinkTargetMissing(const QString& target);
// An entry the list cannot hold: it stays in the file as it is.
QString EntryNotListed(const QString& name);
// The questions before an entry, or the control record while protection is on, is deleted.
QString DeleteEntry(const QString& name);
QString DeleteProtection();
QString ImportPrompt();

} // namespace Messages
