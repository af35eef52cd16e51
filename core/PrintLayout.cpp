#include "core/PrintLayout.h"

#include "core/ListItem.h"

#include <QRegularExpression>

#include <cmath>

namespace PrintLayout {

namespace {

int roundTwips(double value)
{
    return int(std::lround(value));
}

// Places rows one line below the other, moving to a new page when a row would pass the bottom.
class RowPlacer
{
public:
    RowPlacer(const Metrics& metrics, std::vector<Page>& pages) : m_metrics(metrics), m_pages(pages)
    {
        m_pages.emplace_back();
    }

    void place(bool emphasis, std::vector<Cell> cells)
    {
        const double height = m_metrics.lineHeight(emphasis);
        // A page always takes at least one row, however small it is.
        if (m_y > 0 && m_y + height > m_metrics.printableHeight) {
            m_pages.emplace_back();
            m_y = 0;
        }
        m_pages.back().rows.push_back(Row{roundTwips(m_y), emphasis, std::move(cells)});
        m_y += height;
    }

private:
    const Metrics& m_metrics;
    std::vector<Page>& m_pages;
    double m_y = 0;
};

} // namespace

Columns ColumnsFor(const Metrics& metrics)
{
    Columns columns;
    columns.name = 0;
    columns.userId = roundTwips(columns.name + metrics.baseWidth(kNameSample));
    columns.password = roundTwips(columns.userId + metrics.baseWidth(kUserIdSample));
    return columns;
}

std::vector<Page> Layout(const std::vector<QString>& items, const QString& dateText, const Metrics& metrics)
{
    const Columns columns = ColumnsFor(metrics);
    std::vector<Page> pages;
    RowPlacer placer(metrics, pages);

    // A title wider than the whole area starts at its left edge rather than off the page.
    const int titleX = std::max(0, roundTwips(metrics.printableWidth - metrics.width(kTitle, true)));
    placer.place(true, {Cell{0, QStringLiteral("Date Run: ") + dateText}, Cell{titleX, kTitle}});
    placer.place(true, {});
    placer.place(true, {Cell{columns.name, QStringLiteral("Password Name")},
                        Cell{columns.userId, QStringLiteral("Password User ID")},
                        Cell{columns.password, QStringLiteral("Password")}});

    for (const QString& item : items) {
        ListItem::Fields fields = ListItem::Shown(item);
        placer.place(false, {Cell{columns.name, std::move(fields.name)}, Cell{columns.userId, std::move(fields.userId)},
                             Cell{columns.password, std::move(fields.password)}});
    }
    return pages;
}

QString GeneralDate(const QDateTime& when, const QLocale& locale)
{
    const QString date = locale.toString(when.date(), QLocale::ShortFormat);
    if (when.time() == QTime(0, 0))
        return date;
    QString timeFormat = locale.timeFormat(QLocale::LongFormat);
    // The zone ("t") is no part of the general date.
    static const QRegularExpression zone(QStringLiteral("\\s*\\bt+\\b"));
    timeFormat.remove(zone);
    return date + QLatin1Char(' ') + locale.toString(when.time(), timeFormat.trimmed());
}

} // namespace PrintLayout
