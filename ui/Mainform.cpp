#include "ui/Mainform.h"

#include "frame/Controls.h"
#include "frame/ListBox.h"
#include "frame/Platform.h"
#include "frame/SHARED.h"
#include "frame/SMGLOBAL.h"
#include "frame/Twips.h"
#include "frame/Pictures.h"
#include "core/Version.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace {

struct ButtonSpec
{
    int index;
    const char* caption;
    int left, top, width, height;
};

// In tab order.
constexpr ButtonSpec kButtons[] = {
    {0, "Add New Password", 0, 0, 1200, 555},    {1, "Delete Password", 1200, 0, 1200, 555},
    {2, "Edit Password", 2400, 0, 1200, 555},    {3, "", 5280, 1500, 1815, 1755},
    {5, "Ancillary Functions", 3600, 0, 1200, 555}, {6, "Program Options", 4800, 0, 1200, 555},
    {4, "Help", 6000, 0, 1200, 555},             {7, "", 60, 1500, 1815, 1755},
};

QLabel* makeLabel(QWidget* parent, const QString& text, const QRect& r)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(r);
    label->setAlignment(Qt::AlignCenter);
    label->setAttribute(Qt::WA_TranslucentBackground);
    return label;
}

void setPictureButton(QPushButton& button, const QString& picture, const QString& words)
{
    button.setIcon(QIcon(Picture(picture)));
    button.setIconSize(button.size() - QSize(8, 8));
    button.setToolTip(words);
    button.setAccessibleName(words);
}

} // namespace

Mainform::Mainform(QWidget* parent) : QWidget(parent)
{
    createControls();
}

Mainform::~Mainform() = default;

void Mainform::createControls()
{
    setWindowTitle(QStringLiteral("Password Corvalen - By Brenhold Systems"));
    setFixedSize(Twips(7200), Twips(3900));

    List1 = new ListBox(this);
    List1->setGeometry(TwipsRect(1980, 1200, 3195, 2460));
    QFont listFont = List1->font();
    listFont.setPointSize(12);
    List1->setFont(listFont);
    connect(List1, &ListBox::DblClick, this, &Mainform::List1_DblClick);

    for (const ButtonSpec& spec : kButtons) {
        auto* button = new WrapButton(QString::fromLatin1(spec.caption), this);
        button->setGeometry(TwipsRect(spec.left, spec.top, spec.width, spec.height));
        // No button answers Enter: the list has the focus, and Enter there must not run a command.
        button->setAutoDefault(false);
        const int index = spec.index;
        connect(button, &QPushButton::clicked, this, [this, index] { Command1_Click(index); });
        Command1[size_t(index)] = button;
    }
    setPictureButton(*Command1[3], QStringLiteral("store_password.png"), QStringLiteral("Store Password"));
    setPictureButton(*Command1[7], QStringLiteral("store_userid.png"), QStringLiteral("Store User ID"));
    QWidget::setTabOrder(List1, Command1[0]);
    for (size_t i = 0; i + 1 < std::size(kButtons); ++i)
        QWidget::setTabOrder(Command1[size_t(kButtons[i].index)], Command1[size_t(kButtons[i + 1].index)]);

    Label1 = makeLabel(this, QStringLiteral("Password List"), TwipsRect(2040, 840, 3075, 375));
    QFont headingFont = Label1->font();
    headingFont.setPointSize(12);
    headingFont.setBold(true);
    Label1->setFont(headingFont);
    Label2 = makeLabel(this, QString(), TwipsRect(5340, 3540, 1755, 255));
    Label3 = makeLabel(this, QString(), TwipsRect(0, 3360, 1935, 495));

    // Lies right of the client area: never seen, only the source of the tiled background.
    Back = new PictureBox(this);
    Back->setGeometry(TwipsRect(7620, 60, 1455, 1335));
    LoadBackPicture(*Back);

    Timer1 = new QTimer(this);
    Timer1->setInterval(1);
    connect(Timer1, &QTimer::timeout, this, &Mainform::Timer1_Timer);

    List1->setFocus();
}

void Mainform::paintEvent(QPaintEvent*)
{
    Form_Paint();
}

void Mainform::Form_Paint()
{
    TileBackground(*this, *Back);
}

void Mainform::gDisableForm()
{
    for (QPushButton* button : Command1)
        button->setEnabled(false);
    List1->setEnabled(false);
}

void Mainform::gEnableForm()
{
    for (QPushButton* button : Command1)
        button->setEnabled(true);
    List1->setEnabled(true);
}

void Mainform::Timer1_Timer()
{
    Timer1->stop();
    Label2->setText(QStringLiteral("Ver.: ") + QString::number(kVersionMajor) + QLatin1Char('.') +
                    QString::number(kVersionMinor) + QLatin1Char('.') + QString::number(kVersionRevision));
    List1->setListIndex(List1->ListCount() > 0 ? 0 : -1);
}
