#include "store/Table.h"

#include "store/AppError.h"

#include <QDateTime>
#include <cmath>
#include <limits>

// The edit buffer: values converted into their stored form, required fields, posting with the
// row version that refuses to overwrite another program's change, and deleting.

namespace {

QString placeholders(int count)
{
    QStringList marks;
    for (int i = 0; i < count; ++i)
        marks << QStringLiteral("?");
    return marks.join(QStringLiteral(", "));
}

} // namespace

QVariant Table::convertIn(const FieldDef& field, const QVariant& value) const
{
    if (value.isNull() || !value.isValid()) return QVariant();
    const auto bad = [&](const QString& why) {
        return AppError(QStringLiteral("%1 alanına yazılamadı: %2").arg(field.name, why));
    };
    const bool isText = value.typeId() == QMetaType::QString;
    const QString text = isText ? value.toString().trimmed() : QString();
    // Numbers and dates typed as blank text are blank.
    if (isText && text.isEmpty() && field.kind != FieldKind::Text && field.kind != FieldKind::Memo)
        return QVariant();
    switch (field.kind) {
    case FieldKind::Text:
    case FieldKind::Memo: {
        QString stored = value.typeId() == QMetaType::QDate
                             ? value.toDate().toString(QStringLiteral("dd.MM.yyyy"))
                             : value.toString();
        if (stored.isEmpty()) return QVariant();
        if (field.kind == FieldKind::Text && stored.size() > field.size)
            stored.truncate(field.size);
        return stored;
    }
    case FieldKind::AutoInc:
    case FieldKind::Integer:
    case FieldKind::Float: {
        bool ok = false;
        const double number = isText ? text.toDouble(&ok) : value.toDouble(&ok);
        if (!ok || !std::isfinite(number))
            throw bad(QStringLiteral("'%1' bir sayı değil").arg(value.toString()));
        if (field.kind == FieldKind::Float) return number;
        const double rounded = std::round(number);
        if (rounded < std::numeric_limits<qint32>::min() ||
            rounded > std::numeric_limits<qint32>::max())
            throw bad(QStringLiteral("%1 sınırların dışında").arg(value.toString()));
        return qint64(rounded);
    }
    case FieldKind::Date: {
        const QDate date = value.typeId() == QMetaType::QDate       ? value.toDate()
                           : value.typeId() == QMetaType::QDateTime ? value.toDateTime().date()
                                                                    : parseDateLiteral(text);
        if (!date.isValid())
            throw bad(QStringLiteral("'%1' geçerli bir tarih değil").arg(value.toString()));
        return date.toString(Qt::ISODate);
    }
    case FieldKind::Time: {
        const QTime time = value.typeId() == QMetaType::QTime       ? value.toTime()
                           : value.typeId() == QMetaType::QDateTime ? value.toDateTime().time()
                                                                    : parseTimeLiteral(text);
        if (!time.isValid())
            throw bad(QStringLiteral("'%1' geçerli bir saat değil").arg(value.toString()));
        return time.toString(QStringLiteral("HH:mm:ss"));
    }
    case FieldKind::Picture: {
        const QByteArray bytes = value.toByteArray();
        return bytes.isEmpty() ? QVariant() : QVariant(bytes);
    }
    }
    return QVariant();
}

void Table::setValue(int index, const QVariant& value)
{
    requireOpen();
    if (state_ != State::Edit && state_ != State::Insert)
        throw AppError(
            QStringLiteral("%1 tablosu düzeltme kipinde değil; alana yazılamaz.").arg(tableName_));
    if (index < 0 || index >= fieldCount())
        throw AppError(
            QStringLiteral("%1 tablosunda %2. alan yok.").arg(tableName_).arg(index + 1));
    if (index == 0 && state_ == State::Edit)
        throw AppError(QStringLiteral("%1 alanı değiştirilemez.").arg(def_.fields.front().name));
    buffer_[size_t(index)] = convertIn(def_.fields[size_t(index)], value);
}

void Table::append()
{
    requireBrowse("yeni kayıt eklenemez");
    if (readOnly_) throw AppError(QStringLiteral("Sorgu sonucu değiştirilemez."));
    buffer_.assign(size_t(fieldCount() + 2), QVariant());
    state_ = State::Insert;
}

void Table::edit()
{
    requireOpen();
    if (state_ == State::Edit || state_ == State::Insert) return;
    if (readOnly_) throw AppError(QStringLiteral("Sorgu sonucu değiştirilemez."));
    checkGeneration();
    const qint64 wanted = hasCurrent_ ? current_[size_t(fieldCount() + 1)].toLongLong() : 0;
    // Within a command on a server the record is held from here to the command's end, and
    // read once held: another workstation's change that came first is built upon, not
    // overwritten. That read is the fresh one, so the record is not read twice.
    const QString lock = connection_.lockRowClause();
    if (lock.isEmpty() || !wanted) reloadCurrent(); // the record as it is now, not as cached
    if (!hasCurrent_)
        throw AppError(QStringLiteral("%1 tablosunda düzeltilecek kayıt yok.").arg(tableName_));
    // Gone meanwhile: the cursor now stands on the record that followed, which the user did
    // not choose to edit.
    if (wanted && currentId() != wanted)
        throw AppError(
            QStringLiteral("Kayıt başka bir kullanıcı tarafından silinmiş; düzeltilemez."));
    if (!lock.isEmpty()) {
        std::vector<SqlRow> rows =
            connection_.select(QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?%4")
                                   .arg(selectList_, source_, sqlName(keyColumn_), lock),
                               {currentId()});
        if (rows.empty())
            throw AppError(
                QStringLiteral("Kayıt başka bir kullanıcı tarafından silinmiş; düzeltilemez."));
        current_ = window_[pos_] = std::move(rows.front());
    }
    buffer_ = current_;
    editVersion_ = current_[size_t(fieldCount())].toLongLong();
    state_ = State::Edit;
}

