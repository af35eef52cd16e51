#include "frame/QtDialogs.h"

#include "frame/SMGLOBAL.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QGridLayout>
#include <QInputDialog>
#include <QMessageBox>
#include <QStyle>

int QtDialogs::MsgBox(const QString& prompt, int flags, const QString& title)
{
    QMessageBox box;
    box.setWindowTitle(title.isEmpty() ? kAppTitle : title);
    QString text = prompt;
    text.replace(kCrLf, QStringLiteral("\n"));
    box.setText(text);
    box.setTextFormat(Qt::PlainText);
    switch (flags & 0x70) {
    case vbCritical: box.setIcon(QMessageBox::Critical); break;
    case vbQuestion: box.setIcon(QMessageBox::Question); break;
    case vbExclamation: box.setIcon(QMessageBox::Warning); break;
    case vbInformation: box.setIcon(QMessageBox::Information); break;
    default: break;
    }
    if ((flags & 0x7) == vbOKCancel) {
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Cancel);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    // The box is at least as wide as its title bar needs: the title in the title bar's bold face beside the
    // window's icon and three buttons. Qt allows the title little more than its plain width, and a title
    // bar then cuts it short.
    QFont titleFont = QApplication::font("QMdiSubWindowTitleBar");
    titleFont.setBold(true);
    const int titleWidth = QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) +
                           4 * box.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &box);
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(titleWidth, 0, QSizePolicy::Fixed, QSizePolicy::Minimum), grid->rowCount(), 0, 1,
                      grid->columnCount());
    return box.exec() == QMessageBox::Ok ? vbOK : vbCancel;
}

void QtDialogs::ShowModal(QDialog& window)
{
    window.exec();
}

QString QtDialogs::ChooseFolder(const QString& title, const QString& start)
{
    // The desktop's own chooser where it offers one (through its portal on Wayland).
    return QFileDialog::getExistingDirectory(QApplication::activeModalWidget(), title, start,
                                             QFileDialog::ShowDirsOnly);
}

int QtDialogs::ChooseItem(const QString& title, const QString& label, const QStringList& items)
{
    bool ok = false;
    const QString chosen = QInputDialog::getItem(QApplication::activeModalWidget(), title, label, items, 0, false, &ok);
    return ok ? int(items.indexOf(chosen)) : -1;
}
