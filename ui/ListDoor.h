#pragma once

#include <QString>

class EntryList;
class QWidget;

// What a window opened from the main window reaches of it: the entry list, storing and reloading it, and the
// picture every window tiles its background with.
class ListDoor
{
public:
    virtual ~ListDoor() = default;

    virtual EntryList& entries() = 0;
    // Rewrites the file from the list; false when it could not be written (the old file is kept).
    virtual bool StorePasswords() = 0;
    virtual void LoadPasswords(const QString& how) = 0;
    virtual const QWidget* tileSource() const = 0;
    // The window the opened one belongs to.
    virtual QWidget* owner() = 0;
};
