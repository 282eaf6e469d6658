#include "TempCatalogue.h"
#include "data/TDM.h"
#include "data/Table.h"
#include "registers/Inventory.h"

#include <QtTest>
#include <limits>

using namespace Qt::StringLiterals;
using namespace hoardly;

class TestInventoryRules : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempCatalogue> catalogue;
    std::unique_ptr<TDM> tdm;

    Table& objects() { return tdm->valueTb(); }

    void addObject(const QString& name, const QVariant& value) {
        objects().append();
        objects().setText(inventory::kName, name);
        if (!value.isNull())
            objects().setValue(objects().fieldIndex(inventory::kValue), value);
        objects().post();
    }

private slots:
    void init() {
        catalogue = std::make_unique<test::TempCatalogue>();
        tdm = std::make_unique<TDM>();
        tdm->setDirectoryOfClosed(catalogue->path());
        objects().open();
    }
    void cleanup() {
        tdm.reset();
        catalogue.reset();
    }

    void anEmptyInventoryIsWorthNothing() {
        QCOMPARE(inventory::estimatedTotal(objects()), 0);
        QCOMPARE(inventory::totalText(0), u"0 $"_s);
    }

    void anEmptyValueCountsNothing() {
        addObject(u"Clock"_s, qlonglong(1000));
        addObject(u"Vase"_s, qlonglong(250));
        addObject(u"Chair"_s, QVariant());
        QCOMPARE(inventory::estimatedTotal(objects()), 1250);
        addObject(u"Ring"_s, qlonglong(500));
        QCOMPARE(inventory::estimatedTotal(objects()), 1750);
        QCOMPARE(inventory::totalText(1750), u"1750 $"_s);
    }

    void aTotalBeyond32BitsIsSummedWhole() {
        addObject(u"House"_s, qlonglong(3'000'000'000));
        addObject(u"Boat"_s, qlonglong(2'500'000'000));
        QCOMPARE(inventory::estimatedTotal(objects()), Q_INT64_C(5'500'000'000));
        QCOMPARE(inventory::totalText(Q_INT64_C(5'500'000'000)), u"5500000000 $"_s);
        QCOMPARE(catalogue->scalar(u"Value.DB"_s, u"SELECT sum(\"Varderad till\") FROM Value"_s),
                 u"5500000000"_s);
    }

    void aValueAnotherProgramStoredAsWordsCountsNothing() {
        addObject(u"Clock"_s, qlonglong(100));
        catalogue->exec(
            u"Value.DB"_s,
            u"INSERT INTO Value (Benamning, \"Varderad till\") VALUES ('Odd', 'much')"_s);
        objects().refresh();
        QCOMPARE(inventory::estimatedTotal(objects()), 100);
    }

    void theTotalStopsAtTheLargestNumberInsteadOfWrapping() {
        constexpr qint64 largest = std::numeric_limits<qint64>::max();
        constexpr qint64 smallest = std::numeric_limits<qint64>::min();
        QCOMPARE(inventory::addedToTotal(largest - 1, 1), largest);
        QCOMPARE(inventory::addedToTotal(largest, 1), largest);
        QCOMPARE(inventory::addedToTotal(largest, largest), largest);
        QCOMPARE(inventory::addedToTotal(smallest, -1), smallest);
        QCOMPARE(inventory::addedToTotal(largest, -1), largest - 1);
        addObject(u"Dream"_s, largest);
        addObject(u"Another dream"_s, largest);
        QCOMPARE(inventory::estimatedTotal(objects()), largest);
    }
};

QTEST_GUILESS_MAIN(TestInventoryRules)
#include "test_inventory_rules.moc"
