#pragma once

// Shared pieces of the selection tests: billing periods and contracted-power
// projects in one line, a check for the calculation's failures, a check that
// a figure shows the digits expected, and small catalogues built from SQL.

#include "catalogue.h"
#include "dbdatamodule.h"
#include "enumerations.h"
#include "testutils.h"

#include <QString>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <vector>

class TCProyect;

// Readable QString values in failure messages.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace selectiontest {

struct Period {
    std::int32_t kwht = 0;
    std::int32_t kvarh = 0;
    std::int32_t peakDemand = 0;
    std::int32_t inputTransformer = 0;
    std::int32_t reactiveSurcharge = 0;
    std::int32_t costPowerTerm = 0;
    std::int32_t costActiveTerm = 0;
};

// Appends the periods and puts the project in consumption mode.
void addPeriods(TCProyect& project, const std::vector<Period>& periods);

// Contracted-power mode with the given maximum power; an input transformer
// of its own when `inputTransformer` is given.
void setContracted(TCProyect& project, std::int32_t maximumPower, std::optional<std::int32_t> inputTransformer = {});

// Passes when `run` raises the calculation message `code`: the right class
// (information for 28x, error for 48x), the code and the exact text.
::testing::AssertionResult raisesMessage(const std::function<void()>& run, int code);

// Passes when `value`, written with as many decimals as `printed` has,
// reads exactly `printed`: the figure agrees to every printed digit.
::testing::AssertionResult showsDigits(float value, const char* printed);

// One row of a bank table (bb, bb6, bbf, bbe).
struct BankRow {
    const char* code;
    const char* type;
    std::int32_t volt;
    double power;
    bool harmonic = false;
    bool transform = false;
    double price = 100.0;
};
QString bankRowsSql(const char* table, std::initializer_list<BankRow> rows);

struct CableRow {
    double gauge;
    double current;
    double price = 1.0;
};
QString cableRowsSql(std::initializer_list<CableRow> rows);

struct TransformerRow {
    const char* type;
    double a;
    double price = 10.0;
};
QString transformerRowsSql(std::initializer_list<TransformerRow> rows);

// A description row with the tiny picture for every series the tests use.
QString descriptionRowsSql();

// A catalogue file built from the schema plus `rowsSql`, opened through the
// program's data module.
class Catalogue {
public:
    explicit Catalogue(const QString& rowsSql);
    TDbDataModule& module() { return *m_module; }

private:
    testutils::TemporaryCatalogue m_file;
    std::unique_ptr<TDbDataModule> m_module;
};

// Forwards to a data module and counts which row sets were asked for.
class CountingCatalogue final : public IDbDataModule {
public:
    explicit CountingCatalogue(IDbDataModule& inner)
        : m_inner(inner)
    {
    }

    CatalogueRowSet& GetBbfTable() override { return count("bbf", m_inner.GetBbfTable()); }
    CatalogueRowSet& GetBbeTable() override { return count("bbe", m_inner.GetBbeTable()); }
    CatalogueRowSet& GetBb6Table() override { return count("bb6", m_inner.GetBb6Table()); }
    CatalogueRowSet& GetBbTable() override { return count("bb", m_inner.GetBbTable()); }
    CatalogueRowSet& GetCondTable() override { return count("cond", m_inner.GetCondTable()); }
    CatalogueRowSet& GetTransTable() override { return count("trans", m_inner.GetTransTable()); }
    CatalogueRowSet& GetDescriptionTable() override { return count("description", m_inner.GetDescriptionTable()); }

    int asked(const std::string& table) const;

private:
    CatalogueRowSet& count(const std::string& table, CatalogueRowSet& rows);

    IDbDataModule& m_inner;
    std::map<std::string, int> m_asked;
};

} // namespace selectiontest
