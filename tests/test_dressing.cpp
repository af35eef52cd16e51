#include "support/Fixtures.h"

#include "core/TileGrid.h"
#include "frame/Controls.h"
#include "frame/Pictures.h"
#include "frame/SHARED.h"
#include "frame/SMBASIC.h"
#include "frame/SMGLOBAL.h"
#include "frame/Twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>

namespace {

enum class Kind
{
    PushButton,
    PictureBox,
    Label,
    RadioButton,
    CheckBox,
    ComboBox,
    TextBox,
    ListBox
};

struct CursorCase
{
    Kind kind;
    const char* tag;
    bool hand;
};

QWidget* makeControl(Kind kind, QWidget* parent)
{
    switch (kind) {
    case Kind::PushButton:
        return new QPushButton(parent);
    case Kind::PictureBox:
        return new PictureBox(parent);
    case Kind::Label:
        return new QLabel(parent);
    case Kind::RadioButton:
        return new QRadioButton(parent);
    case Kind::CheckBox:
        return new QCheckBox(parent);
    case Kind::ComboBox:
        return new QComboBox(parent);
    case Kind::TextBox:
        return new QLineEdit(parent);
    case Kind::ListBox:
        return new QListWidget(parent);
    }
    return nullptr;
}

// The program's hand: its own picture, hot spot at the fingertip.
bool hasHand(const QWidget& control)
{
    return control.testAttribute(Qt::WA_SetCursor) && control.cursor().shape() == Qt::BitmapCursor &&
           control.cursor().hotSpot() == QPoint(12, 6);
}

class DressingTest : public CorvalenTest
{
protected:
    void TearDown() override
    {
        SetHandCursorPicture(QString());
        CorvalenTest::TearDown();
    }
};

TEST_F(DressingTest, HandFollowsControlKindAndExactTag)
{
    const CursorCase cases[] = {
        {Kind::PushButton, "", true},      {Kind::PushButton, "NO", false},     {Kind::PushButton, "no", true},
        {Kind::PictureBox, "button", true}, {Kind::PictureBox, "BUTTON", false}, {Kind::Label, "FINGER", true},
        {Kind::Label, "finger", false},    {Kind::RadioButton, "NO", true},     {Kind::CheckBox, "", true},
        {Kind::ComboBox, "", true},        {Kind::TextBox, "button", false},    {Kind::ListBox, "FINGER", false},
    };
    QWidget window;
    std::vector<QWidget*> controls;
    for (const CursorCase& c : cases) {
        QWidget* control = makeControl(c.kind, &window);
        SetTag(control, QString::fromLatin1(c.tag));
        controls.push_back(control);
    }
    SetPointer(window);
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(testing::Message() << "case " << i << " tag \"" << cases[i].tag << "\"");
        EXPECT_EQ(hasHand(*controls[i]), cases[i].hand);
    }
    EXPECT_FALSE(window.testAttribute(Qt::WA_SetCursor));
    EXPECT_TRUE(p->messages.empty());
}

TEST_F(DressingTest, MissingHandCursorIsLoggedWithWindowAndControlThenEnds)
{
    gDoubleBreak = kCrLf + kCrLf;
    QWidget window;
    window.setObjectName(QStringLiteral("frmTest"));
    auto* first = new QLineEdit(&window);
    first->setObjectName(QStringLiteral("Text1"));
    auto* button = new QPushButton(&window);
    button->setObjectName(QStringLiteral("Command1"));
    button->setGeometry(TwipsRect(1440, 2880, 1200, 555));
    SetHandCursorPicture(QStringLiteral("no-such-cursor.xpm"));

    EXPECT_TRUE(Ends([&] { SetPointer(window); }));

    const QString name = QStringLiteral("SetPointerfrmTest2880|1440|1Command1");
    ASSERT_GE(p->messages.size(), 2u);
    EXPECT_EQ(p->messages[0].prompt,
              QStringLiteral("Error has Occurred: Resource with identifier '101' not found-326"));
    EXPECT_EQ(p->messages[0].flags, vbCritical);
    EXPECT_EQ(p->messages[0].title, QStringLiteral("Error In Procedure:") + name);
    QFile log(p->programFile(QStringLiteral("errors.log")));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(log.readAll()).contains(QLatin1Char('|') + name + QLatin1Char('|')));
}

