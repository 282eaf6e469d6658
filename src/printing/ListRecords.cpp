#include "ListRecords.h"

#include "ListLayouts.h"
#include "data/Table.h"

namespace hoardly::print {

QList<ListRecord> readListRecords(Connection& connection, const ListLayout& layout,
                                  const QString& directory) {
    Table table(connection, *layout.table);
    table.setDirectory(directory);
    table.open();
    table.selectIndex(layout.index);
    QStringList fields = layout.fields();
    const qsizetype texts = fields.size();
    if (layout.picture)
        fields << layout.picture->field;
    QList<ListRecord> records;
    records.reserve(table.recordCount());
    table.scan(fields, [&](const ScanRow& row) {
        ListRecord record;
        record.texts.reserve(texts);
        for (int i = 0; i < texts; ++i)
            record.texts << row.text(i);
        if (layout.picture)
            record.picture = row.value(int(texts)).toByteArray();
        records.append(std::move(record));
        return true;
    });
    table.close();
    return records;
}

} // namespace hoardly::print
