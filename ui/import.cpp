#include "ui/import.h"

#include "frame/PictureBox.h"
#include "frame/Twips.h"
#include "ui/Ancillary.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>

namespace {

// An option's caption broken at blanks so that it fits its width, as the option's box wraps it.
QString wrapped(const QString& caption, const QFontMetrics& metrics, int width)
{
    const QStringList words = caption.split(QLatin1Char(' '));
    QString out;
    QString line;
    for (const QString& word : words) {
        const QString candidate = line.isNull() ? word : line + QLatin1Char(' ') + word;
        if (!line.isEmpty() && metrics.horizontalAdvance(candidate) > width) {
            out += line + QLatin1Char('\n');
            line = word;
        } else {
            line = candidate;
        }
    }
    return out + line;
}

// Gives the option its caption in lines that fit beside its button. When they need more room than the
// option has, it grows to the right, up to the right edge given, until they fit.
void setCaption(QRadioButton& option, const QString& caption, int rightEdge)
{
    const QFontMetrics metrics = option.fontMetrics();
    for (;;) {
        QStyleOptionButton styleOption;
        styleOption.initFrom(&option);
        const QRect area = option.style()->subElementRect(QStyle::SE_RadioButtonContents, &styleOption, &option);
        const QString text = wrapped(caption, metrics, area.width());
        if (area.contains(metrics.boundingRect(area, Qt::AlignLeft | Qt::AlignVCenter, text)) ||
            option.geometry().right() >= rightEdge) {
            option.setText(text);
            return;
        }
        option.resize(option.width() + 1, option.height());
    }
}

} // namespace

::import::import(Ancillary& owner, const QWidget* tileSource)
    : FixedDialog(&owner, tileSource, QStringLiteral("Password Corvalen - Import Tool"), 5295, 2535), m_owner(owner)
{
    createControls();
    Form_Load();
}

void import::createControls()
{
    // An opaque panel: the options repaint on it, never on the tiles behind.
    Picture1 = new PictureBox(this);
    Picture1->setGeometry(TwipsRect(240, 120, 4815, 1335));
    Picture1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Picture1->setAutoFillBackground(true);

    Label1 = new QLabel(QStringLiteral("Please Select the Option Desired"), Picture1);
    Label1->setGeometry(TwipsRect(240, 120, 3615, 375));

    const QString captions[2] = {QStringLiteral("Overwrite Existing Password File"),
                                 QStringLiteral(" Merge Password Files")};
    const QRect places[2] = {TwipsRect(240, 600, 1575, 495), TwipsRect(2400, 600, 2055, 495)};
    // The first option may grow up to the second, the second up to the panel's edge.
    const int rightEdges[2] = {places[1].left() - Twips(120), Picture1->contentsRect().right()};
    for (int i = 0; i < 2; ++i) {
        auto* option = new QRadioButton(Picture1);
        option->setGeometry(places[i]);
        setCaption(*option, captions[i], rightEdges[i]);
        option->setAccessibleName(captions[i]);
        option->installEventFilter(this);
        connect(option, &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                Option1_Click(i);
        });
        Option1[size_t(i)] = option;
    }

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setGeometry(TwipsRect(1080, 1680, 1140, 390));
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setGeometry(TwipsRect(2880, 1680, 1140, 390));
    connect(cmdOK, &QPushButton::clicked, this, &import::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &import::cmdCancel_Click);
    setCancelButton(cmdCancel);

    QWidget::setTabOrder(Option1[0], Option1[1]);
    QWidget::setTabOrder(Option1[1], cmdOK);
    QWidget::setTabOrder(cmdOK, cmdCancel);
}

void import::Form_Load()
{
    Dress();
    m_owner.ImportOption = -1;
    cmdOK->setEnabled(false);
}

void import::Option1_Click(int Index)
{
    m_owner.ImportOption = qint16(Index);
    cmdOK->setEnabled(true);
}

void import::cmdOK_Click()
{
    done(QDialog::Accepted);
}

void import::cmdCancel_Click()
{
    m_owner.ImportCancelled = true;
    done(QDialog::Rejected);
}

bool import::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || (watched != Option1[0] && watched != Option1[1]))
        return FixedDialog::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    const bool back = key == Qt::Key_Left || key == Qt::Key_Up;
    if (!back && key != Qt::Key_Right && key != Qt::Key_Down)
        return FixedDialog::eventFilter(watched, event);
    QRadioButton* chosen = Option1[back ? 0 : 1];
    chosen->setFocus();
    chosen->setChecked(true);
    return true;
}

void import::reject()
{
    // An option clicked but not confirmed with OK must not overwrite or merge anything: closing the
    // window counts as Cancel then. With no option clicked the import ends on its own message.
    if (m_owner.ImportOption >= 0)
        m_owner.ImportCancelled = true;
    QDialog::reject();
}
