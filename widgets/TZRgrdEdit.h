#pragma once

#include "widgets/TZemrakSEdit.h"

// The VAT rate entry: the money keypad, but its text may stay empty and space does nothing.
class TZRgrdEdit : public TZemrakSEdit {
    Q_OBJECT
public:
    explicit TZRgrdEdit(QWidget* parent = nullptr);
    int id = 0;
};