TEST_F(DressingTest, HandIsTwoColoursWithTheHotSpotOnTheFingertipAndTheTileFitsItsBox)
{
    EXPECT_EQ(HandCursor().hotSpot(), QPoint(12, 6));
    const QImage picture = Picture(QStringLiteral("hand.xpm")).toImage();
    ASSERT_EQ(picture.size(), QSize(32, 32));
    EXPECT_EQ(picture.pixelColor(12, 6), QColor(Qt::black));
    for (int y = 0; y < 6; ++y)
        EXPECT_EQ(qAlpha(picture.pixel(12, y)), 0) << "nothing above the fingertip, row " << y;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const QColor c = picture.pixelColor(x, y);
            ASSERT_TRUE(c.alpha() == 0 || c == QColor(Qt::black) || c == QColor(Qt::white)) << x << "," << y;
        }

    PictureBox back;
    back.setFrameStyle(QFrame::Panel | QFrame::Sunken);
    back.setGeometry(TwipsRect(7620, 60, 1455, 1335));
    LoadBackPicture(back);
    EXPECT_EQ(back.contentsRect().size(), QSize(95, 89));
}

// --- Tile positions

struct GridCase
{
    QSize window;
    QSize tile;
    std::vector<int> columns;
    std::vector<int> rows;
};

TEST(TileGrid, RowsOverlapByOnePixelAndColumnsTouch)
{
    const GridCase cases[] = {
        {{200, 178}, {95, 89}, {0, 95, 190}, {0, 88, 176}},
        // A position equal to the window's extent still gets a tile; one past it does not.
        {{190, 176}, {95, 89}, {0, 95, 190}, {0, 88, 176}},
        {{189, 175}, {95, 89}, {0, 95}, {0, 88}},
        {{5, 3}, {2, 2}, {0, 2, 4}, {0, 1, 2, 3}},
    };
    for (const GridCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.window.width() << "x" << c.window.height() << " tile " << c.tile.width()
                                        << "x" << c.tile.height());
        const TileGrid grid(c.window, c.tile);
        EXPECT_EQ(grid.columns(), c.columns);
        EXPECT_EQ(grid.rows(), c.rows);
    }
}

TEST(TileGrid, OnePixelHighTileStillAdvancesAndNoAreaGivesNothing)
{
    const TileGrid grid(QSize(200, 178), QSize(95, 1));
    ASSERT_EQ(grid.rows().size(), 179u);
    EXPECT_EQ(grid.rows().back(), 178);
    EXPECT_TRUE(TileGrid(QSize(200, 178), QSize(0, 89)).isEmpty());
}

// --- Painting

const QColor kBody(40, 90, 160);
const QColor kCorner(250, 20, 20);
const QColor kBottom(20, 200, 20);

// A tile whose top-left pixel and last row are marked, so a painted window shows where each tile began.
QPixmap markedTile(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(kBody);
    for (int x = 0; x < size.width(); ++x)
        image.setPixelColor(x, size.height() - 1, kBottom);
    image.setPixelColor(0, 0, kCorner);
    return QPixmap::fromImage(image);
}

class TiledWindow : public QWidget
{
public:
    TiledWindow(QSize size, QSize tile)
    {
        setFixedSize(size);
        back = new PictureBox(this);
        back->setPixmap(markedTile(tile));
        back->setScaledContents(true);
        back->setGeometry(QRect(QPoint(size.width() + 10, 0), tile));
    }
    PictureBox* back = nullptr;

protected:
    void paintEvent(QPaintEvent*) override { TileBackground(*this, *back); }
};

QColor at(const QImage& image, int x, int y)
{
    return image.pixelColor(x, y);
}

TEST_F(DressingTest, DesignerLookTilesTheWindowFromItsTopLeftAndOnlyWhileOn)
{
    gDesignerMode = false;
    TiledWindow window(QSize(200, 178), QSize(95, 89));
    EXPECT_EQ(window.grab().toImage().pixelColor(0, 0), window.palette().color(QPalette::Window));
    gDesignerMode = true;
    const QImage shot = window.grab().toImage();
    for (int x : {0, 95, 190})
        for (int y : {0, 88, 176}) {
            SCOPED_TRACE(testing::Message() << x << "," << y);
            EXPECT_EQ(at(shot, x, y), kCorner);
        }
    EXPECT_EQ(at(shot, 5, 88), kBody); // the first tile's last row, covered by the second row
    EXPECT_EQ(at(shot, 199, 177), kBody); // tiles reach the far corner
}

} // namespace
