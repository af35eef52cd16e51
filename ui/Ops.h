#pragma once

#include <QDialog>

class Mainform;

// The options window: protection mode, ending after a copied password, the designer look.
class Ops : public QDialog
{
    Q_OBJECT

public:
    explicit Ops(Mainform& main);

private:
    Mainform& m_main;
};
