#include "frame/SMBASIC.h"

// Placeholder bodies; the window-dressing work fills these in.

bool Help_File_In_Path()
{
    return true;
}

void Help_File_Missing() {}

void SetPointer(QWidget& /*window*/) {}