void Table::cancel()
{
    if (state_ == State::Edit || state_ == State::Insert) state_ = State::Browse;
    buffer_.clear();
}

void Table::post()
{
    requireOpen();
    if (state_ != State::Edit && state_ != State::Insert) return;
    const int n = fieldCount();
    for (int i = 1; i < n; ++i) {
        const FieldDef& field = def_.fields[size_t(i)];
        QVariant& v = buffer_[size_t(i)];
        if (field.kind == FieldKind::Text && !v.isNull() && v.toString().size() > field.size)
            v = v.toString().left(field.size);
        if (field.required && (v.isNull() || (isTextLike(field.kind) && v.toString().isEmpty())))
            throw AppError(QStringLiteral("%1 alanı boş bırakılamaz (%2 tablosu).")
                               .arg(field.name, tableName_));
    }
    QStringList names;
    QVariantList params;
    const bool explicitKey = state_ == State::Insert && !buffer_[0].isNull();
    for (int i = (state_ == State::Insert && !explicitKey) ? 1 : (state_ == State::Edit ? 1 : 0);
         i < n; ++i) {
        names << sqlName(def_.fields[size_t(i)].name);
        params << buffer_[size_t(i)];
    }
    if (state_ == State::Insert) {
        const qint64 id = connection_.insert(
            QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                .arg(source_, names.join(QStringLiteral(", ")), placeholders(int(names.size()))),
            params, keyColumn_);
        if (explicitKey) connection_.raiseKeySequence(tableName_, id);
        buffer_[0] = id;
        buffer_[size_t(n)] = 1;
        buffer_[size_t(n + 1)] = id;
    } else {
        QStringList sets;
        for (const QString& name : names)
            sets << name + QStringLiteral(" = ?");
        const qint64 id = buffer_[size_t(n + 1)].toLongLong();
        params << id << editVersion_;
        const int affected = connection_.exec(
            QStringLiteral("UPDATE %1 SET %2, \"_Surum\" = \"_Surum\" + 1 WHERE %3 = ? AND "
                           "\"_Surum\" = ?")
                .arg(source_, sets.join(QStringLiteral(", ")), sqlName(keyColumn_)),
            params);
        if (affected != 1) {
            const bool exists = connection_
                                    .scalar(QStringLiteral("SELECT count(*) FROM %1 WHERE %2 = ?")
                                                .arg(source_, sqlName(keyColumn_)),
                                            {id})
                                    .toInt() > 0;
            throw AppError(exists ? QStringLiteral("Kayıt siz düzeltirken başka bir kullanıcı "
                                                   "tarafından değiştirilmiş; değişikliğiniz "
                                                   "kaydedilmedi. Kaydı yeniden açıp tekrar "
                                                   "deneyin.")
                                  : QStringLiteral("Kayıt siz düzeltirken başka bir kullanıcı "
                                                   "tarafından silinmiş; değişikliğiniz "
                                                   "kaydedilmedi."));
        }
        buffer_[size_t(n)] = editVersion_ + 1;
    }
    afterWrite(buffer_);
}

bool Table::postIfChanged()
{
    if (state_ == State::Edit) {
        bool changed = false;
        for (int i = 1; i < fieldCount() && !changed; ++i) {
            const FieldDef& field = def_.fields[size_t(i)];
            QVariant v = buffer_[size_t(i)];
            if (field.kind == FieldKind::Text && !v.isNull() && v.toString().size() > field.size)
                v = v.toString().left(field.size);
            const QVariant& stored = current_[size_t(i)];
            changed = v.isNull() != stored.isNull() || (!v.isNull() && v != stored);
        }
        if (!changed) {
            cancel();
            return false;
        }
    }
    post();
    return true;
}

void Table::afterWrite(const SqlRow& row)
{
    state_ = State::Browse;
    SqlRow written = row;
    buffer_.clear();
    setWindow({std::move(written)}, 0);
    recNo_ = -1;
    count_ = -1;
    bof_ = eof_ = false;
}

void Table::remove()
{
    requireBrowse("kayıt silinemez");
    if (readOnly_) throw AppError(QStringLiteral("Sorgu sonucu değiştirilemez."));
    checkGeneration();
    if (!hasCurrent_)
        throw AppError(QStringLiteral("%1 tablosunda silinecek kayıt yok.").arg(tableName_));
    const qint64 id = currentId();
    const int affected = connection_.exec(
        QStringLiteral("DELETE FROM %1 WHERE %2 = ?").arg(source_, sqlName(keyColumn_)), {id});
    count_ = -1;
    const qint64 number = recNo_;
    // The record that followed takes its place; at the end, the one before it.
    if (fetchForward(false)) {
        window_.erase(window_.begin());
        pos_ = 0;
        current_ = window_[0];
        recNo_ = number;
        bof_ = eof_ = false;
    } else if (fetchBackward()) {
        window_.pop_back();
        pos_ = window_.size() - 1;
        current_ = window_[pos_];
        windowHasLast_ = true;
        recNo_ = number > 1 ? number - 1 : -1;
        bof_ = false;
        eof_ = true;
    } else {
        setEmpty();
    }
    if (affected != 1)
        throw AppError(QStringLiteral("Kayıt başka bir kullanıcı tarafından zaten silinmiş."));
}
