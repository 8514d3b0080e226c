#include "store/Table.h"

#include "store/AppError.h"
#include "store/TextRules.h"

#include <QDateTime>
#include <cmath>
#include <limits>

// The edit buffer: values converted into their stored form, required fields, posting with the
// row version that refuses to overwrite another program's change, and deleting.

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
        QString stored =
            value.typeId() == QMetaType::QDate ? DateText(value.toDate()) : value.toString();
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
    const bool lock = !connection_.lockRowClause().isEmpty();
    if (!lock || !wanted) reloadCurrent(); // the record as it is now, not as cached
    if (!hasCurrent_)
        throw AppError(QStringLiteral("%1 tablosunda düzeltilecek kayıt yok.").arg(tableName_));
    // Gone meanwhile: the cursor now stands on the record that followed, which the user did
    // not choose to edit.
    std::optional<SqlRow> held;
    if ((wanted && currentId() != wanted) || (lock && !(held = readHeld(currentId(), false))))
        throw AppError(
            QStringLiteral("Kayıt başka bir kullanıcı tarafından silinmiş; düzeltilemez."));
    if (held) current_ = window_[pos_] = std::move(*held);
    startEdit();
}

std::optional<SqlRow> Table::readHeld(qint64 id, bool filtered)
{
    const QString key = sqlName(keyColumn_) + QStringLiteral(" = ?");
    std::vector<SqlRow> rows =
        connection_.select(QStringLiteral("SELECT %1 FROM %2%3 LIMIT 1%4")
                               .arg(selectList_, source_,
                                    filtered ? whereClause(key) : QStringLiteral(" WHERE ") + key,
                                    connection_.lockRowClause()),
                           filtered ? whereParams({id}) : QVariantList{id});
    if (rows.empty()) return std::nullopt;
    return std::move(rows.front());
}

void Table::startEdit()
{
    buffer_ = current_;
    editVersion_ = current_[size_t(fieldCount())].toLongLong();
    state_ = State::Edit;
}

bool Table::editId(qint64 id)
{
    requireBrowse("kayıt düzeltilemez");
    if (readOnly_) throw AppError(QStringLiteral("Sorgu sonucu değiştirilemez."));
    checkGeneration();
    // The read that finds it is fresh (and on a server holds it), so it is not read again.
    if (connection_.lockRowClause().isEmpty()) {
        if (!gotoId(id)) return false;
    } else {
        std::optional<SqlRow> held = readHeld(id, true);
        if (!held) return false;
        gotoRow(*held);
    }
    startEdit();
    return true;
}

void Table::cancel()
{
    if (state_ == State::Edit || state_ == State::Insert) state_ = State::Browse;
    buffer_.clear();
}

void Table::checkBuffer()
{
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
}

QStringList Table::writtenColumns(int from) const
{
    QStringList names;
    for (int i = from; i < fieldCount(); ++i)
        names << sqlName(def_.fields[size_t(i)].name);
    return names;
}

bool Table::differs(const QVariant& value, const QVariant& stored)
{
    return value.isNull() != stored.isNull() || (!value.isNull() && value != stored);
}

void Table::post()
{
    requireOpen();
    if (state_ != State::Edit && state_ != State::Insert) return;
    checkBuffer();
    const int n = fieldCount();
    const bool explicitKey = state_ == State::Insert && !buffer_[0].isNull();
    const int from =
        (state_ == State::Insert && !explicitKey) ? 1 : (state_ == State::Edit ? 1 : 0);
    const QStringList names = writtenColumns(from);
    QVariantList params(buffer_.begin() + from, buffer_.begin() + n);
    if (state_ == State::Insert) {
        const qint64 id = connection_.insert(Connection::insertStatement(tableName_, names, 1),
                                             params, keyColumn_);
        if (explicitKey) connection_.raiseKeySequence(tableName_, id);
        buffer_[0] = id;
        buffer_[size_t(n)] = 1;
        buffer_[size_t(n + 1)] = id;
    } else {
        // Only what changed: the row version makes sure nothing else did meanwhile, so the
        // record comes out the same, and a change of a few fields is a short statement.
        QStringList sets;
        params.clear();
        for (int i = 1; i < n; ++i)
            if (differs(buffer_[size_t(i)], current_[size_t(i)])) {
                sets << names[i - 1] + QStringLiteral(" = ?, ");
                params << buffer_[size_t(i)];
            }
        const qint64 id = buffer_[size_t(n + 1)].toLongLong();
        params << id << editVersion_;
        const int affected = connection_.exec(
            QStringLiteral("UPDATE %1 SET %2\"_Surum\" = \"_Surum\" + 1 WHERE %3 = ? AND "
                           "\"_Surum\" = ?")
                .arg(source_, sets.join(QString()), sqlName(keyColumn_)),
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
            changed = differs(v, current_[size_t(i)]);
        }
        if (!changed) {
            cancel();
            return false;
        }
    }
    post();
    return true;
}

std::vector<qint64> Table::appendAll(int count, const std::function<void(int)>& fill)
{
    requireBrowse("yeni kayıt eklenemez");
    if (readOnly_) throw AppError(QStringLiteral("Sorgu sonucu değiştirilemez."));
    const int n = fieldCount();
    std::vector<QVariantList> rows;
    for (int i = 0; i < count; ++i) {
        append();
        try {
            fill(i);
            if (!buffer_[0].isNull())
                throw AppError(QStringLiteral("Toplu eklenen kayıt kendi numarasıyla gelemez."));
            checkBuffer();
        } catch (...) {
            cancel();
            throw;
        }
        rows.emplace_back(buffer_.begin() + 1, buffer_.begin() + n);
        state_ = State::Browse;
    }
    const std::vector<qint64> keys =
        connection_.insertAll(tableName_, keyColumn_, writtenColumns(1), rows);
    if (!keys.empty()) {
        // The cursor stands on the last of them, as after a post.
        SqlRow last(size_t(n + 2));
        last[0] = keys.back();
        std::copy(rows.back().begin(), rows.back().end(), last.begin() + 1);
        last[size_t(n)] = 1;
        last[size_t(n + 1)] = keys.back();
        afterWrite(last);
    }
    buffer_.clear();
    return keys;
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

bool Table::removeId(qint64 id)
{
    requireBrowse("kayıt silinemez");
    if (readOnly_) throw AppError(QStringLiteral("Sorgu sonucu değiştirilemez."));
    const int affected = connection_.exec(
        QStringLiteral("DELETE FROM %1 WHERE %2 = ?").arg(source_, sqlName(keyColumn_)), {id});
    refresh();
    return affected == 1;
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
