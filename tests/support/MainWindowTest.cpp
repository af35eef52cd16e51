#include "MainWindowTest.h"

#include "core/ListItem.h"
#include "frame/ListBox.h"

#include <QFile>

void MainWindowTest::SetUp()
{
    CorvalenTest::SetUp();
    // A help file in place keeps the start-up free of its missing-help message.
    QFile help(p->programFile(QStringLiteral("Corvalen.HLP")));
    ASSERT_TRUE(help.open(QIODevice::WriteOnly));
}

void MainWindowTest::TearDown()
{
    main.reset();
    CorvalenTest::TearDown();
}

void MainWindowTest::start(const QStringList& plainLines)
{
    writePlainFile(plainLines);
    main = std::make_unique<Mainform>();
    main->Form_Load();
    main->Timer1_Timer();
}

QStringList MainWindowTest::names() const
{
    QStringList out;
    for (int i = 0; i < main->List1->ListCount(); ++i)
        out << ListItem::NameOf(main->List1->List(i));
    return out;
}

QString MainWindowTest::selectedName() const
{
    const int i = main->List1->ListIndex();
    return i < 0 ? QString() : ListItem::NameOf(main->List1->List(i));
}

void MainWindowTest::select(const QString& name)
{
    main->List1->setListIndex(int(names().indexOf(name)));
}
