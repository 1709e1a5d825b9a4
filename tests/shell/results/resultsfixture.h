#pragma once

// A project whose selection holds candidates read from a small fixture
// catalogue, as a finished calculation leaves them, without running one.

#include "dbdatamodule.h"
#include "project.h"
#include "testutils.h"

#include <memory>

namespace resultsfixture {

// The fixture catalogue: plain banks of 7.5, 10, 5 and 3.3 kvar (series
// Quelva, with a picture and a name; series Nadir, whose name is "none",
// without a picture),
// two cables and one current transformer.
QString catalogueSql();

struct CandidateRow {
    int bbRow;           // row of the bb table, from 0
    int count = 1;       // units
    int condRow = -1;    // cable row, -1 for a candidate without a fitting cable
};

class Fixture {
public:
    Fixture();

    TCProyect& project() { return *m_project; }
    TSelection& selection();
    TDbDataModule& catalogue() { return *m_catalogue; }

    // Replaces the selection's candidates with the rows given, each with its
    // cable record (empty when no cable fitted), and the current
    // transformer when `withTransformer`.
    void fill(std::initializer_list<CandidateRow> candidates, bool withTransformer);

private:
    testutils::TemporaryCatalogue m_file;
    std::unique_ptr<TDbDataModule> m_catalogue;
    std::unique_ptr<TCProyect> m_project;
};

} // namespace resultsfixture
