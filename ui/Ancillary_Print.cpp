#include "ui/Ancillary.h"

#include "core/PrintLayout.h"
#include "frame/ListBox.h"
#include "frame/Platform.h"
#include "frame/PrintRenderer.h"
#include "frame/SMGLOBAL.h"
#include "ui/Mainform.h"

#include <QPrinter>

void Ancillary::PrintList()
{
    const QString prompt = QStringLiteral("Your password list will be sent to the current default printer.  "
                                          "Select Cancel to Stop, OK to Continue.");
    if (platform().MsgBox(prompt, vbOKCancel + vbInformation, kAppTitle) == vbCancel)
        return;

    std::unique_ptr<QPrinter> printer = platform().DefaultPrinter();
    if (!printer) {
        platform().MsgBox(QStringLiteral("No printer is installed.  Please install a printer and make it the default "
                                         "printer, then try again."),
                          vbExclamation, kAppTitle);
        return;
    }

    PrintRenderer renderer(*printer);
    const QString date = PrintLayout::GeneralDate(platform().now(), QLocale::system());
    const std::vector<PrintLayout::Page> pages =
        PrintLayout::Layout(m_main.List1->entries().items(), date, renderer.metrics());
    if (!renderer.print(pages)) {
        platform().MsgBox(QStringLiteral("The password list could not be printed.  The unfinished printout has been "
                                         "discarded."),
                          vbExclamation, kAppTitle);
        return;
    }
    platform().MsgBox(QStringLiteral("Printing Completed"), vbOKOnly);
}
