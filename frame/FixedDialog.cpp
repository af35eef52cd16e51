#include "frame/FixedDialog.h"

#include "frame/SHARED.h"
#include "frame/SMBASIC.h"
#include "frame/Twips.h"

#include <QAbstractButton>
#include <QKeyEvent>

FixedDialog::FixedDialog(QWidget* parent, const QWidget* tileSource, const QString& caption, int widthTwips,
                         int heightTwips)
    : QDialog(parent), m_tileSource(tileSource)
{
    setWindowTitle(caption);
    // A window of fixed size: nothing to minimise or maximise, only the close button.
    setWindowFlags(windowFlags() & ~(Qt::WindowContextHelpButtonHint | Qt::WindowMinMaxButtonsHint));
    setFixedSize(Twips(widthTwips), Twips(heightTwips));
}

void FixedDialog::Dress()
{
    SetPointer(*this);
    CentreOnScreen(*this);
}

void FixedDialog::paintEvent(QPaintEvent*)
{
    Form_Paint();
}

void FixedDialog::Form_Paint()
{
    if (m_tileSource)
        TileBackground(*this, *m_tileSource);
}

void FixedDialog::keyPressEvent(QKeyEvent* event)
{
    // Closing the window any other way goes through reject() and leaves the window's answer as it was.
    if (m_cancel && event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        m_cancel->click();
        return;
    }
    QDialog::keyPressEvent(event);
}
