#include "stock/StKartF.h"

#include "app/PictureFrame.h"
#include "stock/StKartE.h"
#include "stock/StockCards.h"
#include "store/CompanyData.h"
#include "store/MoneyFormat.h"
#include "store/Table.h"

#include <QButtonGroup>
#include <QDate>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

FieldSpec text(const char* label, const char* field, int size, const char* hint)
{
    return {QString::fromUtf8(label), QLatin1String(field), EditorKind::Text, size,
            QString::fromUtf8(hint)};
}

FieldSpec number(const char* label, const char* field, const char* hint)
{
    return {QString::fromUtf8(label), QLatin1String(field), EditorKind::Number, 0,
            QString::fromUtf8(hint)};
}

FieldSpec price(const char* label, const char* field, int decimals, const char* hint)
{
    return {QString::fromUtf8(label), QLatin1String(field), EditorKind::Money, decimals,
            QString::fromUtf8(hint)};
}

std::vector<FieldSpec> cardFields(int priceDecimals)
{
    return {
        {QStringLiteral("Stok kodu : "), QStringLiteral("Kodu"), EditorKind::Code, 25,
         QStringLiteral("Stok kartı nosunu giriniz")},
        text("Cinsi : ", "Cinsi", 30, "Stok kartı cinsini giriniz"),
        text("Birim : ", "Birim", 5, "Stok kartı 1. birim açıklamasını giriniz"),
        text("2. Birim : ", "Birim2", 5, "Stok kartı 2. birim açıklamasını giriniz"),
        number("2. Birim oranı : ", "Birim2_O", "Stok kartı 2. birimin 1. birime oranını giriniz"),
        price("Fiyat [1] : ", "Fiyat1", priceDecimals, "Stok kartı 1. fiyatını giriniz"),
        price("Fiyat [2] : ", "Fiyat2", priceDecimals, "Stok kartı 2. fiyatını giriniz"),
        price("Fiyat [3] : ", "Fiyat3", priceDecimals, "Stok kartı 3. fiyatını giriniz"),
        text("Barkod [1] : ", "Barkod_1", 20, "Stok kartı 1. barkod kodunu giriniz"),
        text("Barkod [2] : ", "Barkod_2", 20, "Stok kartı 2. barkod kodunu giriniz"),
        text("Barkod [3] : ", "Barkod_3", 20, "Stok kartı 3. barkod kodunu giriniz"),
        number("Paket adedi : ", "PakAdedi", "Stok kartı ambalaj paket adedini giriniz"),
        number("Paket ağırlığı : ", "PakAgirlik",
               "Stok kartı ambalaj paket ağırlığını (kg/toplam) giriniz"),
        number("Paket hacmi : ", "PakHacmi",
               "Stok kartı ambalaj paket hacmini (m3/toplam) giriniz"),
        number("Kritik Stok : ", "Kritik", "Stok kartı kritik stok seviyesini (birim) giriniz"),
        number("Kdv oranı : ", "Normal", "Stok kartı kdv oranını giriniz"),
        text("Özel kod [1] : ", "OzelKod1", 5, "Stok kartı 1. Özel kodunu giriniz"),
        text("Özel kod [2] : ", "OzelKod2", 5, "Stok kartı 2. Özel kodunu giriniz"),
        text("Özel kod [3] : ", "OzelKod3", 5, "Stok kartı 3. Özel kodunu giriniz"),
        {QStringLiteral("Açıklama : "), QStringLiteral("Aciklama"), EditorKind::Memo, 0,
         QStringLiteral("Stok kartı açıklamasını giriniz, diğer bilgilere geçmek için tab tuşunu "
                        "kullanınız")},
    };
}

} // namespace

namespace {

QString cardCaption(Table& stok, TfrmStKartF::Mode mode)
{
    const QString code = stok[QStringLiteral("Kodu")].asString(),
                  name = stok[QStringLiteral("Cinsi")].asString();
    switch (mode) {
    case TfrmStKartF::Mode::Edit:
        return QStringLiteral("Eski Stok Kartı [%1-%2]").arg(code, name);
    case TfrmStKartF::Mode::Prices:
        return QStringLiteral("Stok kart fiyat değişikliği - [%1 : %2]").arg(code, name);
    default:
        return QStringLiteral("Yeni Stok Kartı");
    }
}

// The card window edits the shared table's record (a new one, or the current one); the price
// window only reads it and saves through its own command.
Table* prepared(Table& stok, TfrmStKartF::Mode mode)
{
    if (mode == TfrmStKartF::Mode::Edit) stok.edit();
    if (mode == TfrmStKartF::Mode::New || mode == TfrmStKartF::Mode::NewWithCode) stok.append();
    return &stok;
}

} // namespace

