#include "ui/Passedit.h"

#include "ui/Mainform.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

// Placeholder; the editor's work fills this in.
Passedit::Passedit(Mainform& main) : QDialog(&main), m_main(main)
{
    for (size_t i = 0; i < Text1.size(); ++i) {
        Text1[i] = new QLineEdit(this);
        Label1[i] = new QLabel(this);
        Command1[i] = new QPushButton(this);
    }
}

void Passedit::Form_Load() {}

void Passedit::Command1_Click(int /*Index*/) {}

void Passedit::Text1_Change(int /*Index*/) {}
