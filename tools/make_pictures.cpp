// Draws the program's pictures into resources/: the background tile, the two picture-button images and the
// application icon (as SVG for the launcher and as PNG for the windows, from the same shapes).
// Build and run it with tools/make-pictures.sh; the results are kept in the repository.

#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTextStream>

#include <cstdio>

namespace {

QString outDir;

// A fixed pseudo-random sequence, so that every run draws the same pictures.
quint32 seed = 20260304u;
int noise(int amplitude)
{
    seed = seed * 1664525u + 1013904223u;
    return int((seed >> 16) % quint32(2 * amplitude + 1)) - amplitude;
}

bool save(const QImage& image, const char* name)
{
    const QString path = outDir + QLatin1Char('/') + QLatin1String(name);
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

// A quiet woven texture, light enough that black text on it stays readable. Threads repeat every 5 columns
// and every 4 rows, so the tile's 95 columns and its 88 visible rows (the last row is covered by the next
// row of tiles) join without a seam.
QImage backTile()
{
    QImage image(95, 89, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            int shade = noise(4);
            if (x % 5 == 0)
                shade -= 4;
            if (y % 4 == 0)
                shade -= 3;
            image.setPixel(x, y, qRgb(232 + shade, 228 + shade, 216 + shade));
        }
    }
    return image;
}

void caption(QPainter& painter, const QRect& area, const QString& first, const QString& second)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(15);
    font.setBold(true);
    painter.setFont(font);
    const QString text = first + QLatin1Char('\n') + second;
    painter.setPen(QColor(255, 255, 255, 170));
    painter.drawText(area.translated(1, 1), Qt::AlignCenter, text);
    painter.setPen(QColor(20, 30, 60));
    painter.drawText(area, Qt::AlignCenter, text);
}

QImage pictureButtonBase(const QColor& top, const QColor& bottom)
{
    QImage image(121, 117, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 117);
    sky.setColorAt(0, top);
    sky.setColorAt(1, bottom);
    painter.fillRect(image.rect(), sky);
    for (int y = 0; y < 117; y += 2)
        for (int x = (y / 2) % 2; x < 121; x += 2)
            painter.fillRect(x, y, 1, 1, QColor(255, 255, 255, 18 + noise(6)));
    return image;
}

// An identity card with a portrait, for the button that copies the user ID.
QImage storeUserId()
{
    QImage image = pictureButtonBase(QColor(196, 214, 232), QColor(120, 150, 186));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(60, 70, 90), 1.5));
    painter.setBrush(QColor(250, 248, 240));
    painter.drawRoundedRect(QRectF(16, 10, 89, 58), 6, 6);
    painter.setBrush(QColor(70, 110, 160));
    painter.drawRect(QRectF(16.5, 10.5, 88, 10));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(150, 170, 195));
    painter.drawRect(QRectF(24, 27, 30, 34));
    painter.setBrush(QColor(60, 80, 110));
    painter.drawEllipse(QRectF(31, 30, 16, 16));
    painter.drawChord(QRectF(26, 45, 26, 30), 0, 180 * 16);
    painter.setBrush(QColor(120, 130, 150));
    for (int line = 0; line < 4; ++line)
        painter.drawRect(QRectF(60, 30 + line * 8, line % 2 ? 26 : 38, 3));
    caption(painter, QRect(0, 70, 121, 46), QStringLiteral("Store"), QStringLiteral("User ID"));
    return image;
}

// A brass key over a padlock, for the button that copies the password.
QImage storePassword()
{
    QImage image = pictureButtonBase(QColor(226, 214, 190), QColor(168, 140, 100));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(90, 90, 100), 6));
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(QRectF(44, 8, 34, 36), 0, 180 * 16);
    painter.drawLine(QPointF(44, 26), QPointF(44, 34));
    painter.drawLine(QPointF(78, 26), QPointF(78, 34));
    QLinearGradient body(0, 32, 0, 68);
    body.setColorAt(0, QColor(235, 190, 80));
    body.setColorAt(1, QColor(170, 120, 30));
    painter.setPen(QPen(QColor(110, 75, 20), 1.5));
    painter.setBrush(body);
    painter.drawRoundedRect(QRectF(36, 32, 50, 36), 5, 5);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(60, 40, 15));
    painter.drawEllipse(QRectF(56, 41, 10, 10));
    painter.drawRect(QRectF(59, 48, 4, 12));
    caption(painter, QRect(0, 70, 121, 46), QStringLiteral("Store"), QStringLiteral("Password"));
    return image;
}

// The application icon: a golden padlock on a deep blue rounded square, in a 256-unit square. The same
// shapes are written as SVG and drawn as PNG.
struct IconShapes
{
    QRectF tile{8, 8, 240, 240};
    qreal tileRadius = 44;
    QRectF shackle{84, 44, 88, 100}; // the arc's bounding box; its lower half is hidden by the body
    qreal shackleWidth = 20;
    QRectF body{60, 112, 136, 104};
    qreal bodyRadius = 16;
    QRectF keyholeHead{113, 138, 30, 30};
    QRectF keyholeStem{121, 160, 14, 34};
};

