#include "customers/CariEtiket.h"

#include "app/MessageWindow.h"
#include "customers/CustomerCodes.h"
#include "store/AppError.h"
#include "store/InstallSettings.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFontDialog>
#include <QGroupBox>
#include <QHBoxLayout>

using namespace CustomerLabels;

TfrmCariEtiket::TfrmCariEtiket(Shell& shell, QWidget* parent)
    : ReportWindow(shell, QStringLiteral("Cari kart Etiket dökümü"), parent)
{
    setObjectName(QStringLiteral("frmCariEtiket"));
    chooseFont = [this](const QFont& current) -> std::optional<QFont> {
        bool ok = false;
        const QFont chosen = QFontDialog::getFont(&ok, current, this);
        return ok ? std::optional<QFont>(chosen) : std::nullopt;
    };
    commandButton(QStringLiteral("OnIzleme"))->setText(QStringLiteral("Ön izleme [F2]"));
    addCommand(QStringLiteral("Font"), QStringLiteral("Font ayar [F5]"), Qt::Key_F5, QString(),
               [this] {
                   if (const std::optional<QFont> chosen = chooseFont(font)) font = *chosen;
               });
    shell.install.reload();
    const Sheet kept = read(shell.install.ini());
    cards.codes = addTextRange(QStringLiteral("Cari kart nosu : "),
                               QStringLiteral("Cari kart nosu aralığını giriniz (F6 kart listesi)"),
                               &customerCodes());
    cards.il = addText(QStringLiteral("İl : "), QStringLiteral("İl adını giriniz"));
    cards.special = CardCriteria::addSpecialCodes(*this);
    for (int first = 0; first < FieldCount; first += 3) {
        std::vector<std::pair<QString, QString>> row;
        for (int f = first; f < first + 3; ++f)
            row.emplace_back(caption(Field(f)), hint(Field(f)));
        const std::vector<TextCriterion> made = addTextRow(row);
        for (int f = first; f < first + 3; ++f) {
            sheet[size_t(f)] = made[size_t(f - first)];
            sheet[size_t(f)].setText(kept[size_t(f)]);
            // The page length and the prefix keep what is typed; the rest are whole numbers.
            if (f != Uzunluk && f != Eki) keepWholeNumber(sheet[size_t(f)]);
        }
    }
    cards.kind = CardCriteria::addKind(*this);
    cards.order = addChoice(QStringLiteral(" Cari kart listesi "),
                            {QStringLiteral("&Nosuna göre"), QStringLiteral("Ünv&anına göre")}, 1);
    sideBySide({cards.kind.group(), cards.order.group()});

    auto* printed = new QGroupBox(QStringLiteral(" Basım bilgileri "), this);
    auto* row = new QHBoxLayout(printed);
    standard = new QCheckBox(QStringLiteral("Standart etiket"), this);
    standard->setChecked(true);
    const QStringList captions = {QStringLiteral("Firma ünvanı"), QStringLiteral("Yetkili"),
                                  QStringLiteral("Adresi"), QStringLiteral("Posta kodu"),
                                  QStringLiteral("İl / İlçe ")};
    for (size_t i = 0; i < lines.size(); ++i) {
        lines[i] = new QCheckBox(captions[int(i)], printed);
        lines[i]->setChecked(true);
        row->addWidget(lines[i]);
    }
    content()->addWidget(standard);
    content()->addWidget(printed);
    // A click on a choice returns the typing to the field that had it.
    focusLastFieldAfterChoice(cards.kind.group());
    focusLastFieldAfterChoice(cards.order.group());
    auto* boxes = new QButtonGroup(this);
    boxes->setExclusive(false);
    boxes->addButton(standard);
    for (QCheckBox* box : lines)
        boxes->addButton(box);
    for (QAbstractButton* box : boxes->buttons())
        box->setFocusPolicy(Qt::NoFocus);
    focusLastFieldAfterChoice(boxes);
    setWrapFields(true);
    returnToLastField();
    font = QFont(QStringLiteral("Arial"), 8);
    cards.codes.from.edit()->setFocus();
}

Choice TfrmCariEtiket::choice() const
{
    Choice c;
    c.cards = cards.choice();
    for (size_t f = 0; f < sheet.size(); ++f)
        c.sheet[f] = sheet[f].edit()->text();
    c.standard = standard->isChecked();
    c.lines = {lines[0]->isChecked(), lines[1]->isChecked(), lines[2]->isChecked(),
               lines[3]->isChecked(), lines[4]->isChecked()};
    c.font = font;
    return c;
}

bool TfrmCariEtiket::ready(const Choice& c)
{
    const QString refused = refusal(c);
    if (!refused.isEmpty())
        NoticeBox(shell(), QStringLiteral("Etiket ölçüleri hatalı"), refused,
                  QStringLiteral("Etiket kontrol"), this);
    return refused.isEmpty();
}

PageSet TfrmCariEtiket::pages()
{
    const Choice c = choice();
    return ready(c) ? labels(*shell().company, c) : PageSet();
}

void TfrmCariEtiket::preview()
{
    const Choice c = choice();
    if (!ready(c)) return;
    // The first labels show while the rest are made.
    RunningReport running = startLabels(*shell().company, c);
    showPreview(*running.renderer);
}

void TfrmCariEtiket::print()
{
    const PageSet set = pages();
    if (set.pageCount() > 0) printPages(set);
}

void TfrmCariEtiket::leaving()
{
    Sheet s;
    for (size_t f = 0; f < sheet.size(); ++f)
        s[f] = sheet[f].edit()->text();
    write(shell().install.ini(), s);
}
