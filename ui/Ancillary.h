#pragma once

#include <QDialog>

class Mainform;

// The ancillary window: export to removable media, import, the printed list.
class Ancillary : public QDialog
{
    Q_OBJECT

public:
    explicit Ancillary(Mainform& main);

private:
    Mainform& m_main;
};
