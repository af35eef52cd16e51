#pragma once

#include <QString>

// wl-clipboard's wl-copy, where it is installed. GNOME's compositor takes a clipboard change only from the
// window that has the keyboard focus; wl-copy clears the clipboard on any Wayland desktop, through the
// compositor's data-control protocol where it offers one and through a focused window of its own where not.
class WlClipboard
{
public:
    // wl-copy in the first absolute folder of the search path that has it; empty when none has. Relative
    // entries, which name wherever the program was started from, are passed over.
    static QString Tool(const QString& searchPath);
    // On Wayland, clears the clipboard whoever holds it; true when wl-copy did so.
    static bool Clear();
};
