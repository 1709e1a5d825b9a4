#include "resultsfixture.h"

#include "equipment.h"
#include "selection.h"

namespace resultsfixture {

QString catalogueSql()
{
    return testutils::catalogueSchemaSql() +
           QStringLiteral(
               "INSERT INTO bb VALUES ('QV-75', 'Quelva', 400, 7.5, 1234.56, 1, 0, 0, '3x2.5', '300x400x200');\n"
               "INSERT INTO bb VALUES ('QV-10', 'Quelva', 400, 10, 1500, 1, 0, 0, '2x5', '300x400x200');\n"
               "INSERT INTO bb VALUES ('QV-5', 'Quelva', 400, 5, 800, 0, 0, 0, '1x5', '200x300x150');\n"
               "INSERT INTO bb VALUES ('ND-33', 'Nadir', 400, 3.3, 99.99, 0, 0, 0, '1x3.3', '100x200x100');\n"
               "INSERT INTO cond VALUES (35, 119, 12.5);\n"
               "INSERT INTO cond VALUES (2.5, 21, 0.85);\n"
               "INSERT INTO trans VALUES ('TI-150', 150, 45.3);\n"
               "INSERT INTO description VALUES ('Quelva', ") +
           testutils::tinyPngSqlLiteral() +
           QStringLiteral(", 'Batería', 'Batería automática de condensadores.', 'Automatic capacitor bank.');\n"
                          "INSERT INTO description VALUES ('Nadir', NULL, 'none', 'Condensador fijo.', 'Fixed capacitor.');\n");
}

Fixture::Fixture() : m_file(catalogueSql())
{
    m_catalogue = std::make_unique<TDbDataModule>(m_file.path());
    m_project = std::make_unique<TCProyect>(m_catalogue.get());
    m_project->setBatteryType(TBatteryType::battery);
}

TSelection& Fixture::selection()
{
    return m_project->Selection();
}

void Fixture::fill(std::initializer_list<CandidateRow> candidates, bool withTransformer)
{
    TSelection& selection = m_project->Selection();
    selection.Clear();
    CatalogueRowSet& bb = m_catalogue->GetBbTable();
    CatalogueRowSet& cond = m_catalogue->GetCondTable();
    for (const CandidateRow& row : candidates) {
        bb.first();
        for (int i = 0; i < row.bbRow; ++i)
            bb.next();
        auto battery = std::make_unique<TBattery>(&selection);
        battery->LoadFromDataSet(bb, &m_catalogue->GetDescriptionTable());
        battery->setCount(row.count);
        auto conductor = std::make_unique<TConductor>();
        if (row.condRow >= 0) {
            cond.first();
            for (int i = 0; i < row.condRow; ++i)
                cond.next();
            conductor->LoadFromDataSet(cond);
            conductor->setCount(1);
            conductor->setICalculate(10.825f);
        }
        conductor->setBattery(battery.get());
        battery->setConductor(std::move(conductor));
        selection.BatteryList().Add(std::move(battery));
    }
    if (withTransformer) {
        CatalogueRowSet& trans = m_catalogue->GetTransTable();
        trans.first();
        auto transformer = std::make_unique<TTransformer>();
        transformer->LoadFromDataSet(trans);
        selection.setTransformer(std::move(transformer));
    } else {
        selection.setTransformer(nullptr);
    }
}

} // namespace resultsfixture
