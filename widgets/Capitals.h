#pragma once

#include <QLineEdit>
#include <QLocale>

// Makes an edit turn what is typed into capitals by Turkish rules (i → İ, ı → I).
inline void typeInCapitals(QLineEdit* edit)
{
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& text) {
        const int at = edit->cursorPosition();
        edit->setText(QLocale(QLocale::Turkish).toUpper(text));
        edit->setCursorPosition(at);
    });
}
