#include "ui/Ops.h"

#include "ui/Mainform.h"

// Placeholder; the options work fills this in.
Ops::Ops(Mainform& main) : QDialog(&main), m_main(main) {}
