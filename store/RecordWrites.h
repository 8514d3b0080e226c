#pragma once

#include "store/AppError.h"
#include "store/Table.h"

// The writes of the postings' private cursors that go beyond appendRecord: an existing record
// edited by its key, and a save that edits or appends.

// Fills the existing record `id` with `fill` and posts it when anything changed; a record that is
// gone is refused with AppError (another workstation deleted it). Nothing stays in edit.
template <typename Fill> void editRecord(Table& table, qint64 id, Fill&& fill)
{
    if (!table.editId(id))
        throw AppError(QStringLiteral("Kayıt bulunamadı; başka bir kullanıcı silmiş olabilir."));
    changeOrCancel(table, [&] {
        fill();
        table.postIfChanged();
    });
}

// A command's save: the existing record `id` edited as editRecord does, or with `id` 0 a new
// record appended. Returns the record's key.
template <typename Fill> qint64 saveRecord(Table& table, qint64 id, Fill&& fill)
{
    if (id <= 0) return appendRecord(table, fill);
    editRecord(table, id, fill);
    return id;
}