TfrmStKartF::TfrmStKartF(Shell& shell, Table& stok, Mode mode, const QString& code, QWidget* parent)
    : EntryWindow(shell, cardCaption(stok, mode),
                  cardFields(shell.company && shell.company->kurus()
                                 ? shell.company->settings().priceDecimals()
                                 : 0),
                  prepared(stok, mode), parent)
    , mode_(mode)
    , priceDecimals_(
          shell.company && shell.company->kurus() ? shell.company->settings().priceDecimals() : 0)
{
    setObjectName(mode == Mode::Prices ? QStringLiteral("TfrmStFiyatF")
                                       : QStringLiteral("frmStKartF"));
    setSaveHints(
        QStringLiteral("Stok kart bilgilerini kayıt et"),
        QStringLiteral("Stok kart bilgilerini veya yapılan değişiklikleri kayıt etmeden çık"));
    if (mode != Mode::Prices) {
        addCommand(QStringLiteral("Resim"), QStringLiteral("Resim [F3]"), Qt::Key_F3,
                   QStringLiteral("Stok kartına resim ekle"), [this] { choosePicture(); });
        addCommand(QStringLiteral("Barkod"), QStringLiteral("Barkod [F4]"), Qt::Key_F4,
                   QStringLiteral("Stok kartı barkod etiketi bas"), [this] { printLabel(); });
    }
    addQuickCardKey(QuickCard::Stock, [this] { return QuickTarget{0, text(0)}; });
    setStatusText(0, QStringLiteral("%1-%2 şirketindesiniz")
                         .arg(shell.activeCompanyCode, shell.activeCompanyTitle));
    buildSide();

    editor(0)->installEventFilter(this);
    editor(1)->installEventFilter(this);
    editor(QStringLiteral("Aciklama"))->installEventFilter(this);
    bool fitted = false;
    if (mode == Mode::Prices) {
        kinds_->button(std::clamp(stok[QStringLiteral("MlzKodu")].asInteger(), 0, 3))
            ->setChecked(true);
        catalogue_->button(stok[QStringLiteral("Katalog")].asInteger() == 0 ? 0 : 1)
            ->setChecked(true);
        // Shown only: a click puts the stored choice back.
        const int kind = kinds_->checkedId(), catalogue = catalogue_->checkedId();
        connect(kinds_, &QButtonGroup::idClicked, this,
                [this, kind] { kinds_->button(kind)->setChecked(true); });
        connect(catalogue_, &QButtonGroup::idClicked, this,
                [this, catalogue] { catalogue_->button(catalogue)->setChecked(true); });
        fitted = shell.company->pictureFitted(QStringLiteral("STOK"), stok.currentId());
        loadedPrices_ = typedPrices();
        for (int i = 0; i < editorCount(); ++i)
            editor(i)->setEnabled(i >= 5 && i <= 7);
        // Enter and Down through the prices; Down in the last and Up in the first go round.
        setDownWraps(true);
        setUpWraps(true);
        editor(5)->setFocus();
        fillPanel(); // what the movements say of prices helps to set new ones
    } else if (mode == Mode::Edit) {
        kinds_->button(std::clamp(stok[QStringLiteral("MlzKodu")].asInteger(), 0, 3))
            ->setChecked(true);
        catalogue_->button(stok[QStringLiteral("Katalog")].asInteger() == 0 ? 0 : 1)
            ->setChecked(true);
        fitted = shell.company->pictureFitted(QStringLiteral("STOK"), stok.currentId());
        loadedCode_ = stok[QStringLiteral("Kodu")].asString();
        // The prices as their editors show them: saved back untouched, they are no change.
        loadedPrices_ = typedPrices();
        // The code does not change here; codes change only through the code transfer.
        editor(0)->setEnabled(false);
        editor(1)->setFocus();
        fillPanel();
    } else {
        kinds_->button(0)->setChecked(true);
        catalogue_->button(1)->setChecked(true);
        if (mode == Mode::NewWithCode) {
            setText(0, code);
            editor(0)->setEnabled(false);
            editor(1)->setFocus();
        }
    }
    pictureMode_->button(fitted ? 1 : 0)->setChecked(true);
    showPicture();
}

