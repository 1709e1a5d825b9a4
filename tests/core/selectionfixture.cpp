#include "selectionfixture.h"

#include "exceptions.h"
#include "project.h"

namespace selectiontest {

void addPeriods(TCProyect& project, const std::vector<Period>& periods)
{
    project.setCalculationType(TCalculationType::consumption);
    for (const Period& p : periods) {
        auto c = std::make_unique<TConsumption>();
        c->setKwht(p.kwht);
        c->setKvarh(p.kvarh);
        c->setPeakDemand(p.peakDemand);
        c->setInputTransformer(p.inputTransformer);
        c->setReactiveSurcharge(p.reactiveSurcharge);
        c->setCostPowerTerm(p.costPowerTerm);
        c->setCostActiveTerm(p.costActiveTerm);
        project.ConsumptionList().Add(std::move(c));
    }
}

void setContracted(TCProyect& project, std::int32_t maximumPower, std::optional<std::int32_t> inputTransformer)
{
    project.setCalculationType(TCalculationType::contracted_power);
    project.setMaximumPower(maximumPower);
    project.setHasInputTransformer(inputTransformer.has_value());
    project.setInputTransformer(inputTransformer.value_or(0));
}

::testing::AssertionResult raisesMessage(const std::function<void()>& run, int code)
{
    try {
        run();
    } catch (const ESelectionException& e) {
        const bool info = dynamic_cast<const ESelectionInfoException*>(&e) != nullptr;
        const bool error = dynamic_cast<const ESelectionErrorException*>(&e) != nullptr;
        if (e.ErrorCode != code)
            return ::testing::AssertionFailure() << "raised " << e.ErrorCode << " instead of " << code;
        if ((code < 400 && !info) || (code >= 400 && !error))
            return ::testing::AssertionFailure() << "message " << code << " raised with the wrong class";
        if (e.message() != SelectionMessages::text(static_cast<SelectionMessages::Code>(code)))
            return ::testing::AssertionFailure() << "message " << code << " has the text " << e.message().toStdString();
        return ::testing::AssertionSuccess();
    } catch (const std::exception& e) {
        return ::testing::AssertionFailure() << "raised another failure: " << e.what();
    }
    return ::testing::AssertionFailure() << "raised nothing, expected " << code;
}

::testing::AssertionResult showsDigits(float value, const char* printed)
{
    const QString expected = QString::fromLatin1(printed);
    const qsizetype point = expected.indexOf(QLatin1Char('.'));
    const int decimals = point < 0 ? 0 : static_cast<int>(expected.size() - point - 1);
    const QString shown = QString::number(static_cast<double>(value), 'f', decimals);
    if (shown == expected)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "shows " << shown.toStdString() << " ("
                                         << QString::number(value, 'g', 9).toStdString() << "), expected " << printed;
}

QString bankRowsSql(const char* table, std::initializer_list<BankRow> rows)
{
    QString sql;
    for (const BankRow& r : rows)
        sql += QStringLiteral(
            "INSERT INTO %1 (code, type, volt, power, price, automatic, harmonic, transform, steps, dim) "
            "VALUES ('%2', '%3', %4, %5, %6, 1, %7, %8, '5x10', '600x400x250');\n")
                   .arg(QLatin1String(table), QLatin1String(r.code), QLatin1String(r.type))
                   .arg(r.volt)
                   .arg(r.power, 0, 'g', 17)
                   .arg(r.price, 0, 'g', 17)
                   .arg(r.harmonic ? 1 : 0)
                   .arg(r.transform ? 1 : 0);
    return sql;
}

QString cableRowsSql(std::initializer_list<CableRow> rows)
{
    QString sql;
    for (const CableRow& r : rows)
        sql += QStringLiteral("INSERT INTO cond (gauge, current, price) VALUES (%1, %2, %3);\n")
                   .arg(r.gauge, 0, 'g', 17)
                   .arg(r.current, 0, 'g', 17)
                   .arg(r.price, 0, 'g', 17);
    return sql;
}

QString transformerRowsSql(std::initializer_list<TransformerRow> rows)
{
    QString sql;
    for (const TransformerRow& r : rows)
        sql += QStringLiteral("INSERT INTO trans (type, a, price) VALUES ('%1', %2, %3);\n")
                   .arg(QLatin1String(r.type))
                   .arg(r.a, 0, 'g', 17)
                   .arg(r.price, 0, 'g', 17);
    return sql;
}

QString descriptionRowsSql()
{
    QString sql;
    for (const char* type :
        { "Quelva", "Fenwa", "Corsel", "Dravia", "Galvix", "Hormea", "Isquel", "Brunia", "Elmora", "Tirsa", "Zenda" })
        sql += QStringLiteral("INSERT INTO description (type, image, name, text_es, text_en) "
                              "VALUES ('%1', %2, '', 'Serie %1', '%1 series');\n")
                   .arg(QLatin1String(type), testutils::tinyPngSqlLiteral());
    return sql;
}

Catalogue::Catalogue(const QString& rowsSql)
    // One transaction: a file per test, built without a sync per row.
    : m_file(QStringLiteral("BEGIN;\n") + testutils::catalogueSchemaSql() + descriptionRowsSql() + rowsSql
        + QStringLiteral("COMMIT;\n"))
    , m_module(std::make_unique<TDbDataModule>(m_file.path()))
{
}

int CountingCatalogue::asked(const std::string& table) const
{
    const auto it = m_asked.find(table);
    return it == m_asked.end() ? 0 : it->second;
}

CatalogueRowSet& CountingCatalogue::count(const std::string& table, CatalogueRowSet& rows)
{
    ++m_asked[table];
    return rows;
}

} // namespace selectiontest
