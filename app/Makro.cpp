#include "app/Makro.h"

#include "store/InstallSettings.h"

namespace {

std::vector<FieldSpec> macroFields()
{
    std::vector<FieldSpec> fields;
    for (const char* c = kMacroLetters; *c; ++c)
        fields.push_back(
            {QStringLiteral("Shift + %1 : ").arg(QLatin1Char(*c)), QString(), EditorKind::Text, 0,
             QStringLiteral("Shift + %1 tuşlarına basınca yazılacak metin").arg(QLatin1Char(*c))});
    return fields;
}

} // namespace

TfrmMakro::TfrmMakro(Shell& shell, QWidget* parent)
    : EntryWindow(shell, QStringLiteral("Makro tanımları"), macroFields(), nullptr, parent, false)
{
    setObjectName(QStringLiteral("frmMakro"));
    setSaveHints(QStringLiteral("Makro tanımlarını kayıt et"),
                 QStringLiteral("Makro tanımlarını veya yapılan değişiklikleri kayıt etmeden çık"));
    load();
    resize(520, 640);
}

void TfrmMakro::load()
{
    shell().install.reload();
    for (int i = 0; kMacroLetters[i]; ++i)
        setText(i, shell().install.macro(QLatin1Char(kMacroLetters[i])));
}

void TfrmMakro::save()
{
    QList<QPair<QString, QString>> values;
    for (int i = 0; kMacroLetters[i]; ++i)
        values.append({QStringLiteral("mnu") + QLatin1Char(kMacroLetters[i]), text(i)});
    shell().install.ini().writeStrings(QStringLiteral("MAKRO"), values);
}