void TfrmStKartF::buildSide()
{
    auto* side = new QHBoxLayout;
    auto* groups = new QVBoxLayout;
    const auto group = [&](const QString& title, const QStringList& captions) {
        auto* box = new QGroupBox(title, this);
        auto* layout = new QVBoxLayout(box);
        auto* buttons = new QButtonGroup(this);
        for (int i = 0; i < captions.size(); ++i) {
            auto* radio = new QRadioButton(captions[i], box);
            radio->setFocusPolicy(Qt::NoFocus);
            buttons->addButton(radio, i);
            layout->addWidget(radio);
        }
        groups->addWidget(box);
        return buttons;
    };
    kinds_ = group(QStringLiteral(" Stok kart durumu "),
                   {QStringLiteral("Hammadde"), QStringLiteral("Yrd.Malzeme"),
                    QStringLiteral("Ara Mamül"), QStringLiteral("Mamül")});
    pictureMode_ = group(QStringLiteral(" Stok resmini "),
                         {QStringLiteral("Orjinal göster"), QStringLiteral("Sığdır")});
    catalogue_ = group(QStringLiteral("Resim kataloğa "),
                       {QStringLiteral("Eklensin"), QStringLiteral("Eklenmesin")});
    groups->addStretch();
    side->addLayout(groups);
    // Choosing a kind or a picture mode returns to the description.
    connect(kinds_, &QButtonGroup::idClicked, this, [this] { editor(1)->setFocus(); });
    connect(pictureMode_, &QButtonGroup::idClicked, this, [this] {
        showPicture();
        editor(1)->setFocus();
    });

    picture_ = new PictureFrame(QSize(200, 170), this);
    side->addWidget(picture_, 0, Qt::AlignTop);

    auto* panelBox = new QGroupBox(this);
    auto* grid = new QGridLayout(panelBox);
    grid->setVerticalSpacing(2);
    const auto box = [&](const QString& key, int row, int column) {
        auto* edit = new QLineEdit(panelBox);
        edit->setReadOnly(true);
        edit->setFocusPolicy(Qt::NoFocus);
        edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        edit->setMinimumWidth(90);
        grid->addWidget(edit, row, column);
        panel_.emplace_back(key, edit);
    };
    const QStringList rows = {QStringLiteral("Tarih : "), QStringLiteral("Miktar : "),
                              QStringLiteral("Fiyat : "), QStringLiteral("Tutar : ")};
    grid->addWidget(new QLabel(QStringLiteral("ALIŞ"), panelBox), 0, 1, Qt::AlignCenter);
    grid->addWidget(new QLabel(QStringLiteral("SATIŞ"), panelBox), 0, 2, Qt::AlignCenter);
    for (int r = 0; r < rows.size(); ++r) {
        grid->addWidget(new QLabel(rows[r], panelBox), r + 1, 0, Qt::AlignRight);
        box(QStringLiteral("ALIŞ ") + rows[r], r + 1, 1);
        box(QStringLiteral("SATIŞ ") + rows[r], r + 1, 2);
    }
    const QStringList extremes = {
        QStringLiteral("En ucuz alış : "), QStringLiteral("En pahalı alış : "),
        QStringLiteral("En ucuz satış : "), QStringLiteral("En pahalı satış : ")};
    for (int i = 0; i < extremes.size(); ++i) {
        grid->addWidget(new QLabel(extremes[i], panelBox), 5 + i, 0, 1, 2, Qt::AlignRight);
        box(extremes[i], 5 + i, 2);
    }
    const QStringList quantities = {QStringLiteral("GİREN : "), QStringLiteral("ÇIKAN : "),
                                    QStringLiteral("BAKİYE : ")};
    for (int i = 0; i < quantities.size(); ++i) {
        grid->addWidget(new QLabel(quantities[i], panelBox), 9 + i, 0, 1, 2, Qt::AlignRight);
        box(quantities[i], 9 + i, 2);
    }
    side->addWidget(panelBox, 1);
    content()->addLayout(side);
}

QString TfrmStKartF::panelText(const QString& caption) const
{
    for (const auto& [key, edit] : panel_)
        if (key == caption) return edit->text();
    return QString();
}

