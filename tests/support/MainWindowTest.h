#pragma once

#include "Fixtures.h"

#include "ui/Mainform.h"

#include <memory>

// A test that starts the program on a password file of its own, as a user would start it.
class MainWindowTest : public CorvalenTest
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes the plain lines as the password file, starts the program and lets its timer tick once.
    void start(const QStringList& plainLines);
    // The names in the list, in list order.
    QStringList names() const;
    // The name of the selected entry; empty when nothing is selected.
    QString selectedName() const;
    void select(const QString& name);

    std::unique_ptr<Mainform> main;
};
