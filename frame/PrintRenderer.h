#pragma once

#include "core/PrintLayout.h"

#include <QFont>

class QPrinter;

// Draws the printed list's layout on a printer. Twips convert to the printer's own units here, so
// fonts keep their point sizes.
class PrintRenderer
{
public:
    explicit PrintRenderer(QPrinter& printer);

    // Measuring in the printer's font and in the list's font, in twips.
    PrintLayout::Metrics metrics() const;

    // Prints the pages and ends the document. False when the printer refused a step; the unfinished
    // document is then discarded.
    bool print(const std::vector<PrintLayout::Page>& pages);

private:
    QFont listFont(bool emphasis) const;
    double toTwips(double device) const;
    double toDevice(double twips) const;

    QPrinter& m_printer;
    QFont m_baseFont;
};
