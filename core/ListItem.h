#pragma once

#include <QString>

// The in-memory form of one entry, as the main list holds it:
// name, four tabs, password, one tab, user ID. Every window splits it the same way.
namespace ListItem {

inline const QString kControlName = QStringLiteral("Password Corvalen");
inline const QString kNameGap = QStringLiteral("\t\t\t\t");

struct Fields
{
    QString name;
    QString password;
    QString userId;
};

// The one way a list item is made, from text or straight from the bytes of an ASCII line.
template <class Char>
QString MakeFrom(const Char* name, qsizetype nameLength, const Char* password, qsizetype passwordLength,
                 const Char* userId, qsizetype userIdLength);
QString Make(QStringView name, QStringView password, QStringView userId);

// p1 is the first tab, p2 the first tab from p1 + 4 on. False when the item cannot be taken apart
// that way (no tab, or no tab after the password).
bool Split(const QString& item, Fields& out);

// The fields as the windows show and print them: the control record's password without its mode digit
// and no user ID. An item that cannot be taken apart shows its name only.
Fields Shown(const QString& item);

// The characters before the first tab; the whole item when it has none.
QString NameOf(const QString& item);

// The control record is the entry named exactly "Password Corvalen", letter case included.
bool IsControlRecord(const QString& item);

struct ControlField
{
    QString programPassword;
    qint16 mode = 0;
};

// The control record's password field: the program password followed by the one-digit mode.
// A last character that is not a digit gives mode 0; the password still loses that character.
ControlField DecodeControl(const QString& passwordField);

// The list form of the control record: the mode digit after the password, a blank as user ID.
QString MakeControl(const QString& programPassword, qint16 mode);

// The mode as the one character the control record carries.
QString ModeDigit(qint16 mode);

template <class Char>
QString MakeFrom(const Char* name, qsizetype nameLength, const Char* password, qsizetype passwordLength,
                 const Char* userId, qsizetype userIdLength)
{
    QString item(nameLength + passwordLength + userIdLength + 5, Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(item.data());
    const auto copy = [&out](const Char* from, qsizetype length) {
        for (qsizetype i = 0; i < length; ++i)
            *out++ = char16_t(from[i]);
    };
    copy(name, nameLength);
    for (int i = 0; i < 4; ++i)
        *out++ = u'\t';
    copy(password, passwordLength);
    *out++ = u'\t';
    copy(userId, userIdLength);
    return item;
}

} // namespace ListItem
