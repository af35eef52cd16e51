#include "ui/Ancillary.h"

#include "ui/Mainform.h"

// Placeholder; the ancillary work fills this in.
Ancillary::Ancillary(Mainform& main) : QDialog(&main), m_main(main) {}
