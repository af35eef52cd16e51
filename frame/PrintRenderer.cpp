#include "frame/PrintRenderer.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>

namespace {
constexpr double kTwipsPerInch = 1440.0;
constexpr double kListPointSize = 8.0;
} // namespace

PrintRenderer::PrintRenderer(QPrinter& printer) : m_printer(printer)
{
    // The face a painter starts with on this printer: the list keeps it and only changes its size and style.
    m_baseFont = QFont(QFont(), &m_printer);
}

QFont PrintRenderer::listFont(bool emphasis) const
{
    QFont font = m_baseFont;
    font.setPointSizeF(kListPointSize);
    font.setItalic(true);
    font.setBold(emphasis);
    return font;
}

double PrintRenderer::toTwips(double device) const
{
    return device * kTwipsPerInch / m_printer.resolution();
}

double PrintRenderer::toDevice(double twips) const
{
    return twips * m_printer.resolution() / kTwipsPerInch;
}

PrintLayout::Metrics PrintRenderer::metrics() const
{
    PrintLayout::Metrics m;
    const QFontMetricsF base(m_baseFont, &m_printer);
    const QFontMetricsF plain(listFont(false), &m_printer);
    const QFontMetricsF bold(listFont(true), &m_printer);
    m.baseWidth = [this, base](const QString& text) { return toTwips(base.horizontalAdvance(text)); };
    m.width = [this, plain, bold](const QString& text, bool emphasis) {
        return toTwips((emphasis ? bold : plain).horizontalAdvance(text));
    };
    m.lineHeight = [this, plain, bold](bool emphasis) { return toTwips((emphasis ? bold : plain).height()); };
    m.printableWidth = toTwips(m_printer.width());
    m.printableHeight = toTwips(m_printer.height());
    return m;
}

bool PrintRenderer::print(const std::vector<PrintLayout::Page>& pages)
{
    QPainter painter;
    if (!painter.begin(&m_printer))
        return false;
    const QFont fonts[2] = {listFont(false), listFont(true)};
    for (size_t page = 0; page < pages.size(); ++page) {
        if (page > 0 && !m_printer.newPage()) {
            m_printer.abort();
            painter.end();
            return false;
        }
        for (const PrintLayout::Row& row : pages[page].rows) {
            const QFont& font = fonts[row.emphasis ? 1 : 0];
            painter.setFont(font);
            const double baseline = toDevice(row.y) + QFontMetricsF(font, &m_printer).ascent();
            for (const PrintLayout::Cell& cell : row.cells) {
                if (!cell.text.isEmpty())
                    painter.drawText(QPointF(toDevice(cell.x), baseline), cell.text);
            }
        }
    }
    return painter.end();
}