void TfrmStKartF::fillPanel()
{
    CompanyData& company = *shell().company;
    const StockCards::Panel p = StockCards::panel(company, table()->currentId());
    const QString quantity =
                      company.displayFormat(QStringLiteral("StHar"), QStringLiteral("GMiktari")),
                  price = company.displayFormat(QStringLiteral("StHar"), QStringLiteral("GFiyati")),
                  money = company.moneyFormat();
    const auto set = [this](const QString& key, const QString& value) {
        for (const auto& [k, edit] : panel_)
            if (k == key) edit->setText(value);
    };
    const auto last = [&](const QString& side, const StockCards::LastMovement& m) {
        set(side + QStringLiteral("Tarih : "),
            m.date.isValid() ? m.date.toString(QStringLiteral("dd.MM.yyyy")) : QString());
        set(side + QStringLiteral("Miktar : "), formatNumber(m.quantity, quantity));
        set(side + QStringLiteral("Fiyat : "), formatNumber(m.price, price));
        set(side + QStringLiteral("Tutar : "), formatNumber(m.amount, money));
    };
    last(QStringLiteral("ALIŞ "), p.alis);
    last(QStringLiteral("SATIŞ "), p.satis);
    set(QStringLiteral("En ucuz alış : "), formatNumber(p.cheapestBuy, price));
    set(QStringLiteral("En pahalı alış : "), formatNumber(p.dearestBuy, price));
    set(QStringLiteral("En ucuz satış : "), formatNumber(p.cheapestSale, price));
    set(QStringLiteral("En pahalı satış : "), formatNumber(p.dearestSale, price));
    set(QStringLiteral("GİREN : "), formatNumber(p.giren, quantity));
    set(QStringLiteral("ÇIKAN : "), formatNumber(p.cikan, quantity));
    set(QStringLiteral("BAKİYE : "), formatNumber(p.bakiye, quantity));
}

void TfrmStKartF::showPicture()
{
    picture_->setFitted(pictureMode_->checkedId() == 1);
    picture_->show(table()->fieldByName(QStringLiteral("StokRes")).asBytes());
}

void TfrmStKartF::choosePicture()
{
    const QByteArray bytes = PictureFrame::choose(this, QStringLiteral("Stok kartına resim ekle"));
    if (bytes.isEmpty()) return;
    table()->fieldByName(QStringLiteral("StokRes")).setValue(bytes);
    showPicture();
}

void TfrmStKartF::printLabel()
{
    TfrmStKartE window(shell(), text(0), this);
    window.run();
}

std::array<double, 3> TfrmStKartF::typedPrices() const
{
    std::array<double, 3> prices{};
    for (size_t i = 0; i < 3; ++i)
        prices[i] = value(5 + int(i)).toDouble();
    return prices;
}

void TfrmStKartF::lastFieldEnter()
{
    // Enter in the last price saves the price window.
    if (mode_ == Mode::Prices) MenuIslem(QStringLiteral("Kaydet"));
}

bool TfrmStKartF::validate()
{
    if (mode_ == Mode::Prices) return true;
    const QString code = text(0);
    const bool checkCode = mode_ != Mode::Edit || code.compare(loadedCode_, Qt::CaseSensitive) != 0;
    if (checkCode && shell().company->StockCodeExists(code)) {
        NoticeBox(shell(), QStringLiteral("Stok kart nosu başka bir karta verilmiş"),
                  QStringLiteral("lütfen değiştiriniz !"), QStringLiteral("Stok kart kontrol"),
                  this);
        editor(0)->setEnabled(true);
        editor(0)->setFocus();
        return false;
    }
    return true;
}

void TfrmStKartF::save()
{
    Table& stok = *table();
    if (mode_ == Mode::Prices) {
        StockCards::savePrices(*shell().company, stok.currentId(), loadedPrices_, typedPrices(),
                               priceDecimals_);
        return;
    }
    stok.fieldByName(QStringLiteral("MlzKodu")).setValue(std::max(0, kinds_->checkedId()));
    stok.fieldByName(QStringLiteral("Katalog")).setValue(catalogue_->checkedId() == 0 ? 0 : 1);
    if (StockCards::datesPriceChange(mode_ != Mode::Edit, loadedPrices_, typedPrices(),
                                     priceDecimals_))
        stok.fieldByName(QStringLiteral("DegTarih")).setValue(QDate::currentDate());
    EntryWindow::save();
    shell().company->setPictureFitted(QStringLiteral("STOK"), stok.currentId(),
                                      pictureMode_->checkedId() == 1);
}

bool TfrmStKartF::eventFilter(QObject* watched, QEvent* event)
{
    // Leaving the notes with Tab saves the card, as the last field of the window.
    if (watched == editor(QStringLiteral("Aciklama")) && event->type() == QEvent::FocusOut &&
        isVisible() && static_cast<QFocusEvent*>(event)->reason() == Qt::TabFocusReason) {
        QMetaObject::invokeMethod(
            this, [this] { MenuIslem(QStringLiteral("Kaydet")); }, Qt::QueuedConnection);
        return false;
    }
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Up) {
        // Up from the code goes round to the last special code; from the description to the
        // code while it may be changed, else round as well.
        QWidget* last = editor(QStringLiteral("OzelKod3"));
        if (watched == editor(0)) {
            last->setFocus();
            return true;
        }
        if (watched == editor(1)) {
            (editor(0)->isEnabled() ? editor(0) : last)->setFocus();
            return true;
        }
    }
    return EntryWindow::eventFilter(watched, event);
}