QString svgIcon(const IconShapes& s)
{
    QString svg;
    QTextStream out(&svg);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"0 0 256 256\">\n"
        << "  <title>Password Corvalen</title>\n"
        << "  <defs>\n"
        << "    <linearGradient id=\"tile\" x1=\"0\" y1=\"0\" x2=\"0\" y2=\"1\">\n"
        << "      <stop offset=\"0\" stop-color=\"#2f5d9a\"/>\n"
        << "      <stop offset=\"1\" stop-color=\"#173058\"/>\n"
        << "    </linearGradient>\n"
        << "    <linearGradient id=\"brass\" x1=\"0\" y1=\"0\" x2=\"0\" y2=\"1\">\n"
        << "      <stop offset=\"0\" stop-color=\"#f6cf63\"/>\n"
        << "      <stop offset=\"1\" stop-color=\"#b7801f\"/>\n"
        << "    </linearGradient>\n"
        << "  </defs>\n";
    out << "  <rect x=\"" << s.tile.x() << "\" y=\"" << s.tile.y() << "\" width=\"" << s.tile.width() << "\" height=\""
        << s.tile.height() << "\" rx=\"" << s.tileRadius << "\" fill=\"url(#tile)\"/>\n";
    const qreal r = s.shackle.width() / 2;
    const qreal cx = s.shackle.center().x();
    const qreal top = s.shackle.top() + r;
    out << "  <path d=\"M " << cx - r << ' ' << s.body.top() + 4 << " L " << cx - r << ' ' << top << " A " << r << ' '
        << r << " 0 0 1 " << cx + r << ' ' << top << " L " << cx + r << ' ' << s.body.top() + 4
        << "\" fill=\"none\" stroke=\"#c9ced8\" stroke-width=\"" << s.shackleWidth << "\"/>\n";
    out << "  <rect x=\"" << s.body.x() << "\" y=\"" << s.body.y() << "\" width=\"" << s.body.width() << "\" height=\""
        << s.body.height() << "\" rx=\"" << s.bodyRadius
        << "\" fill=\"url(#brass)\" stroke=\"#7a5212\" stroke-width=\"4\"/>\n";
    out << "  <circle cx=\"" << s.keyholeHead.center().x() << "\" cy=\"" << s.keyholeHead.center().y() << "\" r=\""
        << s.keyholeHead.width() / 2 << "\" fill=\"#3a2608\"/>\n";
    out << "  <rect x=\"" << s.keyholeStem.x() << "\" y=\"" << s.keyholeStem.y() << "\" width=\""
        << s.keyholeStem.width() << "\" height=\"" << s.keyholeStem.height() << "\" rx=\"3\" fill=\"#3a2608\"/>\n";
    out << "</svg>\n";
    return svg;
}

QImage pngIcon(const IconShapes& s, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 256.0, size / 256.0);
    QLinearGradient tile(0, s.tile.top(), 0, s.tile.bottom());
    tile.setColorAt(0, QColor(0x2f, 0x5d, 0x9a));
    tile.setColorAt(1, QColor(0x17, 0x30, 0x58));
    painter.setPen(Qt::NoPen);
    painter.setBrush(tile);
    painter.drawRoundedRect(s.tile, s.tileRadius, s.tileRadius);
    const qreal r = s.shackle.width() / 2;
    const qreal cx = s.shackle.center().x();
    const qreal top = s.shackle.top() + r;
    QPainterPath shackle;
    shackle.moveTo(cx - r, s.body.top() + 4);
    shackle.lineTo(cx - r, top);
    shackle.arcTo(QRectF(cx - r, top - r, 2 * r, 2 * r), 180, -180);
    shackle.lineTo(cx + r, s.body.top() + 4);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0xc9, 0xce, 0xd8), s.shackleWidth, Qt::SolidLine, Qt::FlatCap));
    painter.drawPath(shackle);
    QLinearGradient brass(0, s.body.top(), 0, s.body.bottom());
    brass.setColorAt(0, QColor(0xf6, 0xcf, 0x63));
    brass.setColorAt(1, QColor(0xb7, 0x80, 0x1f));
    painter.setPen(QPen(QColor(0x7a, 0x52, 0x12), 4));
    painter.setBrush(brass);
    painter.drawRoundedRect(s.body, s.bodyRadius, s.bodyRadius);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x3a, 0x26, 0x08));
    painter.drawEllipse(s.keyholeHead);
    painter.drawRoundedRect(s.keyholeStem, 3, 3);
    return image;
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_pictures RESOURCE_DIR\n");
        return 2;
    }
    outDir = QString::fromLocal8Bit(argv[1]);
    bool ok = save(backTile(), "back.png") && save(storeUserId(), "store_userid.png") &&
              save(storePassword(), "store_password.png");
    const IconShapes shapes;
    ok = ok && save(pngIcon(shapes, 256), "password-corvalen-256.png") &&
         save(pngIcon(shapes, 32), "password-corvalen-32.png");
    QFile svg(outDir + QStringLiteral("/password-corvalen.svg"));
    if (!ok || !svg.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 1;
    svg.write(svgIcon(shapes).toUtf8());
    return 0;
}
